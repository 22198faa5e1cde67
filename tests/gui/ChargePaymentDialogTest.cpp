#include "member/KDlgCharge.h"

#include "grid/CvsFlexGrid.h"
#include "member/KDatePicker.h"
#include "member/KDlgPayment.h"
#include "member/KDlgSpecChars.h"
#include "member/KFocusEdit.h"
#include "platform/CodePage.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

KCharge chargeOf(std::initializer_list<std::pair<const char*, double>> parts) {
    auto scheme = std::make_unique<KContribution>(42);
    scheme->setDescription("Contributie 2024");
    std::int32_t id = 1;
    for (const auto& [name, amount] : parts)
        scheme->AddPart(KContrPart(name, id++, amount));
    return KCharge(std::move(scheme), "eerste termijn");
}

class ChargePaymentDialogTest : public DocFixture {
protected:
    void SetUp() override { guiApplication(); }
};

// Shows a dialog as a window of its own and gives it the focus.
void activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST_F(ChargePaymentDialogTest, ChargeShowsItsPartsAndATotalThatFollowsTheAmounts) {
    KDlgCharge dialog(chargeOf({{"Senior", 80.0}, {"Bondsbijdrage", 12.5}, {"Shirt", 15.0}}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Te Betalen bedrag"));
    EXPECT_EQ(dialog.descriptionText(), QStringLiteral("Contributie 2024"));
    ASSERT_EQ(dialog.partCount(), 3);
    EXPECT_EQ(dialog.partLabel(0)->text(), QStringLiteral("Senior"));
    EXPECT_EQ(dialog.partAmount(2)->text(), QStringLiteral("12.50"));
    EXPECT_EQ(dialog.totalText(), QStringLiteral("107.50"));
    EXPECT_EQ(dialog.remarksEdit()->text(), QStringLiteral("eerste termijn"));

    dialog.partAmount(0)->setText(QStringLiteral("75"));
    EXPECT_EQ(dialog.totalText(), QStringLiteral("102.50"));
    dialog.partAmount(1)->setText(QStringLiteral("0"));
    EXPECT_EQ(dialog.totalText(), QStringLiteral("87.50"));
    dialog.remarksEdit()->setText(QStringLiteral("zonder shirt"));
    dialog.accept();

    std::vector<std::string> names;
    for (const KContrPart& part : dialog.charge().scheme()->parts())
        names.push_back(part.name());
    EXPECT_EQ(names, (std::vector<std::string>{"Senior", "Bondsbijdrage"}));
    EXPECT_DOUBLE_EQ(dialog.charge().total(), 87.5);
    EXPECT_EQ(dialog.charge().text(), "zonder shirt");

    // Opened again, the part is gone.
    KDlgCharge again(dialog.charge());
    EXPECT_EQ(again.partCount(), 2);
}

TEST_F(ChargePaymentDialogTest, NewPartsAreAddedOrRefusedWithTheirMessage) {
    KDlgCharge dialog{KCharge()};
    QStringList said;
    dialog.setMessenger([&](const QString& message) { said << message; });
    EXPECT_EQ(dialog.partCount(), 0);

    dialog.newPartAmount()->setText(QStringLiteral("12"));
    dialog.addPartButton()->click();
    EXPECT_EQ(said, QStringList{"Geef een naam voor dit onderdeel op."});
    dialog.newPartName()->setText(QStringLiteral("Bal"));
    dialog.newPartAmount()->clear();
    dialog.addPartButton()->click();
    EXPECT_EQ(said.back(), QStringLiteral("Geef een bedrag voor dit onderdeel op."));
    EXPECT_EQ(dialog.partCount(), 0);

    dialog.newPartAmount()->setText(QStringLiteral("2.5"));
    activate(dialog);
    dialog.newPartAmount()->setFocus();
    QTest::keyClick(dialog.newPartAmount(), Qt::Key_Return); // Enter adds, it does not close
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialog.partCount(), 1);
    EXPECT_EQ(dialog.totalText(), QStringLiteral("2.50"));
    EXPECT_EQ(dialog.newPartName()->text(), QStringLiteral("Bal")); // the fields keep their text
    // The next Enter confirms the charge instead of adding the part twice.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialog.charge().scheme()->parts().size(), 1u);

    for (int i = 0; i < 24; ++i) {
        dialog.newPartName()->setText(QStringLiteral("Deel %1").arg(i));
        dialog.newPartAmount()->setText(QString::number(i + 1));
        dialog.addPart();
    }
    EXPECT_EQ(dialog.partCount(), 25);
    dialog.partAmount(24)->setText(QStringLiteral("3"));
    dialog.accept();
    EXPECT_EQ(dialog.charge().scheme()->parts().size(), 25u);
    EXPECT_EQ(said.size(), 2);
}

TEST_F(ChargePaymentDialogTest, ManyPartsScrollInsteadOfGrowingPastTheScreen) {
    KCharge many;
    for (int i = 0; i < 60; ++i)
        many.scheme()->AddPart(KContrPart("Deel " + std::to_string(i), i, 60.0 - i));
    KDlgCharge dialog(many);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_LE(dialog.frameGeometry().height(), dialog.screen()->availableGeometry().height());
    auto* parts = dialog.findChild<QScrollArea*>();
    ASSERT_NE(parts, nullptr);
    EXPECT_GT(parts->verticalScrollBar()->maximum(), 0);
    // The sixtieth part can be reached and typed in.
    parts->ensureWidgetVisible(dialog.partAmount(59));
    EXPECT_TRUE(parts->viewport()->rect().contains(
        dialog.partAmount(59)->mapTo(parts->viewport(), QPoint(0, 0))));
    dialog.partAmount(59)->setText(QStringLiteral("2"));
    EXPECT_EQ(dialog.totalText(), QStringLiteral("1831.00"));
}

TEST_F(ChargePaymentDialogTest, PaymentStartsTodayAndKeepsAnUntouchedAmount) {
    KDlgPayment fresh{KPayment()};
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Ontvangen bedrag"));
    EXPECT_EQ(fresh.datePicker()->lineEdit()->text(), QStringLiteral("20240301"));
    EXPECT_EQ(fresh.amountEdit()->text(), QStringLiteral("0.00"));
    fresh.amountEdit()->setText(QStringLiteral("25,50")); // the Dutch decimal comma
    fresh.datePicker()->lineEdit()->clear();              // a payment keeps a date
    fresh.accept();
    EXPECT_EQ(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(fresh.payment().amount(), 25.5);
    EXPECT_EQ(fresh.payment().date().value(), 20240301);

    KDlgPayment old{KPayment(12.345, KDateValue(20240105), "contant")};
    EXPECT_EQ(old.amountEdit()->text(), QStringLiteral("12.35"));
    old.remarksEdit()->setText(QStringLiteral("per bank"));
    old.accept();
    EXPECT_DOUBLE_EQ(old.payment().amount(), 12.345);
    EXPECT_EQ(old.payment().date().value(), 20240105);
    EXPECT_EQ(old.payment().remarks(), "per bank");
}

TEST_F(ChargePaymentDialogTest, PickerTypesTheCharacterAtTheCaret) {
    QLineEdit field(QStringLiteral("abcd"));
    field.setSelection(1, 2); // "bc"
    KDlgSpecChars picker(&field);
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Speciale karakters"));
    CvsFlexGrid& grid = picker.grid();
    ASSERT_EQ(grid.rowCount(), 12);
    ASSERT_EQ(grid.colCount(), 8);
    EXPECT_EQ(grid.fixedRowCount(), 0);
    EXPECT_EQ(CodePage::toQString(grid.cellText(0, 0)), QStringLiteral("€"));
    EXPECT_EQ(CodePage::toQString(grid.cellText(0, 1)), QStringLiteral("¡"));
    EXPECT_EQ(CodePage::toQString(grid.cellText(11, 7)), QStringLiteral("ÿ"));

    grid.setCurrentRow(0);
    grid.setCurrentCol(0);
    emit grid.doubleClick();
    EXPECT_EQ(field.text(), QStringLiteral("a€d"));
    EXPECT_EQ(picker.result(), 0);

    // Beside the field and never over it: to its right, else its left, else under or over it,
    // moved along that side to stay on the screen.
    const QRect screen(0, 0, 1280, 900);
    const QSize size(250, 300);
    const struct {
        QRect field;
        QPoint at;
    } cases[] = {
        {QRect(100, 200, 300, 20), QPoint(400, 200)},  // right
        {QRect(100, 700, 300, 20), QPoint(400, 600)},  // right, raised to fit
        {QRect(900, 200, 300, 20), QPoint(650, 200)},  // left
        {QRect(0, 200, 1280, 20), QPoint(0, 220)},     // a field as wide as the screen: under
        {QRect(0, 700, 1280, 20), QPoint(0, 400)},     // over, near the bottom
        {QRect(0, 0, 1280, 900), QPoint(1030, 0)},     // no room anywhere: as far right as fits
    };
    for (const auto& c : cases) {
        const QPoint at = KDlgSpecChars::besideField(c.field, size, screen);
        EXPECT_EQ(at, c.at) << c.field.x() << "," << c.field.y();
        if (c.field != screen)
            EXPECT_FALSE(QRect(at, size).intersects(c.field));
        EXPECT_TRUE(screen.contains(QRect(at, size)));
    }
}

TEST_F(ChargePaymentDialogTest, SpecialCharactersGoToTheRemarksFieldThatHadTheFocus) {
    KDlgPayment dialog{KPayment()};
    activate(dialog);
    QApplication::processEvents();
    // The amount has the focus when the dialog opens; it offers the characters too.
    EXPECT_EQ(dialog.targetEdit(), dialog.amountEdit());
    QPushButton* button = dialog.findChild<QPushButton*>();
    button->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.targetEdit(), nullptr);
    dialog.showSpecialChars(); // no field has the focus: nothing happens, nothing blocks

    dialog.remarksEdit()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.targetEdit(), dialog.remarksEdit());
    dialog.datePicker()->lineEdit()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.targetEdit(), dialog.datePicker()->lineEdit());
    button->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.targetEdit(), nullptr);

    dialog.remarksEdit()->setFocus();
    dialog.remarksEdit()->setText(QStringLiteral("Caf"));
    QApplication::processEvents();
    // The menu of a right click on the dialog leaves the remarks field the target.
    dialog.popupMenu()->popup(dialog.mapToGlobal(QPoint(5, 5)));
    QApplication::processEvents();
    dialog.popupMenu()->hide();
    QApplication::processEvents();
    ASSERT_EQ(dialog.targetEdit(), dialog.remarksEdit());

    ModalAnswer pick([](QWidget* modal) {
        auto* picker = qobject_cast<KDlgSpecChars*>(modal);
        ASSERT_NE(picker, nullptr);
        // é is code 233: row (233 - 160) / 8, column (233 - 160) % 8
        picker->grid().setCurrentRow(9);
        picker->grid().setCurrentCol(1);
        picker->typeCurrent();
    });
    dialog.popupMenu()->actions().front()->trigger();
    EXPECT_TRUE(pick.answered());
    EXPECT_EQ(dialog.remarksEdit()->text(), QStringLiteral("Café"));
}

