#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class KDragList;
class KQuestions;
class QLineEdit;
class QPushButton;

// A list of names in their order beside a name edit: "<-- Toevoegen", "<--> Wijzigen" and
// "--> Verwijderen" work on the list, which the user also drags into another order; the caller
// applies the names listed on OK. What each button does to the list is the derived dialog's.
class KNameListDialog : public QDialog {
    Q_OBJECT

public:
    void setNames(const std::vector<std::string>& names);
    // The names listed, top to bottom.
    std::vector<std::string> names() const;

    KDragList* list() const { return m_list; }
    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }

protected:
    struct Look {
        QString title;
        QString nameLabel; // the name edit's accessible name
        int nameRow;       // the row of the button the name edit stands beside
        unsigned templateId; // by which the manual knows the dialog
    };
    KNameListDialog(KQuestions& questions, const Look& look, QWidget* parent);

    virtual void addName() = 0;
    virtual void changeName() = 0;
    virtual void deleteName() = 0;

    // The name typed, in the administration's code page.
    std::string typedName() const;
    // Shows names; with a row, selects it (no row selected when it is out of the list).
    void showNames(const std::vector<std::string>& names, std::optional<int> selectRow = {});

    KQuestions& m_questions;

private:
    KDragList* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
};
