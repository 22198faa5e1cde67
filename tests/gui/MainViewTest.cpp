#include "view/KMainView.h"

#include "core/document/CKorvelDoc.h"
#include "core/settings/Settings.h"
#include "core/table/MemberColumns.h"
#include "grid/CvsFlexGrid.h"
#include "platform/Profile.h"
#include "res/Commands.h"
#include "tests/support/DocBuilder.h"
#include "tests/support/DocFixture.h"
#include "tests/support/GuiApplication.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class MainViewTest : public DocFixture {
protected:
    MainViewTest() : DocFixture({.today = 0, .locale = "nl_NL"}) {}

    void SetUp() override {
        guiApplication();
        doc.OnNewDocument();
        setColumns("Nr.|Naam|Woonplaats|Geboortedatum|Schuld|Onbekend|Inschrijfdatum|");
        piet = &member("Piet Jansen", "Zwolle", 19800314, 20100101, [](KMember& m) {
            m.addPayment(KPayment(12.5, KDateValue(20240101)));
        });
        anna = &member("Anna Visser", "Amsterdam", 0, 20000101);
        bob = &member("Bob", "Utrecht", 19601231, 0);
        els = &member("Els Jansen", "Leiden", 19991010, 0, [](KMember& m) {
            m.removeValue(*m.valueByMeaning(FieldMeaning::City));
        });
    }

    const KMember& member(const char* name, const char* city, std::int32_t born,
                          std::int32_t joined, void (*shape)(KMember&) = nullptr) {
        KMember m = makeMember(doc, name);
        m.setTextByMeaning(FieldMeaning::City, city);
        m.valueByMeaning(FieldMeaning::BirthDate)->setDate(KDateValue(born));
        m.valueByMeaning(FieldMeaning::RegistrationDate)->setDate(KDateValue(joined));
        if (shape)
            shape(m);
        return addMember(doc, m);
    }

    static void setColumns(const char* list) {
        Profile::writeString(QStringLiteral("Settings"), QStringLiteral("Columns"),
                             QString::fromLatin1(list));
    }

    // A view made now reads the font from the profile.
    KMainView& makeView() {
        m_view = std::make_unique<KMainView>();
        m_view->setDocument(&doc);
        m_view->resize(900, 400);
        return *m_view;
    }
    KMainView& shownView() {
        makeView();
        return showAndFill();
    }
    KMainView& showAndFill() {
        m_view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->OnUpdate();
        return *m_view;
    }
    CvsFlexGrid& grid() const { return m_view->grid(); }

    Strings column(int col) const {
        Strings texts;
        for (int row = 1; row < grid().rowCount(); ++row)
            texts.push_back(grid().cellText(row, col));
        return texts;
    }
    int rowOf(const KMember& m) const {
        for (int row = 1; row < grid().rowCount(); ++row)
            if (grid().cellText(row, 0) == std::to_string(m.id()))
                return row;
        return -1;
    }
    void clickTitle(int col) {
        QHeaderView* header = grid().view()->horizontalHeader();
        const int x = header->sectionViewportPosition(col) + header->sectionSize(col) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }

    const KMember* piet = nullptr;
    const KMember* anna = nullptr;
    const KMember* bob = nullptr;
    const KMember* els = nullptr;
    std::unique_ptr<KMainView> m_view;
};

constexpr int kNr = 1, kName = 2, kCity = 3, kBorn = 4, kBalance = 5, kUnknown = 6, kJoined = 7;

} // namespace

