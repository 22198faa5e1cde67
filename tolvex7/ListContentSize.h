#pragma once

#include "tolvex7/DialogGeometry.h"

#include <QListWidget>
#include <QScrollBar>
#include <QStyle>

// The size a list needs to show every item whole without scrolling: the widest item as the
// list draws it and every row, inside the list's frame, with room for a vertical scroll bar
// for when the list is shorter than its rows.
inline QSize listContentSize(const QListWidget& list) {
    QStringList texts;
    texts.reserve(list.count());
    for (int row = 0; row < list.count(); ++row)
        texts.append(list.item(row)->text());
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    const int widest = DialogGeometry::widestText(texts, list.fontMetrics());
    const int itemWidth =
        widest < 0 ? 0 : list.sizeHintForIndex(list.model()->index(widest, 0)).width();
    const int rowHeight =
        list.count() > 0 ? list.sizeHintForRow(0) : list.fontMetrics().height() + 4;
    return {itemWidth + frame + scrollBar + 2, rowHeight * static_cast<int>(texts.size()) + frame};
}
