#include "member/KDlgMember.h"

#include "ScriptedMemberDialogs.h"
#include "core/edit/KEdit.h"
#include "grid/CvsFlexGrid.h"
#include "member/KDatePicker.h"
#include "member/KDlgFinancial.h"
#include "member/KFieldRow.h"
#include "platform/CodePage.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/Pinned.h"
#include "tests/support/ScriptedQuestions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace {

using Kind = KFieldInput::Kind;

class MemberDialogTest : public DocFixture {
protected:
    void SetUp() override {
        guiApplication();
        doc.OnNewDocument();
    }

    std::unique_ptr<KDlgMember> open(const KMember& start, bool adding) {
        return std::make_unique<KDlgMember>(doc, start, adding, dialogs, questions);
    }
    std::unique_ptr<KDlgMember> openNew() { return open(KMember(doc.fields()), true); }

    static KFieldRow* row(KDlgMember& dialog, const std::string& label) {
        for (const auto& r : dialog.rows())
            if (CodePage::fromQString(r->label()->text()) == label)
                return r.get();
        ADD_FAILURE() << "no row " << label;
        return nullptr;
    }
    static void type(KDlgMember& dialog, const std::string& label, const char* text) {
        row(dialog, label)->edit()->setText(QString::fromUtf8(text));
    }
    static QStringList tabTitles(const KDlgMember& dialog) {
        QStringList titles;
        for (int i = 0; i < dialog.tabWidget()->count(); ++i)
            titles << dialog.tabWidget()->tabText(i);
        return titles;
    }

    ScriptedMemberDialogs dialogs;
    ScriptedQuestions questions;
};

} // namespace

TEST_F(MemberDialogTest, BuildsAPagePerTabWithTheInputThatSuitsEachField) {
    auto dialog = openNew();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Toevoegen nieuw lid"));
    EXPECT_EQ(tabTitles(*dialog), (QStringList{"Persoonlijk", "NTTB", "Financieel"}));
    ASSERT_EQ(dialog->rows().size(), 11u);
    EXPECT_EQ(dialog->rows().front()->label()->text(), QStringLiteral("Naam"));
    EXPECT_EQ(row(*dialog, "Naam")->kind(), Kind::Edit);
    EXPECT_EQ(row(*dialog, "Geboortedatum")->kind(), Kind::Date);
    EXPECT_EQ(row(*dialog, "Man")->kind(), Kind::Check);
    QComboBox* types = row(*dialog, "Soort lid")->memberTypeList();
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->count(), 3);
    EXPECT_EQ(types->currentText(), QStringLiteral("Lid")); // a new member starts as "Lid"

    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    // Edits take the width of the page; a date picker stays narrow but shows a whole date.
    QLineEdit* name = row(*dialog, "Naam")->edit();
    KDatePicker* born = row(*dialog, "Geboortedatum")->datePicker();
    EXPECT_LT(born->width(), name->width());
    born->setDate(KDateValue(20241228));
    EXPECT_GE(born->lineEdit()->width(),
              born->lineEdit()->fontMetrics().horizontalAdvance(born->lineEdit()->text()));
    EXPECT_TRUE(name->hasFocus());

    dialog->showPage(1);
    ASSERT_EQ(dialog->rows().size(), 5u);
    EXPECT_EQ(row(*dialog, "Bondsnummer")->kind(), Kind::Edit);
    EXPECT_EQ(dialog->financialPage(), nullptr);
    dialog->showPage(2);
    EXPECT_TRUE(dialog->rows().empty());
    EXPECT_NE(dialog->financialPage(), nullptr);
}

