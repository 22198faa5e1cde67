#pragma once

#include <QLineEdit>

// A remarks field of a dialog that offers the special characters: it tells its dialog (a
// KSpecCharDialog) when it gains the focus and when it loses it to another control, so the
// picker knows where to type. Its own context menu offers the picker too.
class KFocusEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit KFocusEdit(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
