#pragma once

#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <algorithm>
#include <numeric>
#include <vector>

// Where the library's windows go and how far its lists grow, apart from any window.
namespace DialogGeometry {

// -1 is the left edge but the bottom edge, 1 the right edge but the top edge; anything else
// centres. One pixel stays free at an edge.
inline QPoint positionFor(const QRect& screen, const QSize& window, int horizontal, int vertical) {
    const int w = screen.width();
    const int h = screen.height();
    int x = (w - window.width()) / 2;
    if (horizontal == -1)
        x = 1;
    else if (horizontal == 1)
        x = w - window.width() - 1;
    int y = (h - window.height()) / 2;
    if (vertical == -1)
        y = h - window.height() - 1;
    else if (vertical == 1)
        y = 1;
    return screen.topLeft() + QPoint(x, y);
}

// A window's frame moved, and where it is larger than the room shrunk, so that it lies within
// the room: the side that sticks out comes back to the room's edge.
inline QRect keptWithin(const QRect& frame, const QRect& room) {
    QRect kept(frame.topLeft(), frame.size().boundedTo(room.size()));
    kept.moveLeft(std::clamp(kept.left(), room.left(), room.left() + room.width() - kept.width()));
    kept.moveTop(std::clamp(kept.top(), room.top(), room.top() + room.height() - kept.height()));
    return kept;
}

// A list of lines grows to show them all, as wide as the widest and as tall as all of them
// together, within 70 % of the screen's width and 40 % of its height.
inline QSize messagesListSize(const QSize& content, const QSize& screen) {
    return {qMin(content.width(), static_cast<int>(screen.width() * 0.7)),
            qMin(content.height(), static_cast<int>(screen.height() * 0.4))};
}

// A selection list grows as wide as its widest item; when that is wider than the screen it
// takes 70 % of the screen's width.
inline int selectListWidth(int content, int screenWidth) {
    return content > screenWidth ? static_cast<int>(screenWidth * 0.7) : content;
}

// The index of the widest text in the font, -1 for none. Texts are measured from the longest
// down; a text too short to be wider than the widest so far, even in the font's widest
// character, ends the search, so a long list costs a few measurements.
inline int widestText(const QStringList& texts, const QFontMetrics& metrics) {
    std::vector<int> order(static_cast<std::size_t>(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&texts](int a, int b) { return texts.at(a).size() > texts.at(b).size(); });
    const int widestChar = qMax(1, metrics.maxWidth());
    int widest = -1;
    int widestWidth = -1;
    for (int i : order) {
        if (widest >= 0 && texts.at(i).size() * widestChar <= widestWidth)
            break;
        const int width = metrics.horizontalAdvance(texts.at(i));
        if (width > widestWidth) {
            widest = i;
            widestWidth = width;
        }
    }
    return widest;
}

} // namespace DialogGeometry
