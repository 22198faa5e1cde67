// F1 and the Help button of every dialog: the dialog's page of the manual.
#include "ScriptedMemberDialogs.h"

#include "config/KDlgColumns.h"
#include "config/KDlgFields.h"
#include "config/KDlgMembertypes.h"
#include "config/KDlgTabs.h"
#include "config/KSettings.h"
#include "contrib/KContrExec.h"
#include "contrib/KContrOverview.h"
#include "contrib/KDlgCondition.h"
#include "contrib/KDlgContribution.h"
#include "core/config/KFieldSetup.h"
#include "core/contrib/KConditionEditor.h"
#include "core/contrib/KOverview.h"
#include "core/contrib/KSchemeEditor.h"
#include "grid/CvsFlexGrid.h"
#include "member/KDlgAgeUpdate.h"
#include "member/KDlgCharge.h"
#include "member/KDlgFinancial.h"
#include "member/KDlgMember.h"
#include "member/KDlgPayment.h"
#include "member/KDlgSpecChars.h"
#include "output/KDlgExport.h"
#include "res/Resources.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ScriptedQuestions.h"
#include "tolvex7/KHelpShow.h"
#include "tolvex7/KHelpWindow.h"
#include "view/KDialogButtons.h"
#include "view/KDialogHelp.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString kManual = QStringLiteral(":/handleiding");

// Records the pages asked for instead of showing them, for as long as it lives.
class RecordedHelp {
public:
    RecordedHelp()
        : m_before(KDialogHelp::setShower([this](KHelpContext c) { m_shown.push_back(c.id()); })) {}
    ~RecordedHelp() { KDialogHelp::setShower(m_before); }

    // The contexts asked for since the last call.
    std::vector<unsigned> take() { return std::exchange(m_shown, {}); }

private:
    std::vector<unsigned> m_shown;
    KDialogHelp::Shower m_before;
};

// The page of the manual a context opens; empty for none.
QString pageOf(unsigned context) {
    for (const KHelpWindow::Page& page : KHelpWindow::readContents(kManual)) {
        for (unsigned c : page.contexts)
            if (c == context)
                return page.file;
    }
    return {};
}

// A control deep in the dialog that takes the keyboard, so that F1 has to find its way up.
QWidget* someControl(QWidget& dialog) {
    for (auto* edit : dialog.findChildren<QLineEdit*>())
        if (edit->isVisible() && edit->isEnabled())
            return edit;
    for (auto* view : dialog.findChildren<QAbstractItemView*>())
        if (view->isVisible())
            return view;
    return &dialog;
}

class DialogHelpTest : public DocFixture {
protected:
    DialogHelpTest() : DocFixture({.today = 20260315, .locale = "nl_NL"}) {
        guiApplication();
        initResources();
        doc.OnNewDocument();
    }
    ~DialogHelpTest() override { delete KHelpWindow::current(); }

    ScriptedQuestions questions;
    ScriptedMemberDialogs memberDialogs;
};

TEST_F(DialogHelpTest, F1AndTheHelpButtonOfEveryDialogShowItsPage) {
    ASSERT_TRUE(KHelpWindow::isHelpFolder(kManual));
    KSchemeEditor schemes(KContribution(doc.handOutId()), doc.fields(), doc.memberTypes(),
                          [this] { return doc.handOutId(); });
    KConditionEditor conditions(doc.fields(), doc.memberTypes(), -1);
    KContrPart part("Contributie", doc.handOutId(), 85.0);
    KFieldSetup fields(doc.fields(), doc.tabs(), [this] { return doc.handOutId(); });
    const KOverview overview(doc);
    QLineEdit remarks;

    struct Case {
        const char* dialog;
        std::function<std::unique_ptr<QDialog>()> make;
        QString page;
        bool helpButton = true;
    };
    const std::vector<Case> cases = {
        {"member",
         [&] {
             return std::make_unique<KDlgMember>(doc, KMember(doc.fields()), true, memberDialogs,
                                                 questions);
         },
         "lidgegevens.md"},
        {"charge", [] { return std::make_unique<KDlgCharge>(KCharge()); }, "financieel.md"},
        {"payment", [] { return std::make_unique<KDlgPayment>(KPayment()); }, "financieel.md"},
        {"age",
         [] {
             return std::make_unique<KDlgAgeUpdate>(
                 KMemberDialogs::AgeChoice{KDateValue(20270101), 18});
         },
         "leeftijd.md"},
        {"special characters", [&] { return std::make_unique<KDlgSpecChars>(&remarks); },
         "speciale-karakters.md", false},
        {"scheme", [&] { return std::make_unique<KDlgContribution>(schemes, questions); },
         "contributie-schema.md"},
        {"condition", [&] { return std::make_unique<KDlgCondition>(part, conditions); },
         "contributie-schema.md"},
        {"execution",
         [] {
             return std::make_unique<KContrExec>("Contributie 2026",
                                                 std::vector<KExecution::Row>{{11, "Bakker", ""}});
         },
         "contributie-uitvoeren.md"},
        {"overview", [&] { return std::make_unique<KContrOverview>(overview, nullptr); },
         "contributie-overzicht.md", false},
        {"export", [] { return std::make_unique<KDlgExport>(); }, "exporteren.md"},
        {"tabs", [&] { return std::make_unique<KDlgTabs>(questions); }, "rubrieken.md"},
        {"fields", [&] { return std::make_unique<KDlgFields>(fields, questions); }, "velden.md"},
        {"member types", [&] { return std::make_unique<KDlgMembertypes>(questions); },
         "soorten-leden.md"},
        {"columns", [] { return std::make_unique<KDlgColumns>(); }, "kolommen.md"},
        {"settings", [] { return std::make_unique<KSettings>(); }, "instellingen.md", false},
    };
    RecordedHelp help;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        std::unique_ptr<QDialog> dialog = c.make();
        dialog->show();
        QWidget* control = someControl(*dialog);

        QTest::keyClick(control, Qt::Key_F1, Qt::ShiftModifier);
        EXPECT_TRUE(help.take().empty()) << "Shift+F1 is not the window's help";
        QTest::keyClick(control, Qt::Key_F1);
        const std::vector<unsigned> shown = help.take();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(pageOf(shown.front()), c.page);

        auto* buttons = dialog->findChild<KDialogButtons*>();
        QPushButton* helpButton = buttons ? buttons->help() : nullptr;
        ASSERT_EQ(helpButton != nullptr, c.helpButton);
        if (helpButton) {
            EXPECT_EQ(helpButton->text(), QStringLiteral("&Help"));
            EXPECT_TRUE(helpButton->isEnabled());
            helpButton->click();
            EXPECT_EQ(help.take(), shown) << "the Help button shows the page F1 shows";
        }
        EXPECT_TRUE(dialog->isVisible()) << "neither closes the dialog";
    }
}

