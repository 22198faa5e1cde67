#include "core/statement/KStatementMatcher.h"

#include "core/document/CKorvelDoc.h"
#include "core/statement/KBankConventions.h"
#include "core/statement/KBankText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr std::size_t kLongestName = 8; // words looked for in a description

std::int64_t memberDay(std::int32_t member, std::int32_t date) {
    return (static_cast<std::int64_t>(member) << 32) | static_cast<std::uint32_t>(date);
}

// An IBAN of a member field as the entries hold theirs: capitals, no blanks.
std::string normalIban(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\xA0')
            continue;
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

void addUnique(std::vector<std::int32_t>& ids, std::int32_t id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end())
        ids.push_back(id);
}

QString dayText(std::int32_t yyyymmdd) {
    return QStringLiteral("%1-%2-%3")
        .arg(yyyymmdd % 100, 2, 10, QLatin1Char('0'))
        .arg((yyyymmdd / 100) % 100, 2, 10, QLatin1Char('0'))
        .arg(yyyymmdd / 10000);
}

std::vector<std::string_view> words(std::string_view folded) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start < folded.size()) {
        std::size_t end = folded.find(' ', start);
        if (end == std::string_view::npos)
            end = folded.size();
        out.push_back(folded.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

} // namespace

// What the matching of one read has seen so far.
struct KStatementMatcher::ReadState {
    // Date, reference, amount and other party of every amount seen.
    std::unordered_set<std::string> seen;
    // Member and date of the collections among them.
    std::unordered_set<std::int64_t> collected;
};

void KStatementMatcher::KeyIndex::add(std::string_view key, std::int32_t member) {
    m_entries.emplace_back(std::hash<std::string_view>()(key), member);
}

void KStatementMatcher::KeyIndex::finish() {
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::vector<std::int32_t> KStatementMatcher::KeyIndex::find(std::string_view key) const {
    const std::uint64_t hash = std::hash<std::string_view>()(key);
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), hash,
                               [](const auto& entry, std::uint64_t h) { return entry.first < h; });
    std::vector<std::int32_t> members;
    for (; it != m_entries.end() && it->first == hash; ++it)
        members.push_back(it->second);
    return members;
}

KStatementMatcher::KStatementMatcher(const CKorvelDoc& doc, const QString& ibanLabel) : m_doc(doc) {
    const std::string label = CodePage::fromQString(ibanLabel);
    for (const KField& field : doc.fields()) {
        if (field.label() == label) {
            m_ibanField = field.id();
            break;
        }
    }
    for (const KMember& member : doc.members()) {
        const std::int32_t id = member.id();
        // An empty field is never matched: it says nothing about the member.
        if (const std::string iban = ibanKey(member); !iban.empty())
            m_byIban.add(iban, id);
        if (const std::string number = numberKey(member); !number.empty())
            m_byNumber.add(number, id);
        if (const std::string name = nameKey(member); !name.empty()) {
            m_byName.add(name, id);
            m_longestName = std::max(m_longestName, static_cast<std::size_t>(std::count(name.begin(), name.end(), ' ') + 1));
        }
        for (const KPayment& payment : member.payments()) {
            const std::string_view run = KBankConventions::collectionRun(payment.remarks());
            if (!run.empty())
                m_runs.emplace(run);
        }
    }
    m_byIban.finish();
    m_byNumber.finish();
    m_byName.finish();
    m_longestName = std::min(m_longestName, kLongestName);
}

std::string KStatementMatcher::ibanKey(const KMember& member) const {
    if (m_ibanField == 0)
        return {};
    const KField* value = member.valueById(m_ibanField);
    if (!value)
        return {};
    return normalIban(value->type() == FieldType::Text ? value->text() : value->displayText());
}

std::string KStatementMatcher::numberKey(const KMember& member) const {
    const KField* value = member.valueByMeaning(FieldMeaning::FederationNumber);
    return value ? KBankText::memberNumber(value->displayText()) : std::string();
}

std::string KStatementMatcher::nameKey(const KMember& member) const {
    const KField* value = member.valueByMeaning(FieldMeaning::Name);
    if (!value)
        return {};
    std::string folded;
    if (value->type() == FieldType::Text)
        KBankText::foldNameInto(value->text(), folded);
    else
        KBankText::foldNameInto(value->displayText(), folded);
    return folded.find(' ') == std::string::npos ? folded : KBankText::sortedWords(folded);
}

std::vector<std::int32_t> KStatementMatcher::lookUp(
    const KeyIndex& index, const std::string& key,
    std::string (KStatementMatcher::*keyOf)(const KMember&) const) const {
    std::vector<std::int32_t> members = index.find(key);
    std::erase_if(members, [&](std::int32_t id) {
        const KMember* member = m_doc.findMember(id);
        return !member || (this->*keyOf)(*member) != key;
    });
    return members;
}

bool KStatementMatcher::bookedFor(std::int32_t member, const KBankEntry& entry) const {
    const KMember* m = m_doc.findMember(member);
    if (!m)
        return false;
    const std::string reference = KBankConventions::remarkReference(entry.reference);
    for (const KPayment& payment : m->payments()) {
        const auto booked = KBankConventions::readBookedRemark(payment.remarks());
        if (booked && booked->date == entry.bookingDate && booked->reference == reference)
            return true;
    }
    return false;
}