TEST_F(MemberDialogTest, PagesFollowTheTabsAndShowFieldsTheMemberLacks) {
    KTabList tabs;
    KTabDef bond("Bond & Club", 0);
    KTabDef first("Eerst", -3);
    for (const KField& f : doc.fields()) {
        if (f.meaning() == FieldMeaning::FederationNumber || f.meaning() == FieldMeaning::Phone)
            bond.addFieldId(f.id());
        if (f.meaning() == FieldMeaning::Name)
            first.addFieldId(f.id());
    }
    bond.addFieldId(99999); // no such field at all
    tabs.insert(bond);
    tabs.insert(first);
    KEdit::replaceTabs(doc, tabs);

    KMember lacking = makeMember(doc, "Anna Visser");
    lacking.valueByMeaning(FieldMeaning::Phone)->setText("kwijt");
    lacking.removeValue(*lacking.valueByMeaning(FieldMeaning::Phone));
    auto dialog = open(lacking, false);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Anna Visser"));
    EXPECT_EQ(tabTitles(*dialog), (QStringList{"Eerst", "Bond && Club", "Financieel"}));

    dialog->showPage(1);
    ASSERT_EQ(dialog->rows().size(), 3u);
    const KFieldRow* phone = dialog->rows()[1].get();
    EXPECT_EQ(phone->label()->text(), QStringLiteral("Telefoon"));
    EXPECT_EQ(phone->kind(), Kind::Missing);
    ASSERT_NE(phone->edit(), nullptr);
    EXPECT_FALSE(phone->edit()->isEnabled());
    EXPECT_TRUE(phone->edit()->text().isEmpty());
    EXPECT_FALSE(dialog->rows()[2]->edit()->isEnabled());
    phone->edit()->setText(QStringLiteral("0612345678"));
    dialog->accept();
    EXPECT_EQ(dialog->member().valueByMeaning(FieldMeaning::Phone), nullptr);
}

TEST_F(MemberDialogTest, SwitchingPagesKeepsWhatWasTyped) {
    for (const auto& [typed, stored] :
         std::vector<std::pair<const char*, std::int32_t>>{{"12abc", 12}, {"abc", 0}}) {
        auto dialog = openNew();
        type(*dialog, "Naam", "Zoë Zwart");
        row(*dialog, "Man")->checkBox()->setChecked(true);
        row(*dialog, "Soort lid")->memberTypeList()->setCurrentIndex(2);
        dialog->tabWidget()->setCurrentIndex(1);
        type(*dialog, "Bondsnummer", typed);
        dialog->tabWidget()->setCurrentIndex(2);
        dialog->tabWidget()->setCurrentIndex(0);
        EXPECT_EQ(row(*dialog, "Naam")->edit()->text(), QStringLiteral("Zoë Zwart"));
        EXPECT_TRUE(row(*dialog, "Man")->checkBox()->isChecked());
        dialog->showPage(1);
        EXPECT_EQ(row(*dialog, "Bondsnummer")->edit()->text(), QString::number(stored));
        dialog->accept();

        const KMember& m = dialog->member();
        EXPECT_EQ(m.name(), CodePage::fromQString(QStringLiteral("Zoë Zwart")));
        EXPECT_EQ(m.valueByMeaning(FieldMeaning::FederationNumber)->number(), stored) << typed;
        EXPECT_EQ(m.valueByMeaning(FieldMeaning::Male)->number(), 1);
        EXPECT_EQ(m.textByMeaning(FieldMeaning::MemberType), "Erelid");
    }
}

