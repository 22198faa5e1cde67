// The contribution dialogs as a person uses them: the scheme dialog with its parts and
// conditions, the execution dialog's selection, and the overview.
#include "contrib/KContrExec.h"
#include "contrib/KContrOverview.h"
#include "contrib/KDateControl.h"
#include "contrib/KDlgCondition.h"
#include "contrib/KDlgContribution.h"
#include "core/contrib/KOverview.h"
#include "core/contrib/KSchemeEditor.h"
#include "core/edit/KEdit.h"
#include "grid/CvsFlexGrid.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/Pinned.h"
#include "tests/support/ScriptedQuestions.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

class ContribDialogsTest : public DocFixture {
protected:
    ContribDialogsTest() : DocFixture({.today = 20260315, .locale = "nl_NL"}) {
        guiApplication();
        doc.OnNewDocument();
    }

    KSchemeEditor editorFor(const KContribution& scheme) {
        return KSchemeEditor(scheme, doc.fields(), doc.memberTypes(), [this] { return doc.handOutId(); });
    }

    // The point of a data row (from 1) of a grid with a title row, or of a row of a grid
    // without one (from 0).
    static QPoint pointOf(CvsFlexGrid* grid, int row, int col = 0) {
        QTableView* view = grid->view();
        return view->visualRect(view->model()->index(row - grid->fixedRowCount(), col)).center();
    }
    static void click(CvsFlexGrid* grid, int row, int col = 0) {
        QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, Qt::NoModifier, pointOf(grid, row, col));
    }
    static std::vector<std::string> column(CvsFlexGrid* grid, int col) {
        std::vector<std::string> cells;
        for (int row = grid->fixedRowCount(); row < grid->rowCount(); ++row)
            cells.push_back(grid->cellText(row, col));
        return cells;
    }

    ScriptedQuestions questions;
};

} // namespace

TEST_F(ContribDialogsTest, TheSchemeDialogEditsPartsOnAWorkingCopy) {
    KSchemeEditor editor = editorFor(KContribution(doc.handOutId()));
    KDlgContribution dialog(editor, questions);
    dialog.show();
    QAbstractItemModelTester tester(dialog.partsGrid()->view()->model());
    EXPECT_EQ(dialog.descriptionEdit()->text(), QStringLiteral("Contributie 2026"));
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 1);
    EXPECT_TRUE(dialog.partsGrid()->columnHidden(3));

    // A scheme without parts has nothing to lose: no question.
    ModalAnswer::click(&dialog, QStringLiteral("&Standaard"));
    EXPECT_TRUE(questions.asked().empty());
    ASSERT_EQ(dialog.partsGrid()->rowCount(), 19);
    EXPECT_EQ(dialog.partsGrid()->cellText(1, 1), "85.00");
    EXPECT_EQ(dialog.partsGrid()->cellText(1, 2), "Senior = Ja EN Soort lid = Erelid");

    // A part selected shows in the editing area with its conditions.
    click(dialog.partsGrid(), 1);
    EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("Contributie"));
    EXPECT_EQ(dialog.amountEdit()->text(), QStringLiteral("85.00"));
    EXPECT_EQ(column(dialog.conditionsGrid(), 1),
              (std::vector<std::string>{"Senior = Ja", "Soort lid = Erelid"}));

    // "&Wijzigen" puts it back changed; "&Toevoegen" adds what is typed and keeps it shown.
    dialog.amountEdit()->setText(QStringLiteral("86"));
    ModalAnswer::click(&dialog, QStringLiteral("&Wijzigen"));
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 19);
    EXPECT_EQ(dialog.partsGrid()->cellText(1, 1), "86.00");
    dialog.nameEdit()->setText(QStringLiteral("Zaalhuur"));
    dialog.amountEdit()->setText(QStringLiteral("5"));
    ModalAnswer::click(&dialog, QStringLiteral("&Toevoegen"));
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 20);
    EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("Zaalhuur"));
    EXPECT_EQ(dialog.conditionsGrid()->rowCount(), 0);

    // "&Verwijderen" takes the selected part out.
    click(dialog.partsGrid(), 19);
    EXPECT_EQ(dialog.partsGrid()->cellText(19, 0), "Zaalhuur");
    ModalAnswer::click(&dialog, QStringLiteral("&Verwijderen"));
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 19);

    dialog.descriptionEdit()->setText(QStringLiteral("Seizoen 2026-2027"));
    ModalAnswer::click(&dialog, QStringLiteral("&OK"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(editor.working().description(), "Seizoen 2026-2027");
    EXPECT_EQ(editor.working().parts().size(), 18u);
    EXPECT_EQ(editor.working().date().value(), 20260315);
}

TEST_F(ContribDialogsTest, StandardOverPartsAsksFirst) {
    KContribution scheme(doc.handOutId());
    scheme.setDescription("Zomercompetitie");
    scheme.setDate(KDateValue(20250601));
    scheme.AddPart(KContrPart("Zaalhuur", doc.handOutId(), 12.5));
    KSchemeEditor editor = editorFor(scheme);
    KDlgContribution dialog(editor, questions);
    dialog.show();

    questions.answerYesNo(false);
    ModalAnswer::click(&dialog, QStringLiteral("&Standaard"));
    ASSERT_EQ(questions.asked().size(), 1u);
    EXPECT_EQ(questions.asked().back().message,
              QStringLiteral("De onderdelen, omschrijving en datum worden vervangen.\n\n"
                             "Wilt u doorgaan?"));
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 2);
    EXPECT_EQ(dialog.descriptionEdit()->text(), QStringLiteral("Zomercompetitie"));
    EXPECT_EQ(editor.working().date().value(), 20250601);
    EXPECT_FALSE(editor.changed());

    questions.answerYesNo(true);
    ModalAnswer::click(&dialog, QStringLiteral("&Standaard"));
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 19);
    EXPECT_EQ(dialog.descriptionEdit()->text(), QStringLiteral("Contributie 2026"));
    EXPECT_TRUE(questions.done());
}

