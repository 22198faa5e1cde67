#pragma once

#include <QListWidget>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A list box whose items the user drags to another place within it, one item selected at a
// time. Each item is a text (Windows-1252 bytes outside) and, where the list needs one, an id.
class KDragList : public QListWidget {
    Q_OBJECT

public:
    explicit KDragList(QWidget* parent = nullptr);

    void setTexts(const std::vector<std::string>& texts);
    std::vector<std::string> texts() const;
    // Items with their ids.
    void setItems(const std::vector<std::pair<std::string, std::int32_t>>& items);
    std::vector<std::int32_t> ids() const;

    // The selected row; -1 when none.
    int selectedRow() const;
    void selectRow(int row);
    // The id of the selected item, if an item is selected.
    bool selectedId(std::int32_t* id) const;
    void appendItem(const std::string& text, std::int32_t id = 0);

    QSize sizeHint() const override;
};
