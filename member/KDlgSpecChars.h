#pragma once

#include <QDialog>
#include <QPointer>


class CvsFlexGrid;
class QLineEdit;

// The special-character picker: the euro sign and codes 161 to 255 of Windows-1252 in a grid of
// twelve rows of eight. It opens beside the field it types into, never over it: to its right,
// else to its left, else below or above it, as the screen has room, and centred on the screen
// only without a field. A double-click (or Enter) on a character types it at the field's caret,
// replacing a selection as typing would, and closes the picker.
class KDlgSpecChars : public QDialog {
    Q_OBJECT

public:
    explicit KDlgSpecChars(QLineEdit* target, QWidget* parent = nullptr);

    CvsFlexGrid& grid() const { return *m_grid; }
    // Types the character of the current cell into the target and closes.
    void typeCurrent();

    // Where the picker's frame goes beside a field: level with the field to its right or left,
    // or under or over it, moved along that side as far as the screen needs; when no side has
    // the room, to the right as far as the screen allows.
    static QPoint besideField(const QRect& fieldOnScreen, const QSize& picker,
                              const QRect& screen);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QPointer<QLineEdit> m_target;
    CvsFlexGrid* m_grid = nullptr;
};
