#pragma once

#include "core/KOutcome.h"

#include <QAbstractTableModel>

#include <cstdint>

class KStatementReview;

// The review's amounts as a table: a tick, the bank's data, the member found and how. Ticking
// a row and choosing a member change the review; checkedChanged() tells of every change of the
// ticked rows.
class KStatementModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Check, Date, Amount, Name, Iban, Text, Member, How, Note, ColumnCount };

    explicit KStatementModel(KStatementReview& review, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The treasurer's member for a row.
    KResult choose(int row, std::int32_t member);

    KStatementReview& review() const { return m_review; }

signals:
    void checkedChanged();

private:
    QVariant display(int row, int column) const;
    void rowChanged(int row);

    KStatementReview& m_review;
};
