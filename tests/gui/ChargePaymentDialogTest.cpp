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
    fresh.amountEdit()->setText(QStringLiteral("25,50")); // read as far as it is a number
    fresh.datePicker()->lineEdit()->clear();              // a payment keeps a date
    fresh.accept();
    EXPECT_EQ(fresh.payment().amount(), 25.0);
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

    // Beside the field, unless that reaches the screen's edge.
    const QRect screen(0, 0, 1280, 900);
    EXPECT_EQ(KDlgSpecChars::besideField(QRect(100, 200, 300, 20), QSize(250, 300), screen),
              QPoint(400, 200));
    EXPECT_FALSE(KDlgSpecChars::besideField(QRect(900, 200, 300, 20), QSize(250, 300), screen));
    EXPECT_FALSE(KDlgSpecChars::besideField(QRect(100, 700, 300, 20), QSize(250, 300), screen));
}

TEST_F(ChargePaymentDialogTest, SpecialCharactersGoToTheRemarksFieldThatHadTheFocus) {
    KDlgPayment dialog{KPayment()};
    activate(dialog);
    EXPECT_EQ(dialog.targetEdit(), nullptr);
    dialog.showSpecialChars(); // nothing had the focus: nothing happens, nothing blocks

    dialog.remarksEdit()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.targetEdit(), dialog.remarksEdit());
    dialog.amountEdit()->setFocus();
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
