#pragma once

#include <QDialog>

#include <string>
#include <vector>

class KDragList;
class KQuestions;
class QLineEdit;
class QPushButton;

// "Rubrieken": the names of the tabs in their order. Names are added, changed and deleted in
// the list, and dragged into another order; the caller applies the names listed on OK.
class KDlgTabs : public QDialog {
    Q_OBJECT

public:
    KDlgTabs(KQuestions& questions, QWidget* parent = nullptr);

    void setNames(const std::vector<std::string>& names);
    // The names listed, top to bottom.
    std::vector<std::string> names() const;

    KDragList* list() const { return m_list; }
    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }

private:
    void build();
    void addName();
    void changeName();
    void deleteName();

    KQuestions& m_questions;
    KDragList* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
};
