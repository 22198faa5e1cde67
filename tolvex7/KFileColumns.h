#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

// The size and date columns of a file dialog in Dutch ("222,5 KiB", "08-12-2025 23:50")
// whatever the system's language, like the rest of the dialog.
class KFileColumns : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Gives the dialog these columns, each wide enough for its texts; returns the width of all
    // columns together.
    static int install(QFileDialog& dialog);
};
