#include "app/KDocPromptDialogs.h"

#include "progress/KProgressWindow.h"

#include "res/Commands.h"
#include "tolvex7/FileUtils.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {
QString caption() {
    return QString::fromUtf8(FrameText::appTitle);
}
// Member files first; every file too, so that a backup copy (club.kvm) can be opened.
QStringList filters() {
    return {QString::fromUtf8(FrameText::fileFilter), QStringLiteral("Alle bestanden (*)")};
}
} // namespace

KDocPrompts::SaveAnswer KDocPromptDialogs::askSaveChanges(const QString& documentName) {
    QMessageBox box(QMessageBox::Warning, caption(),
                    QStringLiteral("Wijzigingen in %1 bewaren?").arg(documentName),
                    QMessageBox::NoButton, m_parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nee"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Annuleren"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return SaveAnswer::Yes;
    if (box.clickedButton() == no)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

QString KDocPromptDialogs::openFileName(const QString& folder) {
    QFileDialog dialog(m_parent, QStringLiteral("Openen"), folder);
    prepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString KDocPromptDialogs::saveFileName(const QString& suggestedPath) {
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(m_parent, QStringLiteral("Bewaar als"), suggested.absolutePath());
    prepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters());
    // A name without extension becomes a member file before the dialog checks whether it
    // exists, so that replacing one is always asked.
    dialog.setDefaultSuffix(QString::fromUtf8(FrameText::fileExtension));
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void KDocPromptDialogs::showError(const QString& text) {
    QMessageBox::warning(m_parent, caption(), text);
}

void KDocPromptDialogs::showMessage(const QString& text) {
    QMessageBox::information(m_parent, caption(), text);
}

std::unique_ptr<KProgressReport> KDocPromptDialogs::fileProgress() {
    // A big club shows the progress window and can be stopped; a small one a busy cursor.
    return std::make_unique<KProgressWindow>(m_parent);
}