TEST_F(MainViewTest, FillsTheGridFromTheColumnListSortedBySurname) {
    Profile::writeString(QStringLiteral("Font"), QStringLiteral("Name"), QStringLiteral("Courier"));
    Profile::writeString(QStringLiteral("Font"), QStringLiteral("Size"), QStringLiteral("13.0"));
    Profile::writeInt(QStringLiteral("Font"), QStringLiteral("Italic"), 1);
    shownView();

    ASSERT_EQ(grid().colCount(), 8);
    EXPECT_EQ((Strings{grid().cellText(0, 0), grid().cellText(0, kNr), grid().cellText(0, kBalance),
                       grid().cellText(0, kUnknown)}),
              (Strings{"Identifier", "Nr.", "Schuld", "Onbekend"}));
    EXPECT_TRUE(grid().columnHidden(0));
    EXPECT_FALSE(grid().columnHidden(kName));
    EXPECT_EQ(grid().columnData(kNr), MemberColumns::kRunningNumber);
    EXPECT_EQ(grid().columnData(kBalance), MemberColumns::kBalance);
    EXPECT_EQ(grid().columnData(kUnknown), MemberColumns::kNoField);
    EXPECT_EQ(grid().columnAlignment(kBalance), 7);
    EXPECT_NE(grid().columnAlignment(kName), 7);

    // One-word names first, then by surname, equal surnames by the whole name.
    EXPECT_EQ(column(kName), (Strings{"Bob", "Els Jansen", "Piet Jansen", "Anna Visser"}));
    EXPECT_EQ(column(kNr), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(column(0), (Strings{std::to_string(bob->id()), std::to_string(els->id()),
                                  std::to_string(piet->id()), std::to_string(anna->id())}));
    EXPECT_EQ(column(kCity), (Strings{"Utrecht", "???", "Zwolle", "Amsterdam"}));
    EXPECT_EQ(column(kBorn), (Strings{"19601231", "19991010", "19800314", ""}));
    EXPECT_EQ(column(kBalance), (Strings{"0.00", "0.00", "-12.50", "0.00"}));
    EXPECT_EQ(column(kUnknown), (Strings(4, "???")));

    // Member cells, the hidden one included, show the profile's font; the titles the grid's own.
    const GridTable& table = grid().table();
    for (int col : {0, kName, kJoined}) {
        const GridTable::CellFont& font = table.styleFont(table.cellStyle(2, col));
        EXPECT_EQ(font.name, "Courier");
        EXPECT_EQ(font.size, 13.0);
        EXPECT_TRUE(font.italic);
        EXPECT_FALSE(font.bold);
    }
    EXPECT_EQ(table.cellStyle(0, kName), GridTable::kGridStyle);
    EXPECT_GT(grid().columnWidth(kName), grid().columnWidth(kNr));
}

TEST_F(MainViewTest, WithoutMembersOnlyTitlesWithoutFieldsNothingChanges) {
    shownView();
    CKorvelDoc empty;
    empty.OnNewDocument();
    m_view->setDocument(&empty);
    m_view->OnUpdate();
    EXPECT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(grid().cellText(0, kName), "Naam");

    CKorvelDoc noFields; // never started: no field definitions
    m_view->setDocument(&noFields);
    setColumns("Naam");
    m_view->OnUpdate();
    EXPECT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(grid().colCount(), 8);

    setColumns("");
    m_view->setDocument(&doc);
    m_view->OnUpdate();
    EXPECT_EQ(grid().colCount(), 1);
    EXPECT_EQ(grid().rowCount(), 5);
}

TEST_F(MainViewTest, NameTitleTurnsTheOrderAroundAndRebuildsKeepIt) {
    shownView();
    const Strings ascending = {"Bob", "Els Jansen", "Piet Jansen", "Anna Visser"};
    const Strings descending(ascending.rbegin(), ascending.rend());
    QSignalSpy finished(&grid(), &CvsFlexGrid::sortFinished);

    clickTitle(kName);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(1).toInt(), 9);
    EXPECT_EQ(column(kName), descending);
    EXPECT_EQ(column(kNr), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(grid().cellText(1, 0), std::to_string(anna->id()));

    m_view->OnUpdate(); // after an odd number of clicks a rebuild sorts descending
    EXPECT_EQ(column(kName), descending);
    clickTitle(kName);
    EXPECT_EQ(column(kName), ascending);
    m_view->OnUpdate();
    EXPECT_EQ(column(kName), ascending);
}

TEST_F(MainViewTest, DateTitlesShareOneDirection) {
    shownView();
    clickTitle(kBorn); // first click: latest first, members without the date last
    EXPECT_EQ(column(kName), (Strings{"Els Jansen", "Piet Jansen", "Bob", "Anna Visser"}));
    EXPECT_EQ(column(kNr), (Strings{"1", "2", "3", "4"}));
    clickTitle(kBorn);
    EXPECT_EQ(column(kName), (Strings{"Anna Visser", "Bob", "Piet Jansen", "Els Jansen"}));
    // The registration date turns the same flag: descending now. Bob and Els, both without
    // the date, keep their order.
    clickTitle(kJoined);
    EXPECT_EQ(column(kName), (Strings{"Piet Jansen", "Anna Visser", "Bob", "Els Jansen"}));

    // Other columns are sorted by the grid itself, and renumbered too.
    clickTitle(kCity);
    EXPECT_EQ(column(kCity), (Strings{"???", "Amsterdam", "Utrecht", "Zwolle"}));
    EXPECT_EQ(column(kNr), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(grid().cellText(3, 0), std::to_string(bob->id()));
}

// After a sort the keyboard carries on from the member the user was at, wherever the sort put
// her: the current row, the Shift anchor and the scroll position follow her.
TEST_F(MainViewTest, SortKeepsTheUserAtTheirMember) {
    const KMember& kees = member("Kees Aalders", "Delft", 0, 0);
    const KMember& sanne = member("Sanne Bakker", "Gouda", 0, 0);
    for (char a = 'a'; a <= 'b'; ++a)
        for (char b = 'a'; b <= 'z'; ++b)
            member((std::string("Jan Z") + a + b).c_str(), "Ede", 0, 0);
    shownView();
    QTableView* view = grid().view();
    auto centreOf = [&](int row) {
        return view->visualRect(view->model()->index(row - 1, kName)).center();
    };
    auto shownInFull = [&](int row) {
        return view->viewport()->rect().contains(
            view->visualRect(view->model()->index(row - 1, kName)));
    };
    ASSERT_EQ(rowOf(sanne), 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(3));

    clickTitle(kName); // descending: she goes near the bottom, out of sight
    const int herRow = rowOf(sanne);
    ASSERT_GT(herRow, 50);
    EXPECT_EQ(m_view->selectedMembers(), std::vector<std::int32_t>{sanne.id()});
    EXPECT_EQ(grid().currentRow(), herRow);
    EXPECT_TRUE(shownInFull(herRow));
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(m_view->selectedMembers(), std::vector<std::int32_t>{kees.id()});

    clickTitle(kName); // ascending: Kees, the anchor now, goes back to the top
    EXPECT_EQ(grid().currentRow(), rowOf(kees));
    EXPECT_TRUE(shownInFull(rowOf(kees)));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(rowOf(*els)));
    EXPECT_EQ(m_view->selectedMembers(),
              (std::vector<std::int32_t>{kees.id(), sanne.id(), els->id()}));
}

TEST_F(MainViewTest, SelectsRowsByMemberAndReportsSelectedMembers) {
    shownView();
    EXPECT_TRUE(m_view->selectedMembers().empty());
    grid().setRowSelected(1, true);
    m_view->selectMemberRow(anna->id());
    EXPECT_EQ(grid().selectedRowCount(), 1);
    EXPECT_TRUE(grid().rowSelected(rowOf(*anna)));
    EXPECT_EQ(m_view->selectedMembers(), std::vector<std::int32_t>{anna->id()});
    // The keyboard carries on from her row: Shift+Up takes the row above along.
    EXPECT_EQ(grid().currentRow(), rowOf(*anna));
    QTest::keyClick(grid().view(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(grid().selectedRowCount(), 2);
    EXPECT_EQ(grid().selectedRowAt(1), rowOf(*anna));
    m_view->selectMemberRow(anna->id());

    grid().setRowSelected(rowOf(*piet), true);
    EXPECT_EQ(m_view->selectedMembers(), (std::vector<std::int32_t>{piet->id(), anna->id()}));
    m_view->selectMemberRow(999999);
    EXPECT_TRUE(m_view->selectedMembers().empty());
}

TEST_F(MainViewTest, ContextMenuOffersTheMemberCommandsAndSelectsTheClickedRow) {
    std::map<int, std::unique_ptr<QAction>> actions;
    for (int id : {Cmd::MemberAdd, Cmd::MemberDelete, Cmd::MemberEdit, Cmd::SendMessage,
                   Cmd::MemberExport, Cmd::EditSelectAll}) {
        actions[id] = std::make_unique<QAction>(QString::fromUtf8(findCommand(id)->menuText));
        actions[id]->setEnabled(false);
    }
    makeView().setCommands([&](int id) { return actions.at(id).get(); });
    showAndFill();

    QStringList texts;
    for (QAction* action : m_view->contextMenu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{"&Toevoegen", "&Verwijderen", "&Wijzigen", "-",
                                  "Verstuur &bericht", "-", "E&xporteren", "-",
                                  "&Alles selecteren"}));

    QTableView* view = grid().view();
    const auto rightClick = [&](int row) {
        const QPoint at = view->visualRect(view->model()->index(row - 1, kName)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(view->viewport(), &event);
        EXPECT_TRUE(m_view->contextMenu()->isVisible());
        m_view->contextMenu()->hide();
    };
    rightClick(3);
    EXPECT_EQ(m_view->selectedMembers(), std::vector<std::int32_t>{piet->id()});
    rightClick(2);
    EXPECT_EQ(m_view->selectedMembers(), std::vector<std::int32_t>{els->id()});
    grid().setRowSelected(4, true);
    rightClick(1); // two selected: the selection stays
    EXPECT_EQ(m_view->selectedMembers(), (std::vector<std::int32_t>{els->id(), anna->id()}));

    // A double click edits through the edit command, and only while that is enabled.
    QSignalSpy edits(actions.at(Cmd::MemberEdit).get(), &QAction::triggered);
    const QPoint cell = view->visualRect(view->model()->index(0, kName)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    EXPECT_EQ(edits.size(), 0);
    actions.at(Cmd::MemberEdit)->setEnabled(true);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    EXPECT_EQ(edits.size(), 1);
}

// Start-up holds the grid while it opens the file and reads the date format and the columns;
// everything asked for in between becomes one rebuild, with the last column list.
TEST_F(MainViewTest, HeldUpdatesBecomeOneRebuildOnRelease) {
    KMainView& view = shownView();
    QSignalSpy built(&view, &KMainView::gridChanged);
    view.holdUpdates();
    view.documentReset();
    Settings::setColumns("Nr.|Naam|");
    view.configurationChanged();
    view.OnUpdate();
    EXPECT_EQ(built.count(), 0);
    EXPECT_EQ(grid().colCount(), 8); // still the grid of before the hold

    view.releaseUpdates();
    EXPECT_EQ(built.count(), 1);
    ASSERT_EQ(grid().colCount(), 3);
    EXPECT_EQ(column(kName), (Strings{"Bob", "Els Jansen", "Piet Jansen", "Anna Visser"}));
    view.releaseUpdates();
    EXPECT_EQ(built.count(), 1);

    // A hold in which nothing was asked for builds nothing.
    view.holdUpdates();
    view.releaseUpdates();
    EXPECT_EQ(built.count(), 1);
    // Released, the view rebuilds at once again.
    view.OnUpdate();
    EXPECT_EQ(built.count(), 2);
}