TEST_F(ChargePaymentDialogTest, PaymentRefusesADateOrAmountThatDoesNotRead) {
    KDlgPayment dialog{KPayment(10.0, KDateValue(20240105), "")};
    QStringList said;
    dialog.setMessenger([&](const QString& message) { said << message; });
    activate(dialog);

    // A date typed in another form than the program's is read; one that is no date is not
    // booked as today or as the old date.
    dialog.datePicker()->lineEdit()->setText(QStringLiteral("3-4-2024"));
    dialog.amountEdit()->setText(QStringLiteral("€ 1.250,00"));
    dialog.datePicker()->lineEdit()->setText(QStringLiteral("31-2-2024"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.back().startsWith(QStringLiteral("Datum: \"31-2-2024\" is geen datum")));
    EXPECT_EQ(dialog.datePicker()->lineEdit()->text(), QStringLiteral("31-2-2024")); // kept
    EXPECT_TRUE(dialog.datePicker()->lineEdit()->hasFocus());

    dialog.datePicker()->lineEdit()->setText(QStringLiteral("3-4-2024"));
    dialog.amountEdit()->setText(QStringLiteral("l5"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(said.back(),
              QStringLiteral("\"l5\" is geen bedrag. Typ bijvoorbeeld 12,50 of 1.234,50."));
    EXPECT_TRUE(dialog.amountEdit()->hasFocus());

    dialog.amountEdit()->setText(QStringLiteral("€ 1.250,00"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.payment().amount(), 1250.0);
    EXPECT_EQ(dialog.payment().date().value(), 20240403);
}

TEST_F(ChargePaymentDialogTest, ChargeRefusesAnAmountThatDoesNotReadAndKeepsADiscount) {
    KDlgCharge dialog(chargeOf({{"Senior", 80.0}, {"Bondsbijdrage", 12.5}}));
    QStringList said;
    dialog.setMessenger([&](const QString& message) { said << message; });
    activate(dialog);
    dialog.partAmount(0)->setText(QStringLiteral("75,50"));
    dialog.partAmount(1)->setText(QStringLiteral("12,5,0"));
    EXPECT_EQ(dialog.totalText(), QStringLiteral("75.50")); // what does not read counts nothing
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.back().contains(QStringLiteral("12,5,0")));
    EXPECT_TRUE(dialog.partAmount(1)->hasFocus());
    EXPECT_DOUBLE_EQ(dialog.charge().total(), 92.5); // nothing taken yet

    // A discount typed on the page stays; a new part that does not read is not added.
    dialog.partAmount(1)->setText(QStringLiteral("-10"));
    dialog.newPartName()->setText(QStringLiteral("Bal"));
    dialog.newPartAmount()->setText(QStringLiteral("twee"));
    dialog.addPart();
    EXPECT_EQ(dialog.partCount(), 2);
    EXPECT_TRUE(said.back().startsWith(QStringLiteral("\"twee\" is geen bedrag")));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.charge().total(), 65.5);
    ASSERT_EQ(dialog.charge().scheme()->parts().size(), 2u);
}

TEST_F(ChargePaymentDialogTest, AnAmountsOwnMenuOffersTheSpecialCharacters) {
    KDlgCharge dialog(chargeOf({{"Senior", 80.0}}));
    activate(dialog);
    QLineEdit* amount = dialog.partAmount(0);
    amount->setFocus();
    amount->setText(QStringLiteral("12,50"));
    QApplication::processEvents();
    ModalAnswer pick([](QWidget* modal) {
        auto* picker = qobject_cast<KDlgSpecChars*>(modal);
        ASSERT_NE(picker, nullptr);
        picker->grid().setCurrentRow(0);
        picker->grid().setCurrentCol(0); // the euro sign
        picker->typeCurrent();
    });
    // The right click on the field shows its own menu; its last entry is the picker.
    emit amount->customContextMenuRequested(QPoint(2, 2));
    QMenu* menu = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(top); m && m->isVisible())
            menu = m;
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_EQ(menu->actions().back()->text(), KSpecCharDialog::menuText());
    amount->setCursorPosition(0);
    menu->actions().back()->trigger();
    menu->close();
    EXPECT_TRUE(pick.answered());
    EXPECT_EQ(amount->text(), QStringLiteral("€12,50"));
}
