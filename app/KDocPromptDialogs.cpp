#include "app/KDocPromptDialogs.h"

#include "app/KProgressWindow.h"

#include "res/Commands.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
QString caption() {
    return QString::fromUtf8(FrameText::appTitle);
}
QString filter() {
    return QString::fromUtf8(FrameText::fileFilter);
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
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Openen"), folder, filter());
}

QString KDocPromptDialogs::saveFileName(const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("Bewaar als"), suggestedPath,
                                        filter());
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
