#include "statement/KStatementModel.h"

#include "core/format/KDateValue.h"
#include "core/format/Numbers.h"
#include "core/statement/KStatementReview.h"
#include "platform/CodePage.h"

#include <QBrush>
#include <QPalette>

KStatementModel::KStatementModel(KStatementReview& review, QObject* parent)
    : QAbstractTableModel(parent), m_review(review) {}

int KStatementModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_review.size());
}

int KStatementModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KStatementModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Check:
        return QStringLiteral("Boeken");
    case Date:
        return QStringLiteral("Datum");
    case Amount:
        return QStringLiteral("Bedrag");
    case Name:
        return QStringLiteral("Naam");
    case Iban:
        return QStringLiteral("IBAN");
    case Text:
        return QStringLiteral("Omschrijving");
    case Member:
        return QStringLiteral("Lid");
    case How:
        return QStringLiteral("Gevonden op");
    case Note:
        return QStringLiteral("Opmerking");
    default:
        return {};
    }
}

QVariant KStatementModel::display(int row, int column) const {
    const std::size_t r = static_cast<std::size_t>(row);
    const KBankEntry& entry = m_review.entry(r);
    const KStatementMatch& match = m_review.row(r).match;
    switch (column) {
    case Date:
        return entry.bookingDate ? CodePage::toQString(KDateValue(entry.bookingDate).Text()) : QString();
    case Amount:
        if (entry.currency != QLatin1String("EUR") && !entry.currency.isEmpty())
            return QStringLiteral("%1 %2").arg(entry.currency, QString::fromStdString(Numbers::fixed2(static_cast<double>(entry.cents) / 100.0)));
        return QString::fromStdString(Numbers::fixed2(static_cast<double>(entry.cents) / 100.0));
    case Name:
        return entry.name;
    case Iban:
        return entry.iban;
    case Text:
        return entry.text;
    case Member:
        return match.member ? m_review.memberName(match.member) : QString();
    case How:
        return m_review.howText(r);
    case Note:
        return match.note;
    default:
        return {};
    }
}

QVariant KStatementModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const std::size_t r = static_cast<std::size_t>(row);
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case Qt::CheckStateRole:
        if (index.column() == Check)
            return m_review.row(r).checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == Amount)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ToolTipRole: {
        const KStatementMatch& match = m_review.row(r).match;
        if (index.column() == Member && match.member)
            return QStringLiteral("%1, schuld nu %2")
                .arg(m_review.memberName(match.member),
                     QString::fromStdString(Numbers::fixed2(static_cast<double>(m_review.owedCents(match.member)) / 100.0)));
        if (index.column() == Text || index.column() == Note)
            return display(row, index.column());
        return {};
    }
    case Qt::ForegroundRole: {
        const KMatchState state = m_review.row(r).match.state;
        if (state == KMatchState::Already || state == KMatchState::NotBookable)
            return QPalette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    }
    default:
        return {};
    }
}

Qt::ItemFlags KStatementModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == Check && m_review.checkable(static_cast<std::size_t>(index.row())))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool KStatementModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid) ||
        index.column() != Check || role != Qt::CheckStateRole)
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (!m_review.setChecked(static_cast<std::size_t>(index.row()), checked))
        return false;
    rowChanged(index.row());
    return true;
}

KResult KStatementModel::choose(int row, std::int32_t member) {
    if (row < 0 || row >= rowCount())
        return KResult::failed(QStringLiteral("Kies eerst een bedrag in de lijst."));
    KResult result = m_review.choose(static_cast<std::size_t>(row), member);
    if (result.isDone())
        rowChanged(row);
    return result;
}

void KStatementModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit checkedChanged();
}
