#pragma once

#include "core/statement/KStatementReview.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

class KStatementModel;
class QLabel;
class QPushButton;
class QTableView;

// "Bankafschrift inlezen": every amount of the statement with the member found for it and how,
// a tick for each that is to be booked, and the total of the ticked ones. "Lid kiezen..." (or
// a double click) gives an amount its member; "Boeken" ends it, after which the caller books.
class KDlgStatement : public QDialog {
    Q_OBJECT

public:
    // Asks for the member of an amount from the choices; 0 when the treasurer chose none.
    using Picker = std::function<std::int32_t(std::vector<KStatementReview::Choice>, const QString& about)>;

    explicit KDlgStatement(KStatementReview& review, QWidget* parent = nullptr);

    // In place of the member dialog (tests).
    void setPicker(Picker picker) { m_picker = std::move(picker); }

    QTableView* table() const { return m_table; }
    KStatementModel* model() const { return m_model; }
    QLabel* totals() const { return m_totals; }
    QLabel* warnings() const { return m_warnings; }
    QPushButton* chooseButton() const { return m_choose; }
    QPushButton* bookButton() const { return m_book; }

    // Lets the treasurer choose the member of the current row.
    void chooseMember();

private:
    void build();
    void showTotals();
    void currentChanged();
    int currentRow() const;

    KStatementReview& m_review;
    KStatementModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_warnings = nullptr;
    QLabel* m_totals = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_book = nullptr;
    Picker m_picker;
};