TEST_F(MemberDialogTest, KeysStepThroughThePagesFromAnyControl) {
    auto dialog = openNew();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    row(*dialog, "Soort lid")->memberTypeList()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(dialog->tabWidget()->currentIndex(), 1);
    // The keyboard goes on in the new page.
    QLineEdit* number = row(*dialog, "Bondsnummer")->edit();
    EXPECT_EQ(QApplication::focusWidget(), number);
    QTest::keyClicks(number, "123"); // replaces the 0 it showed
    EXPECT_EQ(number->text(), QStringLiteral("123"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(dialog->tabWidget()->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(dialog->tabWidget()->currentIndex(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(dialog->tabWidget()->currentIndex(), 2);
}

TEST_F(MemberDialogTest, EmptyDatesStayEmptyAndDatesCanBeCleared) {
    KMember member = makeMember(doc, "Piet Jansen");
    member.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(0));
    member.valueByMeaning(FieldMeaning::RegistrationDate)->setDate(KDateValue(20010922));

    // Changing the phone number touches no date.
    auto dialog = open(member, false);
    KDatePicker* born = row(*dialog, "Geboortedatum")->datePicker();
    EXPECT_TRUE(born->lineEdit()->text().isEmpty());
    EXPECT_EQ(born->lineEdit()->placeholderText(), QStringLiteral("geen datum"));
    EXPECT_EQ(row(*dialog, "Inschrijfdatum")->datePicker()->lineEdit()->text(),
              QStringLiteral("20010922"));
    type(*dialog, "Telefoon", "038-1234567");
    dialog->accept();
    EXPECT_EQ(dialog->member().dateByMeaning(FieldMeaning::BirthDate).value(), 0);
    EXPECT_EQ(dialog->member().dateByMeaning(FieldMeaning::RegistrationDate).value(), 20010922);

    // A date cleared becomes 0, a date picked or typed is taken, a text that is no date is not:
    // it stays as typed, and neither OK nor another page takes the dialog past it.
    dialog = open(member, false);
    row(*dialog, "Inschrijfdatum")->datePicker()->lineEdit()->clear();
    born = row(*dialog, "Geboortedatum")->datePicker();
    born->pick(QDate(1999, 2, 28));
    EXPECT_EQ(born->lineEdit()->text(), QStringLiteral("19990228"));
    dialog->showPage(1);
    dialog->showPage(0);
    born = row(*dialog, "Geboortedatum")->datePicker();
    born->lineEdit()->setText(QStringLiteral("20240231"));
    EXPECT_EQ(born->date().value(), 19990228);
    EXPECT_TRUE(born->unreadable());
    EXPECT_EQ(born->lineEdit()->text(), QStringLiteral("20240231"));
    dialog->tabWidget()->setCurrentIndex(1);
    EXPECT_EQ(dialog->tabWidget()->currentIndex(), 0);
    EXPECT_EQ(row(*dialog, "Geboortedatum")->datePicker(), born);
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(questions.alerts(),
              (QStringList{"Geboortedatum: \"20240231\" is geen datum. Typ bijvoorbeeld 20010922.",
                           "Geboortedatum: \"20240231\" is geen datum. Typ bijvoorbeeld 20010922."}));
    born->lineEdit()->setText(QStringLiteral("29-2-2024")); // read in the order of day, month, year
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->member().dateByMeaning(FieldMeaning::RegistrationDate).value(), 0);
    EXPECT_EQ(dialog->member().dateByMeaning(FieldMeaning::BirthDate).value(), 20240229);
}

TEST_F(MemberDialogTest, AnAmountThatDoesNotReadKeepsThePage) {
    KField fee(doc.handOutId(), FieldType::Amount, FieldMeaning::Other, "Borg");
    KFieldList fields = doc.fields();
    fields.insert(fee);
    KTabList tabs = doc.tabs();
    tabs.findFirst([](const KTabDef& t) { return t.position() == 0; })->addFieldId(fee.id());
    KEdit::replaceFields(doc, fields, tabs);
    KMember member = makeMember(doc, "Piet Jansen");
    member.valueById(fee.id())->setReal(12.345);

    auto dialog = open(member, false);
    QLineEdit* borg = row(*dialog, "Borg")->edit();
    EXPECT_EQ(borg->text(), QStringLiteral("12.35"));
    borg->setText(QStringLiteral("l5"));
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(questions.alerts().size(), 1);
    EXPECT_EQ(questions.alerts().back(),
              QStringLiteral("Borg: \"l5\" is geen bedrag. Typ bijvoorbeeld 12,50 of 1.234,50."));
    borg->setText(QStringLiteral("1.250,50"));
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog->member().valueById(fee.id())->real(), 1250.5);
}

TEST_F(MemberDialogTest, AnUntouchedMemberTypeListKeepsTheMembersType) {
    KEdit::replaceMemberTypes(doc, {"Senior recreant", "Senior", "Jeugd"});
    for (const char* type : {"Senior", "Senior recreant", "sen", "Vervallen"}) {
        const KMember member = makeMember(doc, "Piet Jansen", type);
        auto dialog = open(member, false);
        dialog->accept();
        EXPECT_EQ(dialog->member().textByMeaning(FieldMeaning::MemberType), type);
    }
    auto dialog = open(makeMember(doc, "Piet Jansen", "Senior"), false);
    EXPECT_EQ(row(*dialog, "Soort lid")->memberTypeList()->currentText(), QStringLiteral("Senior"));
    row(*dialog, "Soort lid")->memberTypeList()->setCurrentIndex(2);
    dialog->accept();
    EXPECT_EQ(dialog->member().textByMeaning(FieldMeaning::MemberType), "Jeugd");
}

TEST_F(MemberDialogTest, CancelAsksOnlyWhenTheCopyDiffers) {
    const KMember member = makeMember(doc, "Piet Jansen");
    // Untouched, also after visiting every page: closed without a question.
    auto dialog = open(member, false);
    dialog->showPage(1);
    dialog->showPage(2);
    dialog->reject();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(questions.asked().empty());

    // A payment entered: asked; "Nee" keeps the dialog open with the payment.
    dialog = open(member, false);
    dialog->showPage(2);
    dialogs.answerPayment([](const KPayment& start) {
        return std::optional<KPayment>(KPayment(25.0, start.date()));
    });
    dialog->financialPage()->addPayment();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    questions.answerYesNo(false).answerYesNo(true);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(questions.asked().size(), 1u);
    EXPECT_EQ(questions.asked().back().message,
              QStringLiteral("Wijzigingen in dit lid weggooien?"));
    EXPECT_EQ(dialog->financialPage()->lists().payments().size(), 1u);
    dialog->reject();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(dialogs.done());

    // A new member typed into is asked about too; an untouched new one is not.
    dialog = openNew();
    dialog->reject();
    EXPECT_EQ(questions.asked().size(), 2u);
    dialog = openNew();
    type(*dialog, "Naam", "Zoë");
    questions.answerYesNo(true);
    dialog->reject();
    EXPECT_EQ(questions.asked().size(), 3u);
}

TEST_F(MemberDialogTest, TheDialogIsSizedOnceForItsLargestPage) {
    // A tab of many fields makes the largest page, whichever page is shown first.
    KTabList tabs = doc.tabs();
    KTabDef big("Alles", 2);
    for (const KField& f : doc.fields())
        big.addFieldId(f.id());
    tabs.insert(big);
    KEdit::replaceTabs(doc, tabs);
    auto dialog = open(makeMember(doc, "Piet Jansen"), false);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const QSize first = dialog->size();
    for (int page : {1, 2, 3, 0, 3}) {
        dialog->showPage(page);
        QApplication::processEvents();
        EXPECT_EQ(dialog->size(), first) << page;
        // Every page gets the room it asks for.
        QWidget* content = dialog->tabWidget()->currentWidget();
        EXPECT_GE(content->width(), content->layout()->itemAt(0)->widget()->sizeHint().width())
            << page;
    }
}

TEST_F(MemberDialogTest, DatePickerStepsDaysAndShowsTheProgramsFormat) {
    PinnedDateFormat custom{"%d-%m-%Y"};
    KDatePicker picker;
    picker.setDate(KDateValue(20000228));
    EXPECT_EQ(picker.lineEdit()->text(), QStringLiteral("28-02-2000"));
    QTest::keyClick(picker.lineEdit(), Qt::Key_Up);
    QTest::keyClick(picker.lineEdit(), Qt::Key_Up);
    EXPECT_EQ(picker.lineEdit()->text(), QStringLiteral("01-03-2000"));
    EXPECT_TRUE(picker.touched());
    picker.lineEdit()->setText(QStringLiteral("15-06-2001"));
    EXPECT_EQ(picker.date().value(), 20010615);

    picker.setEmptyAllowed(false);
    picker.lineEdit()->clear();
    EXPECT_EQ(picker.date().value(), 20010615);
    EXPECT_EQ(picker.lineEdit()->text(), QStringLiteral("15-06-2001"));
}

TEST_F(MemberDialogTest, WithoutTabsTheDialogEndsAsCancelled) {
    KEdit::replaceTabs(doc, KTabList());
    auto dialog = openNew();
    EXPECT_FALSE(dialog->hasTabs());
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
}

namespace {

class FinancialPageTest : public MemberDialogTest {
protected:
    void SetUp() override {
        MemberDialogTest::SetUp();
        member = makeMember(doc, "Els de Vries");
        member.addPayment(KPayment(12.345, KDateValue(20240105), "contant"));
        member.addPayment(KPayment(20.0, KDateValue(20240201)));
        for (double fee : {10.0, 20.0}) {
            // Two charges made in the same second: one scheme id.
            auto scheme = std::make_unique<KContribution>(1700000000);
            scheme->AddPart(KContrPart("Lidmaatschap", 1700000000, fee));
            member.addCharge(KCharge(std::move(scheme)));
        }
        dialog = open(member, false);
        dialog->showPage(2);
        page = dialog->financialPage();
        ASSERT_NE(page, nullptr);
        page->resize(600, 400);
    }

    std::vector<std::string> column(KDlgFinancial::Which which, int col) const {
        std::vector<std::string> texts;
        const CvsFlexGrid& g = page->grid(which);
        for (int r = 1; r < g.rowCount(); ++r)
            texts.push_back(g.cellText(r, col));
        return texts;
    }

    KMember member;
    std::unique_ptr<KDlgMember> dialog;
    KDlgFinancial* page = nullptr;
};

} // namespace

TEST_F(FinancialPageTest, ShowsChargesAndPaymentsWithTheirTotals) {
    CvsFlexGrid& charges = page->grid(KDlgFinancial::Charges);
    EXPECT_EQ(charges.cellText(0, 0), "Contributie");
    EXPECT_EQ(charges.cellText(0, 1), "Bedrag");
    EXPECT_EQ(charges.cellText(0, 2), "Opmerkingen");
    EXPECT_TRUE(charges.columnHidden(3));
    EXPECT_EQ(page->grid(KDlgFinancial::Payments).cellText(0, 0), "Datum");
    EXPECT_EQ(column(KDlgFinancial::Payments, 1), (std::vector<std::string>{"12.35", "20.00"}));
    EXPECT_EQ(page->totalText(KDlgFinancial::Charges), QStringLiteral("30.00"));
    EXPECT_EQ(page->totalText(KDlgFinancial::Payments), QStringLiteral("32.35"));
    EXPECT_EQ(page->addButton(KDlgFinancial::Charges)->text(), QStringLiteral("&Voeg toe"));
    EXPECT_EQ(page->addButton(KDlgFinancial::Payments)->text(), QStringLiteral("Voeg &toe"));
}

TEST_F(FinancialPageTest, APaymentOfThreeDecimalsIsChangedAndDeleted) {
    CvsFlexGrid& payments = page->grid(KDlgFinancial::Payments);
    dialogs.answerPayment([](const KPayment& start) {
        EXPECT_DOUBLE_EQ(start.amount(), 12.345);
        KPayment changed = start;
        changed.setRemarks("per bank");
        return std::optional<KPayment>(changed);
    });
    payments.setCurrentRow(1);
    emit payments.doubleClick();
    EXPECT_EQ(column(KDlgFinancial::Payments, 2), (std::vector<std::string>{"per bank", ""}));

    questions.answerYesNo(false).answerYesNo(true);
    page->remove(KDlgFinancial::Payments, 1);
    EXPECT_EQ(payments.rowCount(), 3);
    page->remove(KDlgFinancial::Payments, 1);
    EXPECT_EQ(column(KDlgFinancial::Payments, 1), (std::vector<std::string>{"20.00"}));
    EXPECT_EQ(questions.asked().back().message,
              QStringLiteral("Weet u zeker dat u\n  20240105\n  12.35\n  per bank\n\nwilt "
                             "verwijderen?"));
    EXPECT_EQ(page->totalText(KDlgFinancial::Payments), QStringLiteral("20.00"));

    dialog->accept();
    ASSERT_EQ(dialog->member().payments().size(), 1u);
    EXPECT_EQ(dialog->member().payments().at(0).amount(), 20.0);
    EXPECT_TRUE(dialogs.done());
}

TEST_F(FinancialPageTest, TwoChargesOfOneIdAreEachChanged) {
    CvsFlexGrid& charges = page->grid(KDlgFinancial::Charges);
    for (int r = 1; r <= 2; ++r) {
        dialogs.answerCharge([r](const KCharge& start) {
            KCharge changed = start;
            changed.setText("rij " + std::to_string(r) + " van " +
                            std::to_string(static_cast<int>(start.total())));
            return std::optional<KCharge>(changed);
        });
        charges.setCurrentRow(r);
        page->change(KDlgFinancial::Charges);
    }
    const std::vector<std::string> texts = column(KDlgFinancial::Charges, 2);
    EXPECT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0], texts[1]);
    // A page switch takes the changes into the working copy.
    dialog->showPage(0);
    std::set<std::string> stored;
    for (const KCharge& c : dialog->member().charges())
        stored.insert(c.text());
    EXPECT_EQ(stored, (std::set<std::string>{"rij 1 van 20", "rij 2 van 10"}));
}