bool KStatementMatcher::collectedOn(std::int32_t member, std::int32_t date) const {
    const KMember* m = m_doc.findMember(member);
    if (!m)
        return false;
    for (const KPayment& payment : m->payments())
        if (payment.date().value() == date && KBankConventions::isCollectionRemark(payment.remarks()))
            return true;
    return false;
}

bool KStatementMatcher::receivedOn(std::int32_t member, std::int32_t date, std::int64_t cents) const {
    const KMember* m = m_doc.findMember(member);
    if (!m)
        return false;
    for (const KPayment& payment : m->payments()) {
        if (payment.date().value() != date || std::llround(payment.amount() * 100.0) != cents)
            continue;
        if (KBankConventions::readBookedRemark(payment.remarks()) &&
            !KBankConventions::isStornoRemark(payment.remarks()))
            return true;
    }
    return false;
}

std::int64_t KStatementMatcher::owedCents(std::int32_t member) const {
    const KMember* m = m_doc.findMember(member);
    return m ? std::llround(m->balance() * 100.0) : 0;
}

std::vector<std::int32_t> KStatementMatcher::owing(const std::vector<std::int32_t>& members,
                                                   std::int64_t cents) const {
    std::vector<std::int32_t> out;
    for (std::int32_t id : members)
        if (owedCents(id) == cents)
            out.push_back(id);
    return out;
}

std::vector<KStatementMatch> KStatementMatcher::match(const std::vector<const KBankEntry*>& entries) const {
    ReadState state;
    std::vector<KStatementMatch> out;
    out.reserve(entries.size());
    for (const KBankEntry* entry : entries)
        out.push_back(matchOne(*entry, state));
    return out;
}

KStatementMatch KStatementMatcher::matchOne(const KBankEntry& entry, ReadState& state) const {
    KStatementMatch m;
    auto notBookable = [&m](QString why) {
        m.state = KMatchState::NotBookable;
        m.note = std::move(why);
        return m;
    };
    if (entry.currency != QLatin1String("EUR"))
        return notBookable(entry.currency.isEmpty()
                               ? QStringLiteral("Bedrag zonder valuta: alleen bedragen in euro worden geboekt.")
                               : QStringLiteral("Bedrag in %1: alleen bedragen in euro worden geboekt.")
                                     .arg(entry.currency));
    if (!entry.exactCents)
        return notBookable(QStringLiteral("Het bedrag heeft meer dan twee decimalen."));
    if (!entry.status.isEmpty() && entry.status != QLatin1String("BOOK"))
        return notBookable(QStringLiteral("Nog niet door de bank geboekt (status %1).").arg(entry.status));
    if (entry.bookingDate == 0)
        return notBookable(QStringLiteral("Het afschrift geeft geen boekdatum."));
    if (entry.cents == 0)
        return notBookable(QStringLiteral("Het bedrag is 0,00."));

    const std::string seen = std::to_string(entry.bookingDate) + ' ' +
                             KBankConventions::remarkReference(entry.reference) + ' ' +
                             std::to_string(entry.cents) + ' ' + CodePage::fromQString(entry.iban);
    if (!state.seen.insert(seen).second) {
        m.state = KMatchState::Already;
        m.note = QStringLiteral("Staat al eerder in dit bestand.");
        return m;
    }

    if (entry.batch) {
        for (const QString& reference : entry.batchReferences) {
            const auto run = KBankConventions::runOf(reference);
            if (run && m_runs.count(CodePage::fromQString(*run))) {
                m.state = KMatchState::Already;
                m.note = QStringLiteral("De incasso %1 is al geboekt.").arg(*run);
                return m;
            }
        }
        m.note = QStringLiteral("Verzamelboeking zonder gegevens per lid.");
        return m;
    }

    if (!matchCollection(entry, m, state) && !matchByIban(entry, m) &&
        !matchByNumber(entry, m, nullptr) && !matchByName(entry, m))
        return m;

    // Booked before for the member found, or for one of those to choose from.
    if (m.member != 0 && bookedFor(m.member, entry)) {
        m.state = KMatchState::Already;
        m.note = QStringLiteral("Al geboekt bij dit lid.");
        return m;
    }
    for (std::int32_t candidate : m.candidates) {
        if (bookedFor(candidate, entry)) {
            m = KStatementMatch();
            m.state = KMatchState::Already;
            m.member = candidate;
            m.note = QStringLiteral("Al geboekt bij dit lid.");
            return m;
        }
    }
    // Money paid out to a member is booked only as the refund of what the member paid too much.
    const bool byAccount = m.rule == KMatchRule::Iban || m.rule == KMatchRule::Reference;
    if (m.state == KMatchState::Ready && byAccount && entry.cents < 0 &&
        owedCents(m.member) != entry.cents) {
        m.state = KMatchState::Confirm;
        m.note = QStringLiteral("Afschrijving: alleen boeken als dit een terugbetaling aan het lid is.");
    }
    return m;
}

