#include "components/correspondence/MemberListModel.h"

#include "components/correspondence/LetterSet.h"

namespace {

constexpr double kOwes = 0.005; // what shows as 0.01 or more

} // namespace

MemberListModel::MemberListModel(const LetterSet& set, QObject* parent)
    : QAbstractTableModel(parent), m_set(set) {}

int MemberListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_set.memberCount();
}

int MemberListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_set.listFields().size());
}

QVariant MemberListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString& field = m_set.listFields().at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_set.value(index.row(), field).value_or(QString());
    case Qt::TextAlignmentRole: {
        bool number = false;
        m_set.value(index.row(), field).value_or(QString()).toDouble(&number);
        return QVariant::fromValue(Qt::Alignment(
            (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case MemberRole:
        return index.row();
    case SortRole: {
        const QString text = m_set.value(index.row(), field).value_or(QString());
        bool number = false;
        const double value = text.toDouble(&number);
        return number ? QVariant(value) : QVariant(text.toLower());
    }
    default:
        return {};
    }
}

QVariant MemberListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_set.listFields().size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_set.listFields().at(section);
}

MemberListFilter::MemberListFilter(const LetterSet& set, QObject* parent)
    : QSortFilterProxyModel(parent), m_set(set) {
    setSortRole(MemberListModel::SortRole);
}

void MemberListFilter::setOnlyOwing(bool on) {
    if (on == m_onlyOwing)
        return;
    m_onlyOwing = on;
    invalidateRowsFilter();
}

bool MemberListFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return !m_onlyOwing || m_set.owed(sourceRow) >= kOwes;
}