TEST_F(FinancialPageTest, AddsAndOffersItsMenuOnTheClickedRow) {
    dialogs.answerCharge([](const KCharge& start) {
        KCharge made = start;
        made.scheme()->AddPart(KContrPart("Bal", 1, 2.5));
        return std::optional<KCharge>(made);
    });
    page->addButton(KDlgFinancial::Charges)->click();
    EXPECT_EQ(page->totalText(KDlgFinancial::Charges), QStringLiteral("32.50"));
    dialogs.answerPayment([](const KPayment&) { return std::nullopt; });
    page->addButton(KDlgFinancial::Payments)->click();
    EXPECT_EQ(page->grid(KDlgFinancial::Payments).rowCount(), 3);

    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    CvsFlexGrid& payments = page->grid(KDlgFinancial::Payments);
    QTableView* view = payments.view();
    const QPoint onRow2 = view->visualRect(view->model()->index(1, 0)).center();
    page->prepareMenu(KDlgFinancial::Payments, onRow2);
    EXPECT_EQ(payments.selectedRowCount(), 1);
    EXPECT_EQ(payments.selectedRowAt(0), 2);
    EXPECT_TRUE(page->menuAction(KDlgFinancial::Change)->isEnabled());
    const QPoint below(5, view->viewport()->height() - 2);
    page->prepareMenu(KDlgFinancial::Payments, below);
    EXPECT_EQ(payments.selectedRowCount(), 0);
    EXPECT_FALSE(page->menuAction(KDlgFinancial::Change)->isEnabled());
    EXPECT_FALSE(page->menuAction(KDlgFinancial::Delete)->isEnabled());
    EXPECT_TRUE(page->menuAction(KDlgFinancial::Add)->isEnabled());

    // The menu's "&Toevoegen" adds to the grid that was clicked.
    dialogs.answerPayment([](const KPayment& start) {
        EXPECT_EQ(start.date().value(), 20240301);
        return std::optional<KPayment>(KPayment(5.0, start.date()));
    });
    page->menuAction(KDlgFinancial::Add)->trigger();
    EXPECT_EQ(payments.rowCount(), 4);
    EXPECT_TRUE(dialogs.done());
}
