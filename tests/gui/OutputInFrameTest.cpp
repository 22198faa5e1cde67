// The output commands in the program's own main window: Ctrl+A prints, the context menu
// selects every row, and the real print component shows its preview.
#include "KorvelFixture.h"

#include "grid/CvsFlexGrid.h"
#include "res/Commands.h"
#include "tests/support/ModalAnswer.h"
#include "view/KMainView.h"

#include <QAction>
#include <QMenu>
#include <QTableView>
#include <QTest>

namespace {

using OutputInFrame = KorvelFixture;

TEST_F(OutputInFrame, CtrlAPrintsAndTheMenuSelectsAll) {
    setSetting("Columns", QStringLiteral("Nr.|Naam|Schuld"));
    ASSERT_TRUE(start({writeClub(dataPath(QStringLiteral("club.kvl")), {"Piet Jansen", "Anna Visser", "Bob"})}));
    frame().show();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    CvsFlexGrid& grid = frame().view()->grid();
    ASSERT_EQ(grid.rowCount(), 4);
    grid.view()->setFocus();

    QString shown;
    ModalAnswer answer([&shown](QWidget* window) {
        shown = window->windowTitle();
        window->close();
    });
    QTest::keyClick(grid.view(), Qt::Key_A, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(answer.answered(), 5000);
    EXPECT_EQ(shown, QStringLiteral("Afdrukvoorbeeld"));
    EXPECT_EQ(grid.selectedRowCount(), 0);
    EXPECT_TRUE(questions().alerts().isEmpty());

    QStringList menu;
    for (QAction* item : frame().view()->contextMenu()->actions())
        menu << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(menu, (QStringList{"&Toevoegen", "&Verwijderen", "&Wijzigen", "-", "Verstuur &bericht",
                                 "-", "E&xporteren", "-", "&Alles selecteren"}));
    ASSERT_TRUE(frame().action(Cmd::EditSelectAll)->isEnabled());
    frame().action(Cmd::EditSelectAll)->trigger();
    EXPECT_EQ(grid.selectedRowCount(), 3);
    EXPECT_EQ(frame().action(Cmd::FilePrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
}

} // namespace
