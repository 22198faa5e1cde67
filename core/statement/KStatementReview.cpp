#include "core/statement/KStatementReview.h"

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/statement/KBankConventions.h"
#include "core/statement/KBankText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <unordered_map>

KStatementReview::KStatementReview(const CKorvelDoc& doc, std::vector<KBankStatement> statements,
                                   const QString& ibanLabel, const QString& clubIban)
    : m_doc(doc), m_matcher(doc, ibanLabel), m_statements(std::move(statements)) {
    const QString club = KBankText::normalIban(clubIban);
    std::vector<const KBankEntry*> entries;
    for (std::size_t s = 0; s < m_statements.size(); ++s) {
        const KBankStatement& statement = m_statements[s];
        if (!club.isEmpty() && !statement.account.isEmpty() && statement.accountIban != club)
            m_warnings.push_back(
                QStringLiteral("Afschrift %1 (%2) is van rekening %3, niet van de rekening van de "
                               "vereniging (%4).")
                    .arg(statement.id, statement.source, statement.account, club));
        for (std::size_t e = 0; e < statement.entries.size(); ++e) {
            Row row;
            row.statement = s;
            row.entry = e;
            m_rows.push_back(row);
            entries.push_back(&statement.entries[e]);
        }
    }
    if (!m_matcher.hasIbanField() && !entries.empty())
        m_warnings.push_back(
            QStringLiteral("De leden hebben geen veld \"%1\": er wordt niet op IBAN gezocht.")
                .arg(ibanLabel));
    std::vector<KStatementMatch> matches = m_matcher.match(entries);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].match = std::move(matches[i]);
        m_rows[i].checked = m_rows[i].match.state == KMatchState::Ready;
    }
}

const KBankEntry& KStatementReview::entry(std::size_t index) const {
    const Row& row = m_rows[index];
    return m_statements[row.statement].entries[row.entry];
}

bool KStatementReview::checkable(std::size_t index) const {
    const KStatementMatch& match = m_rows[index].match;
    return (match.state == KMatchState::Ready || match.state == KMatchState::Confirm) &&
           match.member != 0;
}

bool KStatementReview::setChecked(std::size_t index, bool checked) {
    if (checked && !checkable(index))
        return false;
    m_rows[index].checked = checked;
    return true;
}

KResult KStatementReview::choose(std::size_t index, std::int32_t member) {
    Row& row = m_rows[index];
    if (row.match.state == KMatchState::Already || row.match.state == KMatchState::NotBookable)
        return KResult::failed(row.match.state == KMatchState::Already
                                   ? QStringLiteral("Dit bedrag is al geboekt.")
                                   : QStringLiteral("Dit bedrag kan niet worden geboekt: %1")
                                         .arg(row.match.note));
    if (!m_doc.findMember(member))
        return KResult::failed(QStringLiteral("Dat lid bestaat niet (meer)."));
    if (m_matcher.bookedFor(member, entry(index)))
        return KResult::failed(
            QStringLiteral("Dit bedrag is al geboekt bij %1.").arg(memberName(member)));
    row.match.state = KMatchState::Ready;
    row.match.rule = KMatchRule::Chosen;
    row.match.member = member;
    row.match.note.clear();
    row.checked = true;
    return KResult::done();
}

KStatementReview::Totals KStatementReview::checkedTotals() const {
    Totals totals;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!m_rows[i].checked)
            continue;
        ++totals.rows;
        totals.cents += entry(i).cents;
    }
    return totals;
}

KPayment KStatementReview::payment(std::size_t index) const {
    const KBankEntry& e = entry(index);
    // A returned collection stays one when the treasurer chose its member.
    const bool storno = m_rows[index].match.rule == KMatchRule::Storno ||
                        (e.cents < 0 && !e.returnReason.isEmpty());
    const std::string remark =
        storno
            ? KBankConventions::stornoRemark(e.returnReason, e.bookingDate, e.reference)
            : KBankConventions::receivedRemark(e.bookingDate, e.reference);
    return KPayment(static_cast<double>(e.cents) / 100.0, KDateValue(e.bookingDate), remark);
}

std::vector<std::pair<std::int32_t, KMember>> KStatementReview::bookings() const {
    std::vector<std::pair<std::int32_t, KMember>> contents;
    std::unordered_map<std::int32_t, std::size_t> place;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        if (!row.checked || !checkable(i))
            continue;
        const KMember* member = m_doc.findMember(row.match.member);
        if (!member)
            continue;
        auto [at, added] = place.try_emplace(row.match.member, contents.size());
        if (added)
            contents.emplace_back(row.match.member, *member);
        contents[at->second].second.addPayment(payment(i));
    }
    return contents;
}

std::size_t KStatementReview::book(CKorvelDoc& doc) const {
    std::vector<std::pair<std::int32_t, KMember>> contents = bookings();
    std::size_t payments = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].checked && checkable(i) && m_doc.findMember(m_rows[i].match.member))
            ++payments;
    if (contents.empty())
        return 0;
    KEdit::replaceMembers(doc, QString::fromUtf8(kUndoText), std::move(contents));
    return payments;
}

QString KStatementReview::howText(std::size_t index) const {
    const KStatementMatch& match = m_rows[index].match;
    switch (match.state) {
    case KMatchState::Choose:
        return QStringLiteral("kiezen");
    case KMatchState::Unmatched:
        return QStringLiteral("niet gevonden");
    case KMatchState::Already:
        return QStringLiteral("al geboekt");
    case KMatchState::NotBookable:
        return QStringLiteral("niet te boeken");
    case KMatchState::Ready:
    case KMatchState::Confirm:
        break;
    }
    switch (match.rule) {
    case KMatchRule::EndToEnd:
        return QStringLiteral("incasso");
    case KMatchRule::Storno:
        return QStringLiteral("storno");
    case KMatchRule::Iban:
        return QStringLiteral("IBAN");
    case KMatchRule::Reference:
        return QStringLiteral("bondsnummer");
    case KMatchRule::Name:
        return QStringLiteral("naam");
    case KMatchRule::Chosen:
        return QStringLiteral("gekozen");
    case KMatchRule::None:
        break;
    }
    return {};
}

std::vector<KStatementReview::Choice> KStatementReview::choices(std::size_t index) const {
    const std::vector<std::int32_t>& first = m_rows[index].match.candidates;
    std::vector<Choice> out;
    out.reserve(m_doc.members().size());
    auto text = [](const KMember& member) {
        const std::string number = member.textByMeaning(FieldMeaning::FederationNumber);
        QString shown = CodePage::toQString(member.name());
        if (!number.empty() && number != "0")
            shown += QStringLiteral(" (%1)").arg(CodePage::toQString(number));
        return shown;
    };
    for (std::int32_t id : first)
        if (const KMember* member = m_doc.findMember(id))
            out.push_back({id, text(*member)});
    for (const KMember& member : m_doc.members())
        if (std::find(first.begin(), first.end(), member.id()) == first.end())
            out.push_back({member.id(), text(member)});
    return out;
}

QString KStatementReview::memberName(std::int32_t member) const {
    const KMember* m = m_doc.findMember(member);
    return m ? CodePage::toQString(m->name()) : QString();
}
