#include "app/KDocPromptDialogs.h"

#include "progress/KProgressWindow.h"

#include "res/Commands.h"
#include "tolvex7/FileUtils.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>
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

namespace {

// A question with buttons of its own; the index of the one clicked, -1 for Escape.
int askWith(QWidget* parent, QMessageBox::Icon icon, const QString& text,
            const QStringList& buttons, int defaultButton) {
    QMessageBox box(icon, caption(), text, QMessageBox::NoButton, parent);
    QList<QPushButton*> made;
    for (int i = 0; i < buttons.size(); ++i)
        made << box.addButton(buttons[i], i == buttons.size() - 1 ? QMessageBox::RejectRole
                                                                  : QMessageBox::AcceptRole);
    box.setDefaultButton(made.value(defaultButton));
    box.setEscapeButton(made.constLast());
    box.exec();
    return static_cast<int>(made.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
}

} // namespace

KDocPrompts::LockAnswer KDocPromptDialogs::askLocked(const QString& text) {
    switch (askWith(m_parent, QMessageBox::Warning, text,
                    {QStringLiteral("&Alleen lezen"), QStringLiteral("&Toch openen"),
                     QStringLiteral("Annuleren")},
                    0)) {
    case 0:
        return LockAnswer::ReadOnly;
    case 1:
        return LockAnswer::OpenAnyway;
    default:
        return LockAnswer::Cancel;
    }
}

KDocPrompts::ChangedAnswer KDocPromptDialogs::askChangedOnDisk(const QString& text) {
    switch (askWith(m_parent, QMessageBox::Warning, text,
                    {QStringLiteral("&Overschrijven"), QStringLiteral("&Bewaar als..."),
                     QStringLiteral("Annuleren")},
                    1)) {
    case 0:
        return ChangedAnswer::Overwrite;
    case 1:
        return ChangedAnswer::SaveAs;
    default:
        return ChangedAnswer::Cancel;
    }
}

bool KDocPromptDialogs::askReload(const QString& text) {
    return askWith(m_parent, QMessageBox::Question, text,
                   {QStringLiteral("Opnieuw &inlezen"), QStringLiteral("Annuleren")}, 0) == 0;
}

bool KDocPromptDialogs::askRecover(const QString& text) {
    return askWith(m_parent, QMessageBox::Question, text,
                   {QStringLiteral("&Ja"), QStringLiteral("&Nee")}, 0) == 0;
}

int KDocPromptDialogs::chooseBackup(const QString& documentName,
                                    const std::vector<KBackups::Restorable>& copies) {
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("Reservekopie terugzetten"));
    auto* label = new QLabel(
        QStringLiteral("Kies de versie van %1 die u wilt openen. Ze wordt geopend als een nieuwe, "
                       "nog niet bewaarde administratie; er wordt niets overschreven.")
            .arg(documentName),
        &dialog);
    label->setWordWrap(true);
    auto* list = new QTreeWidget(&dialog);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Leden"),
                           QStringLiteral("Grootte"), QStringLiteral("Bestand")});
    // Sizes and counts as the file dialogs show them, in Dutch whatever the system's language.
    const QLocale locale(QLocale::Dutch, QLocale::Netherlands);
    for (const KBackups::Restorable& copy : copies) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, locale.toString(copy.when, QStringLiteral("d-M-yyyy HH:mm:ss")));
        item->setText(1, copy.members < 0 ? QStringLiteral("onleesbaar")
                                          : locale.toString(static_cast<qlonglong>(copy.members)));
        item->setText(2, locale.formattedDataSize(copy.size));
        item->setText(3, QFileInfo(copy.path).fileName());
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setDisabled(copy.members < 0);
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setCurrentItem(list->topLevelItem(0));
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuleren"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(dialog.fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80,
                  dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted || !list->currentItem() ||
        list->currentItem()->isDisabled())
        return -1;
    return list->indexOfTopLevelItem(list->currentItem());
}
