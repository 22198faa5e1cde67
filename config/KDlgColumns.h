#pragma once

#include "core/config/KColumnChoice.h"

#include <QDialog>

class KDragList;
class QListWidget;
class QPushButton;

// "Kolommen": which information the member grid shows, in which order. Items move between the
// shown list (dragged into the column order) and the alphabetical not-shown list; the caller
// stores the shown items on OK.
class KDlgColumns : public QDialog {
    Q_OBJECT

public:
    explicit KDlgColumns(QWidget* parent = nullptr);

    void setChoice(const KColumnChoice& choice);
    // The shown items, top to bottom, and the ones not shown.
    KColumnChoice choice() const;

    KDragList* shownList() const { return m_shown; }
    QListWidget* notShownList() const { return m_notShown; }
    QPushButton* showButton() const { return m_show; }
    QPushButton* hideButton() const { return m_hide; }

    // "<<": the item selected in the not-shown list goes to the end of the shown list.
    void showSelected();
    // ">>": the item selected in the shown list goes to its alphabetical place.
    void hideSelected();

private:
    void build();

    KDragList* m_shown = nullptr;
    QListWidget* m_notShown = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_hide = nullptr;
};
