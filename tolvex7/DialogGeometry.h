#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

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

// Six pixels a character, 14 a line, within 70 % of the screen's width and 40 % of its height.
struct MessagesSize {
    QSize list;
    QSize dialog;
};

inline MessagesSize messagesSize(int longest, int lines, const QSize& screen) {
    const int w = qMin(longest * 6, static_cast<int>(screen.width() * 0.7));
    const int h = qMin(lines * 14 + 4, static_cast<int>(screen.height() * 0.4));
    return {QSize(w, h), QSize(w + 20, h + 80)};
}

// Whether a list of that width must grow for its longest line.
inline bool messagesNeedWidening(int dialogWidth, int longest) {
    return dialogWidth - 15 < longest * 6;
}

// The width a selection list grows to for its longest item.
inline int selectListWidth(int longest, int screenWidth) {
    int w = longest * 6;
    if (w > screenWidth)
        w = static_cast<int>(screenWidth * 0.7);
    return w;
}

inline bool selectListNeedsWidening(int clientWidth, int longest) {
    return clientWidth - 25 < longest * 6;
}

} // namespace DialogGeometry
