#include "view/KCodePageValidator.h"

#include "core/model/KField.h"
#include "member/KFieldRow.h"
#include "platform/CodePage.h"
#include "tests/support/GuiApplication.h"

#include <QClipboard>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CodePageValidatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        guiApplication();
        main.statusBar()->showMessage(QString());
        dialog = new QDialog(&main);
        edit = new QLineEdit(dialog);
        KCodePageValidator::attach(edit);
    }

    QMainWindow main;
    QDialog* dialog = nullptr;
    QLineEdit* edit = nullptr;
};

// A key that types the text, as a keyboard of another language does.
void typeText(QWidget* widget, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

} // namespace

// What the code page lacks is typed or pasted as its nearest letter (the em dash it holds), and the main window's status
// bar says so once; nothing is dropped and no paste is refused.
TEST_F(CodePageValidatorTest, ACharacterOutsideTheCodePageBecomesItsNearestLetter) {
    const auto* validator = qobject_cast<const KCodePageValidator*>(edit->validator());
    ASSERT_NE(validator, nullptr);
    QSignalSpy told(validator, &KCodePageValidator::replaced);

    QApplication::clipboard()->setText(QStringLiteral("Ömer Yılmaz — Doğan Łódź"));
    edit->paste();
    EXPECT_EQ(edit->text(), QStringLiteral("Ömer Yilmaz — Dogan Lódz"));
    ASSERT_EQ(told.count(), 1);
    EXPECT_EQ(told.front().front().toString(), QStringLiteral("ığŁź"));
    EXPECT_EQ(main.statusBar()->currentMessage(),
              QStringLiteral("Tekens die het ledenbestand niet kent, zijn vervangen: ı door i, "
                             "ğ door g, Ł door L, ź door z."));
    EXPECT_EQ(edit->cursorPosition(), edit->text().size());

    // Typed in the middle, the caret stays behind the letter; text that fits says nothing.
    edit->setText(QStringLiteral("Kaar"));
    edit->setCursorPosition(2);
    typeText(edit, QStringLiteral("ş"));
    EXPECT_EQ(edit->text(), QStringLiteral("Kasar"));
    EXPECT_EQ(edit->cursorPosition(), 3);
    typeText(edit, QStringLiteral("é"));
    EXPECT_EQ(told.count(), 2);
    EXPECT_EQ(CodePage::fromQString(edit->text()), CodePage::fromQString(QStringLiteral("Kaséar")));
}

TEST_F(CodePageValidatorTest, AMemberFieldTakesThePastedNameWhole) {
    KField value(1, FieldType::Text, FieldMeaning::Name, "Naam");
    const std::vector<std::string> types;
    auto* form = new QFormLayout(dialog);
    KFieldRow row(*form, "Naam", &value, types, false);
    QApplication::clipboard()->setText(QStringLiteral("Ömer Yılmaz"));
    row.edit()->paste();
    EXPECT_TRUE(row.collect().isDone());
    EXPECT_EQ(CodePage::toQString(value.text()), QStringLiteral("Ömer Yilmaz"));
    EXPECT_TRUE(main.statusBar()->currentMessage().contains(QStringLiteral("ı door i")));
}