bool KStatementMatcher::matchCollection(const KBankEntry& entry, KStatementMatch& m,
                                        ReadState& state) const {
    const auto collection = KBankConventions::readEndToEndId(entry.endToEndId);
    // A member removed since the collection is looked for by the other rules.
    if (!collection || !m_doc.findMember(collection->memberId))
        return false;
    const std::int32_t id = collection->memberId;
    const std::int64_t day = memberDay(id, collection->date);
    m.member = id;
    m.state = KMatchState::Ready;
    if (entry.cents > 0) {
        m.rule = KMatchRule::EndToEnd;
        state.collected.insert(day);
        if (collectedOn(id, collection->date)) {
            m.state = KMatchState::Already;
            m.note = QStringLiteral("De incasso van %1 is al geboekt.").arg(dayText(collection->date));
        }
        return true;
    }
    m.rule = KMatchRule::Storno;
    // Without the collection on the books a storno would make the member owe twice. It is on
    // the books as its run's booking, or as the same amount received on that day.
    const bool collected = state.collected.count(day) || collectedOn(id, collection->date) ||
                           receivedOn(id, collection->date, -entry.cents);
    if (!collected) {
        m.state = KMatchState::Confirm;
        m.note = QStringLiteral("Geen geboekte incasso van %1 bij dit lid gevonden.")
                     .arg(dayText(collection->date));
    }
    return true;
}

bool KStatementMatcher::matchByIban(const KBankEntry& entry, KStatementMatch& m) const {
    if (m_ibanField == 0 || entry.iban.isEmpty())
        return false;
    const std::vector<std::int32_t> members =
        lookUp(m_byIban, CodePage::fromQString(entry.iban), &KStatementMatcher::ibanKey);
    if (members.empty())
        return false;
    m.rule = KMatchRule::Iban;
    m.state = KMatchState::Ready;
    if (members.size() == 1) {
        m.member = members.front();
        return true;
    }
    // A family on one account: the one who owes this amount, or whose number is in the text.
    const std::vector<std::int32_t> owingMembers = owing(members, entry.cents);
    if (owingMembers.size() == 1) {
        m.member = owingMembers.front();
        return true;
    }
    if (matchByNumber(entry, m, &members))
        return true;
    m.rule = KMatchRule::None;
    m.state = KMatchState::Choose;
    m.candidates = members;
    m.note = QStringLiteral("%1 leden hebben dit IBAN: kies wie dit betaalde.").arg(members.size());
    return true;
}

bool KStatementMatcher::matchByNumber(const KBankEntry& entry, KStatementMatch& m,
                                      const std::vector<std::int32_t>* among) const {
    if (m_byNumber.empty())
        return false;
    std::vector<std::int32_t> found;
    for (const std::string& number : KBankText::wholeNumbers(entry.text)) {
        for (std::int32_t id : lookUp(m_byNumber, number, &KStatementMatcher::numberKey))
            if (!among || std::find(among->begin(), among->end(), id) != among->end())
                addUnique(found, id);
    }
    if (found.size() == 1) {
        m.rule = KMatchRule::Reference;
        m.state = KMatchState::Ready;
        m.member = found.front();
        return true;
    }
    if (found.empty() || among)
        return false;
    m.state = KMatchState::Choose;
    m.candidates = found;
    m.note = QStringLiteral("De omschrijving noemt de bondsnummers van meer leden.");
    return true;
}

bool KStatementMatcher::matchByName(const KBankEntry& entry, KStatementMatch& m) const {
    if (m_byName.empty())
        return false;
    std::vector<std::int32_t> named;
    auto take = [this, &named](const std::string& folded) {
        for (std::int32_t id : lookUp(m_byName, KBankText::sortedWords(folded), &KStatementMatcher::nameKey))
            addUnique(named, id);
    };
    const std::string party = KBankText::foldName(entry.name);
    if (!party.empty())
        take(party);
    const std::string text = KBankText::foldName(entry.text);
    const std::vector<std::string_view> textWords = words(text);
    std::string gram;
    for (std::size_t first = 0; first < textWords.size(); ++first) {
        gram.clear();
        for (std::size_t n = 0; n < m_longestName && first + n < textWords.size(); ++n) {
            if (n > 0)
                gram += ' ';
            gram.append(textWords[first + n]);
            take(gram);
        }
    }
    if (named.empty())
        return false;
    const std::vector<std::int32_t> owingMembers = owing(named, entry.cents);
    if (owingMembers.size() == 1) {
        m.rule = KMatchRule::Name;
        m.state = KMatchState::Ready;
        m.member = owingMembers.front();
        return true;
    }
    // Left to the treasurer, with the members named first in the choice.
    m.state = KMatchState::Unmatched;
    m.candidates = named;
    m.note = named.size() == 1
                 ? QStringLiteral("De naam van het lid staat erbij, maar het bedrag is niet wat het lid verschuldigd is.")
                 : QStringLiteral("De namen van %1 leden staan erbij; het bedrag past bij geen van hen alleen.")
                       .arg(named.size());
    return true;
}
