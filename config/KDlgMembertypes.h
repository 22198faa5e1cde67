#pragma once

#include <QDialog>

#include <string>
#include <vector>

class KDragList;
class KQuestions;
class QLineEdit;
class QPushButton;

// "Soorten leden": the member types in their order. Names are added, changed in place and
// deleted, and dragged into another order; the caller applies the names listed on OK.
class KDlgMembertypes : public QDialog {
    Q_OBJECT

public:
    KDlgMembertypes(KQuestions& questions, QWidget* parent = nullptr);

    void setNames(const std::vector<std::string>& names);
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
