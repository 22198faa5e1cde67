#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class CvsFlexGrid;
class KQuestions;
class KResult;
class KSchemeEditor;
class QDateEdit;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;

// "Contributie": one scheme's description, date and parts, and an editing area for one part
// with the conditions a member must meet to owe it. Works on the editor's working copy; the
// editor holds the result after OK. An amount under "Bedrag:" that is no number is refused
// with a message, and the amount gets the focus.
class KDlgContribution : public QDialog {
    Q_OBJECT

public:
    // The questions the dialog asks ("&Standaard" over parts) go to questions.
    KDlgContribution(KSchemeEditor& editor, KQuestions& questions, QWidget* parent = nullptr);

    QLineEdit* descriptionEdit() const { return m_description; }
    QDateEdit* dateEdit() const { return m_date; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* amountEdit() const { return m_amount; }
    CvsFlexGrid* partsGrid() const { return m_parts; }
    CvsFlexGrid* conditionsGrid() const { return m_conditions; }
    QMenu* conditionMenu() const { return m_menu; }

    // The messages of a refused amount, for this dialog and its condition dialogs; a message
    // box unless set otherwise.
    void setMessenger(std::function<void(const QString&)> messenger) {
        m_messenger = std::move(messenger);
    }

    // The handlers of the buttons, the parts grid and the conditions menu.
    void partSelected();
    void addPart();
    void changePart();
    void deletePart();
    // Asks first when the scheme has parts; they, the description and the date are replaced.
    void standard();
    void addCondition();
    void changeCondition();
    void deleteCondition();

    void accept() override;

    inline static const char* const kStandardQuestion =
        "De onderdelen, omschrijving en datum worden vervangen.\n\nWilt u doorgaan?";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void readControls();
    void fillParts();
    void widenToParts();
    void showCurrentPart();
    void showConditionMenu(const QPoint& viewportPos, const QPoint& globalPos);
    std::optional<int> selectedPartId() const;
    int selectedConditionId() const;
    // The condition dialog on the part; afterwards the editing area shows the current part.
    void runConditionDialog(int conditionId);
    // Tells why the amount typed was refused and gives it the focus; false then.
    bool taken(const KResult& result);

    KSchemeEditor& m_editor;
    KQuestions& m_questions;
    QLineEdit* m_description = nullptr;
    QDateEdit* m_date = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_amount = nullptr;
    CvsFlexGrid* m_parts = nullptr;
    CvsFlexGrid* m_conditions = nullptr;
    QMenu* m_menu = nullptr;
    std::function<void(const QString&)> m_messenger;
};
