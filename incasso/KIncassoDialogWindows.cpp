#include "incasso/KIncassoDialogWindows.h"

#include "incasso/KDlgIncasso.h"
#include "progress/KProgressWindow.h"
#include "tolvex7/FileUtils.h"

#include <QFileDialog>
#include <QFileInfo>

std::optional<KIncassoChoice> KIncassoDialogWindows::chooseCollection(
    const KIncassoSetup& setup,
    const std::function<KCollectionList(const KCollectionRequest&)>& listFor) {
    KDlgIncasso dialog(setup, listFor, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QString> KIncassoDialogWindows::savePath(const QString& suggested) {
    const QFileInfo file(suggested);
    QFileDialog dialog(m_parent, QStringLiteral("Incassobestand bewaren"), file.absolutePath());
    prepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Incassobestanden (*.xml)")});
    // Without an extension the name becomes an XML file before replacing one is asked.
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    dialog.selectFile(file.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::unique_ptr<KProgressReport> KIncassoDialogWindows::progress() {
    return std::make_unique<KProgressWindow>(m_parent);
}
