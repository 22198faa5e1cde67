#pragma once

#include "core/config/KFieldSetup.h"

#include <QDialog>

class KDragList;
class KQuestions;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Velden": per tab, the fields with their label, type and meaning, in the tab's order. The
// dialog works on the working copies of a KFieldSetup: it reads its controls, lets the setup
// act, and shows what comes back. After OK the setup holds the lists to hand to the document.
class KDlgFields : public QDialog {
    Q_OBJECT

public:
    KDlgFields(KFieldSetup& setup, KQuestions& questions, QWidget* parent = nullptr);

    KDragList* fieldList() const { return m_list; }
    QComboBox* tabBox() const { return m_tabBox; }
    QComboBox* targetBox() const { return m_targetBox; }
    QComboBox* typeBox() const { return m_typeBox; }
    QComboBox* meaningBox() const { return m_meaningBox; }
    QLineEdit* labelEdit() const { return m_label; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* moveButton() const { return m_move; }

    void accept() override;

private:
    void build();
    void fill();
    KFieldSetup::Controls controls() const;
    void showTab();
    void fieldSelected();
    void act(KResult (KFieldSetup::*action)(const KFieldSetup::Controls&));
    void showItems(const std::vector<KFieldSetup::Item>& items);

    KFieldSetup& m_setup;
    KQuestions& m_questions;
    KDragList* m_list = nullptr;
    QComboBox* m_tabBox = nullptr;
    QComboBox* m_targetBox = nullptr;
    QComboBox* m_typeBox = nullptr;
    QComboBox* m_meaningBox = nullptr;
    QLineEdit* m_label = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_move = nullptr;
};
