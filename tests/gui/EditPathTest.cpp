#include "KorvelFixture.h"

#include "core/edit/KEdit.h"
#include "core/settings/Settings.h"
#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "view/KMainView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMimeData>
#include <QTableView>
#include <QTest>

namespace {

// What the grid shows: every cell text row by row, and the column widths.
struct GridState {
    std::vector<std::vector<std::string>> cells;
    std::vector<int> widths;
    bool operator==(const GridState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const GridState& state) {
    for (const auto& row : state.cells) {
        for (const std::string& cell : row)
            out << cell << " | ";
        out << "\n";
    }
    return out;
}

class EditPath : public KorvelFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        // The grid follows the column list as soon as it changes.
        Settings::setColumns("Nr.|Naam|Woonplaats|Schuld|");
        for (const char* name : {"Piet Jansen", "Anna Visser", "Bob", "Els Jansen", "Kees Bakker"})
            ids.push_back(addMember(doc(), name).id());
        frame().resize(900, 500);
    }

    CvsFlexGrid& grid() { return frame().view()->grid(); }

    GridState state() {
        GridState s;
        for (int row = 0; row < grid().rowCount(); ++row) {
            s.cells.emplace_back();
            for (int col = 0; col < grid().colCount(); ++col)
                s.cells.back().push_back(grid().cellText(row, col));
        }
        for (int col = 0; col < grid().colCount(); ++col)
            s.widths.push_back(grid().columnWidth(col));
        return s;
    }

    // The grid as the edit left it equals the grid a full rebuild gives.
    void expectAsRebuilt() {
        const GridState edited = state();
        frame().view()->OnUpdate();
        EXPECT_EQ(edited, state());
    }

    void rename(std::int32_t id, const char* name, const char* city = nullptr) {
        KMember m = *doc().findMember(id);
        m.setTextByMeaning(FieldMeaning::Name, name);
        if (city)
            m.setTextByMeaning(FieldMeaning::City, city);
        ASSERT_TRUE(KEdit::replaceMember(doc(), id, m));
    }

    void clickTitle(int col) {
        QHeaderView* header = grid().view()->horizontalHeader();
        const int x = header->sectionViewportPosition(col) + header->sectionSize(col) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }

    std::vector<std::int32_t> ids;
};

} // namespace

TEST_F(EditPath, EveryEditLeavesTheGridAsARebuildWould) {
    expectAsRebuilt();
    rename(ids[2], "Bob van der Zee-Langenaam", "Amsterdam"); // moves, and widens two columns
    expectAsRebuilt();
    rename(ids[2], "Bob");
    expectAsRebuilt();
    addMember(doc(), "Aaltje Aarts");
    expectAsRebuilt();
    KEdit::deleteMembers(doc(), {ids[0], ids[3]});
    expectAsRebuilt();
    doc().undoStack().undo();
    expectAsRebuilt();

    // Sorted the other way by name, the edits keep to that order.
    clickTitle(2);
    rename(ids[1], "Anna Aaldering");
    expectAsRebuilt();
    addMember(doc(), "Zeno Zwart");
    expectAsRebuilt();

    // After a sort by another column the grid is rebuilt.
    clickTitle(3);
    rename(ids[4], "Kees Kuipers");
    expectAsRebuilt();
}

TEST_F(EditPath, UndoAndRedoThroughTheMenuNameTheStepAndFollowTheSavedState) {
    QAction* undo = frame().action(Cmd::EditUndo);
    QAction* redo = frame().action(Cmd::EditRedo);
    const QString club = dataPath(QStringLiteral("club.kvl"));
    prompts().savePaths.push_back(club);
    trigger(Cmd::FileSaveAs);
    ASSERT_FALSE(doc().IsModified());
    EXPECT_FALSE(redo->isEnabled());

    rename(ids[0], "Piet Pietersen");
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Ongedaan maken: lid wijzigen"));
    // The title tells unsaved changes, and stops telling once they are undone.
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("club.kvl* - Korvel"));

    undo->trigger();
    EXPECT_EQ(doc().findMember(ids[0])->name(), "Piet Jansen");
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(frame().shownTitle(), QStringLiteral("club.kvl - Korvel"));
    EXPECT_EQ(redo->text(), QStringLiteral("Opn&ieuw: lid wijzigen"));
    EXPECT_EQ(undo->text(), QStringLiteral("&Ongedaan maken: lid toevoegen"));

    redo->trigger();
    EXPECT_EQ(doc().findMember(ids[0])->name(), "Piet Pietersen");
    EXPECT_TRUE(doc().IsModified());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("Opn&ieuw"));

    // The keys work too; a new administration forgets the history.
    EXPECT_TRUE(undo->shortcuts().contains(QKeySequence(QStringLiteral("Alt+Backspace"))));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
    prompts().saveAnswers.push_back(KDocPrompts::SaveAnswer::No);
    trigger(Cmd::FileNew);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Ongedaan maken"));
}

TEST_F(EditPath, TheMemberCountFollowsEveryEdit) {
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("5 leden"));
    KEdit::deleteMembers(doc(), {ids[0], ids[1]});
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("3 leden"));
    trigger(Cmd::EditUndo);
    EXPECT_EQ(frame().memberCountText(), QStringLiteral("5 leden"));
}

TEST_F(EditPath, CopyPutsTheSelectedRowsOnTheClipboardAsATable) {
    QAction* copy = frame().action(Cmd::EditCopy);
    EXPECT_FALSE(copy->isEnabled());
    rename(ids[1], "Anna <Visser> & Zn");
    frame().view()->selectMemberRow(ids[1]);
    frame().refreshCommandStates();
    ASSERT_TRUE(copy->isEnabled());
    copy->trigger();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    // The hidden identifier stays out; the title row comes first.
    EXPECT_EQ(data->text().toStdString(), "Nr.\tNaam\tWoonplaats\tSchuld\n"
                                          "5\tAnna <Visser> & Zn\t\t0.00\n");
    EXPECT_TRUE(data->html().contains(QStringLiteral("<th>Naam</th>")));
    EXPECT_TRUE(data->html().contains(QStringLiteral("<td>Anna &lt;Visser&gt; &amp; Zn</td>")));
    EXPECT_FALSE(frame().action(Cmd::EditCut)->isEnabled());
    // The rows on the clipboard can be pasted back in, through the mapping dialog.
    EXPECT_TRUE(frame().action(Cmd::EditPaste)->isEnabled());
}
