#include "grid/CvsFlexGrid.h"

#include "grid/GridItemModel.h"
#include "tests/support/GuiApplication.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class CvsFlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        guiApplication();
        m_grid = std::make_unique<CvsFlexGrid>();
        m_grid->resize(400, 300);
    }

    // Titles "Naam", "Nr."; names as given, numbers counting down.
    void fill(const std::vector<std::string>& names) {
        m_grid->setColCount(2);
        m_grid->setRowCount(1);
        m_grid->setCellText(0, 0, "Naam");
        m_grid->setCellText(0, 1, "Nr.");
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            m_grid->setRowCount(row + 1);
            m_grid->setCellText(row, 0, names[i]);
            m_grid->setCellText(row, 1, std::to_string(names.size() - i));
        }
    }

    void show() {
        m_grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_grid.get()));
    }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int r = 1; r < m_grid->rowCount(); ++r)
            out.push_back(m_grid->cellText(r, 0));
        return out;
    }

    QPoint cellCentre(int row, int col) const {
        QTableView* view = m_grid->view();
        return view->visualRect(view->model()->index(row - m_grid->fixedRowCount(), col)).center();
    }

    void clickCell(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(m_grid->view()->viewport(), Qt::LeftButton, modifiers,
                          cellCentre(row, col));
    }

    void clickTitle(int col) {
        QHeaderView* header = m_grid->view()->horizontalHeader();
        const int x = header->sectionViewportPosition(col) + header->sectionSize(col) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }

    std::unique_ptr<CvsFlexGrid> m_grid;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(CvsFlexGridTest, ModelPassesTheTesterThroughFillSortAndRedraw) {
    auto* model = qobject_cast<GridItemModel*>(m_grid->view()->model());
    ASSERT_NE(model, nullptr);
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    fill({"Piet", "Anna", "Kees"});
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Naam"));
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), QStringLiteral("Piet"));

    m_grid->setRedrawEnabled(false);
    m_grid->setColCount(3);
    m_grid->setRowCount(6);
    m_grid->setCellText(5, 0, "Zeno");
    m_grid->setCellText(5, 2, "\x80 5");
    EXPECT_EQ(model->rowCount(), 3) << "the view keeps its shape while redraw is off";
    m_grid->setCurrentCol(0);
    m_grid->setSortOrder(7);
    m_grid->setRedrawEnabled(true);
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->data(model->index(4, 2)).toString(), QString::fromUtf8("\u20AC 5"));

    m_grid->setSortOrder(8);
    m_grid->setRowCount(2);
    m_grid->setColCount(1);
    m_grid->setFixedRowCount(0);
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_TRUE(model->headerData(0, Qt::Horizontal).isNull());
}