TEST_F(ContribDialogsTest, EnterInTheNameOrAmountAddsThePart) {
    KSchemeEditor editor = editorFor(KContribution(doc.handOutId()));
    KDlgContribution dialog(editor, questions);
    dialog.show();
    dialog.nameEdit()->setText(QStringLiteral("Zaalhuur"));
    dialog.amountEdit()->setText(QStringLiteral("5"));
    dialog.amountEdit()->setFocus();
    QTest::keyClick(dialog.amountEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    ASSERT_EQ(dialog.partsGrid()->rowCount(), 2);
    EXPECT_EQ(dialog.partsGrid()->cellText(1, 0), "Zaalhuur");
    EXPECT_EQ(dialog.partsGrid()->cellText(1, 1), "5.00");

    dialog.nameEdit()->setText(QStringLiteral("Bond"));
    QTest::keyClick(dialog.nameEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.partsGrid()->rowCount(), 3);

    // Nothing typed: Enter is the dialog's OK as ever.
    dialog.nameEdit()->clear();
    dialog.amountEdit()->clear();
    QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(editor.working().parts().size(), 2u);
}

TEST_F(ContribDialogsTest, ConditionsAreAddedThroughTheConditionDialog) {
    KSchemeEditor editor = editorFor(KContribution(doc.handOutId()));
    KDlgContribution dialog(editor, questions);
    dialog.show();
    dialog.nameEdit()->setText(QStringLiteral("Competitie"));
    dialog.amountEdit()->setText(QStringLiteral("25"));

    ModalAnswer answer([](QWidget* modal) {
        auto* condition = qobject_cast<KDlgCondition*>(modal);
        ASSERT_NE(condition, nullptr);
        EXPECT_EQ(condition->windowTitle(), QStringLiteral("Voorwaarde"));
        condition->fieldList()->setCurrentText(QStringLiteral("Senior"));
        auto* value = qobject_cast<QComboBox*>(condition->valueControl());
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentText(), QStringLiteral("Ja"));
        value->setCurrentText(QStringLiteral("Nee"));
        // Another field gives another control; and back again.
        condition->fieldList()->setCurrentText(QStringLiteral("Woonplaats"));
        EXPECT_NE(qobject_cast<QLineEdit*>(condition->valueControl()), nullptr);
        condition->fieldList()->setCurrentText(QStringLiteral("Senior"));
        qobject_cast<QComboBox*>(condition->valueControl())->setCurrentText(QStringLiteral("Nee"));
        ModalAnswer::click(condition, QStringLiteral("&OK"));
    });
    dialog.addCondition();
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(column(dialog.conditionsGrid(), 1), (std::vector<std::string>{"Senior = Nee"}));
    EXPECT_EQ(dialog.amountEdit()->text(), QStringLiteral("25.00"));

    // A right click selects the row under it and opens the conditions menu.
    QWidget* viewport = dialog.conditionsGrid()->view()->viewport();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, pointOf(dialog.conditionsGrid(), 0, 1),
                                 viewport->mapToGlobal(pointOf(dialog.conditionsGrid(), 0, 1)));
    QCoreApplication::sendEvent(viewport, &rightClick);
    QMenu* popup = dialog.conditionMenu()->actions().front()->menu();
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
    EXPECT_EQ(dialog.conditionsGrid()->selectedRowAt(0), 0);
    QStringList items;
    for (QAction* action : popup->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{"&Toevoegen", "&Wijzigen", "&Verwijderen"}));

    // Deleted again through the menu's handler.
    dialog.deleteCondition();
    EXPECT_EQ(dialog.conditionsGrid()->rowCount(), 0);
    ModalAnswer::click(&dialog, QStringLiteral("&Toevoegen"));
    ASSERT_EQ(editor.working().parts().size(), 1u);
    EXPECT_EQ(editor.working().parts().front().name(), "Competitie");
}

