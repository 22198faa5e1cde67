#pragma once

#include "app/KDocPrompts.h"

#include <QPointer>
#include <QWidget>

// Asks with the standard dialogs, over the given window.
class KDocPromptDialogs : public KDocPrompts {
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    SaveAnswer askSaveChanges(const QString& documentName) override;
    QString openFileName(const QString& folder) override;
    QString saveFileName(const QString& suggestedPath) override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    std::unique_ptr<KProgressReport> fileProgress() override;

private:
    QPointer<QWidget> m_parent;
};