TEST_F(CvsFlexGridTest, ClickOnTitleSortsAndTurnsTheOrderAround) {
    fill({"Piet", "anna", "Kees"});
    show();
    QSignalSpy starting(m_grid.get(), &CvsFlexGrid::sortStarting);
    QSignalSpy finished(m_grid.get(), &CvsFlexGrid::sortFinished);
    clickTitle(0);
    EXPECT_EQ(names(), (Names{"anna", "Kees", "Piet"}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
    EXPECT_EQ(finished.at(0).at(1).toInt(), 1);
    clickTitle(0);
    EXPECT_EQ(names(), (Names{"Piet", "Kees", "anna"}));
    EXPECT_EQ(finished.at(1).at(1).toInt(), 2);
    EXPECT_EQ(starting.count(), 2);

    // A handler may take the sort over with the custom order.
    QObject::connect(m_grid.get(), &CvsFlexGrid::sortStarting, [](int, int* order) { *order = 9; });
    int asked = 0;
    m_grid->setRowComparator([&](int a, int b) {
        ++asked;
        return m_grid->cellText(a, 1).compare(m_grid->cellText(b, 1)); // by "Nr."
    });
    clickTitle(0);
    EXPECT_GT(asked, 0);
    EXPECT_EQ(names(), (Names{"Kees", "anna", "Piet"}));
    EXPECT_EQ(finished.at(2).at(1).toInt(), 9);
}

TEST_F(CvsFlexGridTest, CustomSortWithoutComparatorAsksTheSignal) {
    fill({"b", "c", "a"});
    QObject::connect(m_grid.get(), &CvsFlexGrid::compareRows, [this](int a, int b, int* result) {
        *result = m_grid->cellText(b, 0).compare(m_grid->cellText(a, 0));
    });
    m_grid->setSortOrder(9);
    EXPECT_EQ(names(), (Names{"c", "b", "a"}));
}

TEST_F(CvsFlexGridTest, MouseSelectionPlainControlAndShift) {
    fill({"a", "b", "c", "d", "e"});
    show();
    QSignalSpy changed(m_grid.get(), &CvsFlexGrid::selectionChanged);
    clickCell(2, 0);
    EXPECT_EQ(m_grid->selectedRowCount(), 1);
    EXPECT_EQ(m_grid->currentRow(), 2);
    EXPECT_EQ(changed.count(), 1);
    clickCell(4, 1, Qt::ControlModifier);
    EXPECT_EQ(m_grid->selectedRowCount(), 2);
    EXPECT_EQ(m_grid->currentCol(), 1);
    clickCell(2, 0, Qt::ControlModifier);
    EXPECT_EQ(m_grid->selectedRowCount(), 1);
    EXPECT_EQ(m_grid->selectedRowAt(0), 4);
    EXPECT_EQ(changed.count(), 3);
    clickCell(1, 0, Qt::ShiftModifier);
    EXPECT_EQ(m_grid->selectedRowCount(), 2) << "a range from the anchor row 2 to row 1";
    EXPECT_EQ(m_grid->selectedRowAt(0), 1);
    EXPECT_EQ(m_grid->selectedRowAt(1), 2);
    clickCell(1, 0, Qt::ShiftModifier);
    EXPECT_EQ(changed.count(), 4) << "nothing changed, nothing said";

    QTest::keyClick(m_grid->view(), Qt::Key_Down);
    EXPECT_EQ(m_grid->currentRow(), 2);
    EXPECT_EQ(m_grid->selectedRowCount(), 1);
    QTest::keyClick(m_grid->view(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_grid->selectedRowCount(), 2);
    QTest::keyClick(m_grid->view(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_grid->selectedRowCount(), 5);
    QTest::keyClick(m_grid->view(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(m_grid->currentRow(), 2);
    EXPECT_EQ(m_grid->selectedRowCount(), 5);

    // The flags travel with their rows when sorting, and so does the current row.
    m_grid->setRowSelected(1, false);
    m_grid->setCurrentCol(0);
    m_grid->setSortOrder(2);
    EXPECT_FALSE(m_grid->rowSelected(5));
    EXPECT_TRUE(m_grid->rowSelected(1));
    EXPECT_EQ(m_grid->currentRow(), 4);
    EXPECT_EQ(m_grid->cellText(4, 0), "b");

    QSignalSpy doubled(m_grid.get(), &CvsFlexGrid::doubleClick);
    QTest::mouseDClick(m_grid->view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       cellCentre(3, 0));
    EXPECT_EQ(doubled.count(), 1);
}

TEST_F(CvsFlexGridTest, ScrollingByPositionAndWheel) {
    std::vector<std::string> many;
    for (int i = 0; i < 200; ++i)
        many.push_back("lid " + std::to_string(i));
    fill(many);
    show();
    EXPECT_EQ(m_grid->firstVisibleRow(), 1);
    m_grid->setFirstVisibleRow(50);
    EXPECT_EQ(m_grid->firstVisibleRow(), 50);
    EXPECT_EQ(m_grid->view()->rowAt(0), 49) << "model row 49 is grid row 50";

    auto turn = [this](int delta) {
        const QPoint at = m_grid->view()->viewport()->rect().center();
        QWheelEvent wheel(at, m_grid->view()->viewport()->mapToGlobal(at), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_grid->view()->viewport(), &wheel);
    };
    turn(-240);
    EXPECT_EQ(m_grid->firstVisibleRow(), 56);
    turn(-119); // less than a notch: no move
    EXPECT_EQ(m_grid->firstVisibleRow(), 56);
    turn(360);
    EXPECT_EQ(m_grid->firstVisibleRow(), 47);
    turn(120 * 40);
    EXPECT_EQ(m_grid->firstVisibleRow(), 1) << "never above the first data row";
}

// A tilt wheel, a touchpad's sideways movement and Shift with the wheel scroll across; only the
// up-and-down wheel without Shift moves the rows.
TEST_F(CvsFlexGridTest, WheelScrollsSidewaysByTiltTouchpadAndShift) {
    constexpr int kCols = 12;
    m_grid->setColCount(kCols);
    m_grid->setRowCount(60);
    for (int row = 0; row < 60; ++row)
        for (int col = 0; col < kCols; ++col)
            m_grid->setCellText(row, col, "een vrij lange tekst in cel " + std::to_string(col));
    m_grid->autoSize();
    show();
    QScrollBar* across = m_grid->view()->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    m_grid->setFirstVisibleRow(10);

    auto wheel = [this](QPoint angle, QPoint pixels = QPoint(),
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* viewport = m_grid->view()->viewport();
        const QPoint at = viewport->rect().center();
        QWheelEvent event(at, viewport->mapToGlobal(at), pixels, angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    wheel({-120, 0}); // tilted to the right
    const int notch = across->value();
    EXPECT_GT(notch, 0);
    wheel({120, 0});
    EXPECT_EQ(across->value(), 0);
    wheel({0, -120}, {}, Qt::ShiftModifier); // turned down: to the right
    EXPECT_EQ(across->value(), notch);
    wheel({0, 120}, {}, Qt::ShiftModifier);
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(m_grid->firstVisibleRow(), 10);

    // A touchpad says how far in pixels; small turns without pixels add up to a notch.
    wheel({-24, 0}, {-20, 0});
    EXPECT_EQ(across->value(), 20);
    for (int i = 0; i < 5; ++i)
        wheel({-24, 0});
    EXPECT_NEAR(across->value(), 20 + notch, 1);
    wheel({0, 0}, {15, 0}, Qt::ShiftModifier); // sideways already: Shift changes nothing
    EXPECT_NEAR(across->value(), 5 + notch, 1);

    // Both ways at once: the rows by the grid's rule, the columns sideways.
    wheel({120, -240});
    EXPECT_EQ(m_grid->firstVisibleRow(), 16);
    EXPECT_NEAR(across->value(), 5, 1);
}

TEST_F(CvsFlexGridTest, ColumnsFitHideAndKeepTheirWidthThroughRedraw) {
    fill({"kort", "een veel langere naam dan de rest", "ook kort"});
    m_grid->setRedrawEnabled(false);
    m_grid->setColumnHidden(1, true);
    m_grid->autoSize();
    m_grid->setRedrawEnabled(true);
    QTableView* view = m_grid->view();
    EXPECT_TRUE(view->isColumnHidden(1));
    const int wide = view->columnWidth(0);
    EXPECT_GE(wide, view->fontMetrics().horizontalAdvance(
                        QStringLiteral("een veel langere naam dan de rest")));
    EXPECT_EQ(m_grid->columnWidth(0), wide);

    m_grid->setCellText(2, 0, "x");
    m_grid->fitColumns(0, -1);
    EXPECT_LT(view->columnWidth(0), wide);
    m_grid->fitColumns(0, 1, true, 5);
    EXPECT_EQ(m_grid->columnWidth(0), m_grid->columnWidth(1));
    EXPECT_TRUE(view->isColumnHidden(1));
}

TEST_F(CvsFlexGridTest, CellFontsBelongToTheCurrentCellOnly) {
    fill({"a", "b"});
    auto* model = m_grid->view()->model();
    m_grid->setCurrentRow(2);
    m_grid->setCurrentCol(1);
    m_grid->setCellFontName("Courier");
    m_grid->setCellFontBold(true);
    m_grid->setCellFontSize(14.0);
    const QFont font = model->data(model->index(1, 1), Qt::FontRole).value<QFont>();
    EXPECT_TRUE(font.bold());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 14.0);
    EXPECT_EQ(font.family(), QStringLiteral("Courier"));
    EXPECT_TRUE(model->data(model->index(0, 1), Qt::FontRole).isNull());

    const int before = m_grid->view()->verticalHeader()->defaultSectionSize();
    m_grid->setFitMode(1);
    m_grid->fitColumns(0, 1);
    EXPECT_GT(m_grid->view()->verticalHeader()->defaultSectionSize(), before);

    m_grid->setColumnAlignment(1, 7);
    EXPECT_EQ(model->data(model->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
}
