#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

class LetterSet;

// The members of the letters as a table: one column per list field ("Naam", "Totaal").
class MemberListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The member's place in the set, for every cell.
    static constexpr int MemberRole = Qt::UserRole + 1;
    // A number where the text is one, for sorting.
    static constexpr int SortRole = Qt::UserRole + 2;

    explicit MemberListModel(const LetterSet& set, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const LetterSet& m_set;
};

// The list as shown: sorted on a column, and, when asked, only the members who owe money.
class MemberListFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    MemberListFilter(const LetterSet& set, QObject* parent = nullptr);

    bool onlyOwing() const { return m_onlyOwing; }
    void setOnlyOwing(bool on);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const LetterSet& m_set;
    bool m_onlyOwing = false;
};
