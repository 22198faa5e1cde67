#include "tolvex7/KFileColumns.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, DateColumn };

QLocale dutch() {
    return QLocale(QLocale::Dutch, QLocale::Netherlands);
}

} // namespace

QVariant KFileColumns::data(const QModelIndex& index, int role) const {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files ||
        (index.column() != SizeColumn && index.column() != DateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == DateColumn)
        return dutch().toString(files->lastModified(source), QLocale::ShortFormat);
    return files->isDir(source) ? QString() : dutch().formattedDataSize(files->size(source));
}

int KFileColumns::install(QFileDialog& dialog) {
    dialog.setProxyModel(new KFileColumns(&dialog));
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details)
        return 0;
    // Wide enough for the longest texts these columns show, the name taking the rest.
    const QFontMetrics metrics(details->font());
    const int padding = 3 * metrics.averageCharWidth();
    const QLocale nl = dutch();
    QHeaderView* header = details->header();
    header->resizeSection(SizeColumn,
                          metrics.horizontalAdvance(nl.formattedDataSize(999'900'000)) + padding);
    header->resizeSection(TypeColumn,
                          metrics.horizontalAdvance(QStringLiteral("XLSX-bestand")) + padding);
    header->resizeSection(
        DateColumn, metrics.horizontalAdvance(nl.toString(
                        QDateTime(QDate(2028, 12, 28), QTime(23, 58)), QLocale::ShortFormat)) +
                        padding);
    return header->length();
}