TEST_F(ContribDialogsTest, TheExecutionDialogSelectsByItsButtons) {
    const std::vector<KExecution::Row> rows = {
        {11, "Bakker", ""}, {12, "Jansen", "105.00"}, {13, "Visser", "0.00"}};
    KContrExec dialog("Contributie 2026", rows);
    dialog.show();
    QAbstractItemModelTester tester(dialog.grid()->view()->model());
    CvsFlexGrid* grid = dialog.grid();
    EXPECT_EQ(grid->cellText(0, 1), "Contributie 2026");
    EXPECT_TRUE(grid->columnHidden(2));
    EXPECT_EQ(dialog.chosenMembers(), (std::vector<std::int32_t>{11, 13}));
    EXPECT_EQ(dialog.countText(), QStringLiteral("2 van 3 leden geselecteerd"));
    // Tall enough for about thirty members at once.
    EXPECT_GE(grid->view()->viewport()->height(),
              25 * grid->view()->verticalHeader()->defaultSectionSize());

    ModalAnswer::click(&dialog, QStringLiteral("&Keer selectie om"));
    EXPECT_EQ(dialog.chosenMembers(), (std::vector<std::int32_t>{12}));
    EXPECT_EQ(dialog.countText(), QStringLiteral("1 van 3 leden geselecteerd"));
    ModalAnswer::click(&dialog, QStringLiteral("&Keer selectie om"));
    EXPECT_EQ(dialog.chosenMembers(), (std::vector<std::int32_t>{11, 13}));
    ModalAnswer::click(&dialog, QStringLiteral("Selecteer alle leden"));
    EXPECT_EQ(dialog.chosenMembers(), (std::vector<std::int32_t>{11, 12, 13}));
    ModalAnswer::click(&dialog, QStringLiteral("Selecteer leden zonder bedrag"));
    EXPECT_EQ(dialog.chosenMembers(), (std::vector<std::int32_t>{11, 13}));

    // Clicks in the grid change the count too.
    click(grid, 2);
    EXPECT_EQ(dialog.countText(), QStringLiteral("1 van 3 leden geselecteerd"));
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      pointOf(grid, 3));
    EXPECT_EQ(dialog.countText(), QStringLiteral("2 van 3 leden geselecteerd"));
    EXPECT_EQ(dialog.chosenMembers(), (std::vector<std::int32_t>{12, 13}));

    ModalAnswer::click(&dialog, QStringLiteral("&Voer uit"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ContribDialogsTest, TheOverviewShowsEveryCellAndBoldTotals) {
    KContribution s(doc.handOutId());
    s.setDescription("Contributie 2026");
    s.setDate(KDateValue(20260101));
    s.AddPart(KContrPart("Contributie", doc.handOutId(), 85.0));
    s.AddPart(KContrPart("Competitie met een lange naam", doc.handOutId(), 25.0));
    KEdit::addScheme(doc, s);
    for (const char* name : {"Jansen", "Visser", "Bakker"})
        addMember(doc, name);
    std::vector<std::int32_t> ids;
    for (const KMember& m : doc.members())
        ids.push_back(m.id());
    ASSERT_TRUE(KEdit::applyScheme(doc, s.id(), ids));

    const KOverview overview(doc);
    std::vector<std::pair<int, int>> chosen;
    KContrOverview dialog(overview, [&chosen](int row, int col) { chosen.emplace_back(row, col); });
    dialog.show();
    QTest::qWait(20);
    QAbstractItemModelTester tester(dialog.grid()->view()->model());
    CvsFlexGrid* grid = dialog.grid();
    ASSERT_EQ(grid->rowCount(), overview.rowCount());
    ASSERT_EQ(grid->colCount(), 3);
    EXPECT_EQ(grid->cellText(3, 2), "330.00");
    const auto boldAt = [grid](int row, int col) {
        const auto style = grid->table().cellStyle(row, col);
        return style != GridTable::kGridStyle && grid->table().styleFont(style).bold;
    };
    EXPECT_TRUE(boldAt(3, 0));
    EXPECT_TRUE(boldAt(1, 2));
    EXPECT_FALSE(boldAt(1, 1));

    // The window fits the grid: no scroll bar.
    EXPECT_FALSE(grid->view()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(grid->view()->verticalScrollBar()->isVisible());
    EXPECT_GE(dialog.width(), grid->view()->horizontalHeader()->length());

    // A double click: the first click makes the cell current.
    click(grid, 2, 1);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, Qt::NoModifier, pointOf(grid, 2, 1));
    QTest::keyClick(grid->view(), Qt::Key_Return);
    EXPECT_EQ(chosen, (std::vector<std::pair<int, int>>{{2, 1}, {2, 1}}));
}

TEST_F(ContribDialogsTest, TheExecutionDialogShowsAboutThirtyMembersAtOnce) {
    std::vector<KExecution::Row> rows;
    const char* names[] = {"Anna Bakker", "Bob de Boer", "Cor Claes",   "Els Dijkstra",
                           "Frits Evers", "Gerda Gans",  "Henk Hoekstra", "Ida Jansen"};
    for (int i = 0; i < 40; ++i)
        rows.push_back({100 + i, std::string(names[i % 8]) + " " + std::to_string(i + 1),
                        i % 5 == 0 ? "105.00" : ""});
    KContrExec dialog("Contributie 2026", rows);
    dialog.show();
    EXPECT_EQ(dialog.countText(), QStringLiteral("32 van 40 leden geselecteerd"));
    const int rowHeight = dialog.grid()->view()->verticalHeader()->defaultSectionSize();
    EXPECT_GE(dialog.grid()->view()->viewport()->height(), 28 * rowHeight);
    const QString screenshots = qEnvironmentVariable("KORVEL_SCREENSHOT_DIR");
    if (!screenshots.isEmpty()) {
        QTest::qWait(50);
        EXPECT_TRUE(dialog.grab().save(screenshots + QStringLiteral("/contributie-uitvoeren.png")));
    }
}

TEST_F(ContribDialogsTest, TheSchemesCalendarSpeaksDutchOnAnEnglishSystem) {
    PinnedLocale english("en_US");
    std::unique_ptr<QDateEdit> picker(makeDateControl(nullptr));
    const QLocale shown = picker->calendarWidget()->locale();
    EXPECT_EQ(shown.monthName(3), QStringLiteral("maart"));
    EXPECT_EQ(shown.dayName(1), QStringLiteral("maandag"));
    EXPECT_EQ(picker->calendarWidget()->firstDayOfWeek(), Qt::Monday);
    // The field itself names the month in Dutch too, in whatever order the system writes dates.
    PinnedLocale c("C");
    std::unique_ptr<QDateEdit> field(makeDateControl(nullptr));
    field->setDate(QDate(2026, 3, 1));
    EXPECT_TRUE(field->text().contains(QStringLiteral("mrt"))) << field->text().toStdString();
}
