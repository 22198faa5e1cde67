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
    LockAnswer askLocked(const QString& text) override;
    ChangedAnswer askChangedOnDisk(const QString& text) override;
    bool askReload(const QString& text) override;
    bool askRecover(const QString& text) override;
    int chooseBackup(const QString& documentName,
                     const std::vector<KBackups::Restorable>& copies) override;
    std::unique_ptr<KProgressReport> fileProgress() override;

private:
    QPointer<QWidget> m_parent;
};