// The member dialog's financial page has a page of its own; the other pages are the dialog's.
TEST_F(DialogHelpTest, F1OnTheFinancialPageShowsItsOwnPage) {
    RecordedHelp help;
    KDlgMember dialog(doc, KMember(doc.fields()), true, memberDialogs, questions);
    dialog.show();
    QTabWidget* tabs = dialog.tabWidget();
    tabs->setCurrentIndex(tabs->count() - 1);
    auto* financial = dialog.findChild<KDlgFinancial*>();
    ASSERT_NE(financial, nullptr);
    QTest::keyClick(financial->grid(KDlgFinancial::Payments).view(), Qt::Key_F1);
    tabs->setCurrentIndex(0);
    QTest::keyClick(someControl(dialog), Qt::Key_F1);
    const std::vector<unsigned> shown = help.take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(pageOf(shown[0]), QStringLiteral("financieel.md"));
    EXPECT_EQ(pageOf(shown[1]), QStringLiteral("lidgegevens.md"));
}

// Without a shower standing in, the page opens in the program's help window; without a help
// file the Help button is grey and F1 does nothing.
TEST_F(DialogHelpTest, ThePageOpensInTheHelpWindowWhileThereIsAHelpFile) {
    const std::string before = KHelpShow::applicationHelpFile();
    KHelpShow::setApplicationHelpFile(kManual.toStdString());
    {
        KDlgColumns dialog;
        dialog.show();
        EXPECT_TRUE(dialog.findChild<KDialogButtons*>()->help()->isEnabled());
        QTest::keyClick(someControl(dialog), Qt::Key_F1);
        KHelpWindow* window = KHelpWindow::current();
        ASSERT_NE(window, nullptr);
        ASSERT_GE(window->currentPage(), 0);
        EXPECT_EQ(window->pages().at(static_cast<std::size_t>(window->currentPage())).file,
                  QStringLiteral("kolommen.md"));
        delete window;
    }
    KHelpShow::setApplicationHelpFile("");
    {
        KDlgColumns dialog;
        dialog.show();
        EXPECT_FALSE(dialog.findChild<KDialogButtons*>()->help()->isEnabled());
        QTest::keyClick(someControl(dialog), Qt::Key_F1);
        EXPECT_EQ(KHelpWindow::current(), nullptr);
    }
    KHelpShow::setApplicationHelpFile(before);
}

// OK reaches the dialog's own accept() once, so that what it does (an export, say) happens once.
TEST_F(DialogHelpTest, OkAcceptsOnceThroughTheDialog) {
    struct Counting : QDialog {
        void accept() override {
            ++accepted;
            QDialog::accept();
        }
        int accepted = 0;
    };
    Counting dialog;
    auto* buttons = new KDialogButtons(dialog, KHelpContext::command(32788));
    dialog.show();
    buttons->ok()->click();
    EXPECT_EQ(dialog.accepted, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.show();
    buttons->cancel()->click();
    EXPECT_EQ(dialog.accepted, 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Enter on a focused button presses that button; it does not run the scheme through the
// default button behind it.
TEST_F(DialogHelpTest, EnterOnAFocusedButtonPressesThatButton) {
    KContrExec dialog("Contributie 2026", {{11, "Bakker", ""}, {12, "Jansen", "105.00"}});
    dialog.show();
    KDialogButtons* buttons = dialog.findChild<KDialogButtons*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_TRUE(buttons->ok()->isDefault());
    QPushButton* invert = nullptr;
    for (auto* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("&Keer selectie om"))
            invert = button;
    ASSERT_NE(invert, nullptr);
    QTest::keyClick(invert, Qt::Key_Return);
    EXPECT_EQ(dialog.chosenMembers(), std::vector<std::int32_t>{12});
    ASSERT_TRUE(dialog.isVisible()) << "the scheme did not run";
    QTest::keyClick(buttons->cancel(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
