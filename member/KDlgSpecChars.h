#pragma once

#include <QDialog>
#include <QPointer>

#include <optional>

class CvsFlexGrid;
class QLineEdit;

// The special-character picker: the euro sign and codes 161 to 255 of Windows-1252 in a grid of
// twelve rows of eight. It opens beside the field it types into, or centred on the screen when
// it would not fit there. A double-click (or Enter) on a character types it at the field's caret,
// replacing a selection as typing would, and closes the picker.
class KDlgSpecChars : public QDialog {
    Q_OBJECT

public:
    explicit KDlgSpecChars(QLineEdit* target, QWidget* parent = nullptr);

    CvsFlexGrid& grid() const { return *m_grid; }
    // Types the character of the current cell into the target and closes.
    void typeCurrent();

    // Where the picker goes beside a field (its top-left at the field's top right), or nothing
    // when it would reach the screen's right or bottom edge there.
    static std::optional<QPoint> besideField(const QRect& fieldOnScreen, const QSize& picker,
                                             const QRect& screen);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QPointer<QLineEdit> m_target;
    CvsFlexGrid* m_grid = nullptr;
};
