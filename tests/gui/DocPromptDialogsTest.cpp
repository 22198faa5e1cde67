#include "app/KDocPromptDialogs.h"
#include "app/QtTranslations.h"

#include "tests/support/ModalAnswer.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// What a file dialog showed, read while it was open.
struct Seen {
    QString title;
    QString folder;
    QStringList filters;
    QStringList texts; // labels and buttons
    bool qtsOwn = false;
    QString folderType;
};

Seen look(QFileDialog* dialog) {
    Seen seen;
    seen.title = dialog->windowTitle();
    seen.folder = dialog->directory().absolutePath();
    seen.filters = dialog->nameFilters();
    for (QLabel* label : dialog->findChildren<QLabel*>())
        seen.texts.append(label->text());
    for (QAbstractButton* button : dialog->findChildren<QPushButton*>())
        seen.texts.append(button->text());
    seen.qtsOwn = dialog->testOption(QFileDialog::DontUseNativeDialog);
    if (dialog->iconProvider())
        seen.folderType = dialog->iconProvider()->type(QFileInfo(seen.folder));
    return seen;
}

// Runs action on the next modal window other than the one that is open now.
void onNextModal(QWidget* current, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, current, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != current) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

class DocPromptDialogs : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loadQtTranslations()); }
    QTemporaryDir m_dir;
    KDocPromptDialogs m_dialogs;
};

TEST_F(DocPromptDialogs, OpenOffersEveryFileFromTheGivenFolder) {
    Seen seen;
    ModalAnswer answer([&](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        seen = look(dialog);
        dialog->reject();
    });
    EXPECT_TRUE(m_dialogs.openFileName(m_dir.path()).isEmpty());
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(seen.title, QStringLiteral("Openen"));
    EXPECT_EQ(seen.folder, m_dir.path());
    EXPECT_EQ(seen.filters, (QStringList{QStringLiteral("Korvel bestanden (*.kvl)"),
                                         QStringLiteral("Alle bestanden (*)")}));
    EXPECT_TRUE(seen.qtsOwn);
    EXPECT_EQ(seen.folderType, QStringLiteral("Map"));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("&Openen")))
        << seen.texts.join('|').toStdString();
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Annuleren")));
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Bestands&naam:")));
}

TEST_F(DocPromptDialogs, SaveAsIsDutchAndAsksInDutchBeforeReplacing) {
    const QString club = m_dir.filePath(QStringLiteral("club.kvl"));
    QFile existing(club);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    Seen seen;
    QString question;
    QStringList answers;
    ModalAnswer answer([&](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        seen = look(dialog);
        onNextModal(dialog, [&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            question = message->text();
            for (QAbstractButton* button : message->buttons())
                answers.append(button->text());
            message->button(QMessageBox::Yes)->click();
        });
        static_cast<QDialog*>(dialog)->accept(); // the suggested name: it exists
    });
    EXPECT_EQ(m_dialogs.saveFileName(club), club);
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(seen.title, QStringLiteral("Bewaar als"));
    EXPECT_EQ(seen.folder, m_dir.path());
    EXPECT_EQ(seen.filters.size(), 2);
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Op&slaan")))
        << seen.texts.join('|').toStdString();
    EXPECT_TRUE(seen.texts.contains(QStringLiteral("Zoeken in:")));
    EXPECT_TRUE(question.contains(QStringLiteral("bestaat al"))) << question.toStdString();
    answers.sort();
    EXPECT_EQ(answers, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nee")}));
}

TEST_F(DocPromptDialogs, SaveAsAddsTheExtensionBeforeAskingToReplace) {
    ModalAnswer answer([&](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        // Typed by the user: selectFile() leaves a focused name field alone.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("vereniging"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(m_dialogs.saveFileName(m_dir.filePath(QStringLiteral("Korvel.kvl"))),
              m_dir.filePath(QStringLiteral("vereniging.kvl")));
}

TEST(QtTranslations, StandardButtonsSpeakDutch) {
    ASSERT_TRUE(loadQtTranslations());
    EXPECT_TRUE(loadQtTranslations()) << "a second call changes nothing";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nee"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuleren"));
}

} // namespace
