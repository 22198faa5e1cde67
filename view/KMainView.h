#pragma once

#include "core/document/KDocListener.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberGridFont.h"
#include "core/table/MemberOrder.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <limits>
#include <unordered_map>
#include <vector>

class CKorvelDoc;
class CvsFlexGrid;
class KFindBar;
class MemberColumns;
class QAction;
class QMenu;
class QMimeData;

// The main window's one view: the member grid, one row per member and one column per entry of
// the user's column list, sorted by surname or by a date, with the member commands in a context
// menu. Column 0 holds each member's identifier, hidden; it is the only link from a row to its
// member.
//
// The view listens to the document: a new or opened administration, or a changed
// configuration, rebuilds the grid; members added, changed or removed by an edit are updated
// in place when the grid is in the order a rebuild gives it, with the same result as a rebuild,
// so that changing one member of a very large club costs no rebuild.
class KMainView : public QWidget, public KDocListener {
    Q_OBJECT

public:
    explicit KMainView(QWidget* parent = nullptr);
    ~KMainView() override;

    // Listens to the document from now on; nullptr stops listening.
    void setDocument(CKorvelDoc* doc);
    const CKorvelDoc* document() const { return m_doc; }

    // Builds the context menu from the frame's commands; a command stays as enabled as its
    // action is. Double-clicking a row triggers the edit command when it is enabled.
    void setCommands(const std::function<QAction*(int id)>& actionOf);
    QMenu* contextMenu() const { return m_popup; }

    // Rebuilds the grid from the document and the column list in the profile. A document
    // without field definitions leaves the grid as it is.
    void OnUpdate();

    // While held, a rebuild the document or the profile asks for is only remembered; releasing
    // builds the grid once if one was asked for (start-up opens a file, reads the date format
    // and the columns, and then shows one grid).
    void holdUpdates();
    void releaseUpdates();

    // Selects exactly the row of the member with that identifier and makes it the current row
    // and the Shift anchor, in view.
    void selectMemberRow(std::int32_t id);
    // The identifiers of the selected rows, from the top.
    std::vector<std::int32_t> selectedMembers() const;
    // The identifiers of every data row, from the top: the members in the grid's order.
    std::vector<std::int32_t> memberRows() const;
    // Selects every member's row ("Alles selecteren"; Ctrl+A prints in this window).
    void selectAllRows();

    // The font of the member cells; the next rebuild shows it.
    const MemberGridFont& gridFont() const { return m_font; }
    void setGridFont(const MemberGridFont& font) { m_font = font; }

    CvsFlexGrid& grid() const { return *m_grid; }
    // The find bar over the grid ("Bewerken > Zoeken...", Ctrl+F), shown by showFindBar().
    KFindBar& findBar() const { return *m_findBar; }
    void showFindBar();
    // The grid column of the members' names; -1 when the column list shows none.
    int nameColumn() const;

    // The selected rows as a table to paste elsewhere: the visible columns, the title row
    // first, as tab-separated text and as an HTML table. Nothing when no row is selected.
    QMimeData* selectionAsMimeData() const;

    // KDocListener
    void documentReset() override;
    void membersChanged(const KMemberChange& change) override;
    void configurationChanged() override;


    // Right click at a point of the grid's cell area: with fewer than two rows selected the row
    // under the point becomes the selection, then the menu pops up.
    void showContextMenu(const QPoint& viewportPos, const QPoint& globalPos);

signals:
    // The grid's rows or selection changed: the commands that depend on them may change state.
    void gridChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpColumns(const MemberColumns& columns);
    void fill(const MemberColumns& columns);
    void sortStarting(int col, int* order);
    // Writes the running numbers of the data rows first to last.
    void renumber(int first = 0, int last = std::numeric_limits<int>::max());
    void prepareNameOrder(int col);
    void prepareDateOrder(FieldMeaning meaning);
    void doubleClicked();
    // Updates the rows of the members an edit touched; false when only a rebuild will do.
    bool updateInPlace(const KMemberChange& change);
    // The place of each member in the document's list, worked out when first asked.
    class MemberListIndex {
    public:
        explicit MemberListIndex(const CKorvelDoc& doc);
        std::size_t of(std::int32_t id);

    private:
        const CKorvelDoc& m_doc;
        std::unordered_map<std::int32_t, std::size_t> m_index;
    };
    // Moves a data row to where the rebuild's order puts it, and returns that place.
    int placeRow(int row, MemberListIndex& listIndex);

    CKorvelDoc* m_doc = nullptr;
    CvsFlexGrid* m_grid = nullptr;
    KFindBar* m_findBar = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_editAction = nullptr;
    MemberGridFont m_font;
    // The sort state lives as long as the view: one direction for names, one shared by both
    // dates, and the keys of the comparison that answers the grid's custom sort.
    MemberOrder m_order;
    bool m_orderByName = true;
    bool m_nameAscending = true;
    bool m_dateAscending = true;
    int m_nameColumn = -1;
    // The columns of the last rebuild, and whether the rows are still in its order.
    MemberColumns m_columns;
    bool m_built = false;
    bool m_rebuildOrder = false;
    bool m_held = false;
    bool m_updateWaiting = false;
};
