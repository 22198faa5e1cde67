#pragma once

#include "incasso/KIncassoDialogs.h"

class QWidget;

// The direct-debit command's windows as the user sees them, modal over the main window.
class KIncassoDialogWindows : public KIncassoDialogs {
public:
    explicit KIncassoDialogWindows(QWidget* parent) : m_parent(parent) {}

    std::optional<KIncassoChoice>
    chooseCollection(const KIncassoSetup& setup,
                     const std::function<KCollectionList(const KCollectionRequest&)>& listFor) override;
    std::optional<QString> savePath(const QString& suggested) override;
    std::unique_ptr<KProgressReport> progress() override;

private:
    QWidget* m_parent;
};
