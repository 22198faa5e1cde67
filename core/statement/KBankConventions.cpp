#include "core/statement/KBankConventions.h"

#include "platform/CodePage.h"

#include <QDate>

#include <cstdio>

namespace {

constexpr std::string_view kReceived = "Bank ";
constexpr std::string_view kStorno = "Storno ";
constexpr std::string_view kCollection = "Incasso ";
constexpr int kRunDigits = 17; // YYYYMMDDHHMMSS and three digits of milliseconds

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

bool isDateNumber(std::int32_t yyyymmdd) {
    return QDate(yyyymmdd / 10000, (yyyymmdd / 100) % 100, yyyymmdd % 100).isValid();
}

std::string isoDate(std::int32_t yyyymmdd) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", yyyymmdd / 10000, (yyyymmdd / 100) % 100,
                  yyyymmdd % 100);
    return text;
}

// "2027-01-15" at the front of text, as yyyymmdd; 0 when there is none.
std::int32_t leadingIsoDate(std::string_view text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return 0;
    std::int32_t value = 0;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
    }
    return isDateNumber(value) ? value : 0;
}

// A message id "KVL-" and 17 digits at the front of text, with what may follow it.
bool isRunAt(QStringView text, qsizetype at) {
    if (text.size() - at < 4 + kRunDigits || text.mid(at, 4) != QLatin1String("KVL-"))
        return false;
    return allDigits(text.mid(at + 4, kRunDigits));
}

} // namespace

namespace KBankConventions {

std::optional<Collection> readEndToEndId(QStringView id) {
    id = id.trimmed();
    if (!id.startsWith(QLatin1String("KVL-")))
        return std::nullopt;
    const QStringView rest = id.mid(4);
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash <= 0 || dash > 9)
        return std::nullopt;
    const QStringView member = rest.left(dash);
    const QStringView date = rest.mid(dash + 1);
    if (!allDigits(member) || date.size() != 8 || !allDigits(date))
        return std::nullopt;
    Collection collection;
    collection.memberId = member.toInt();
    collection.date = date.toInt();
    if (collection.memberId <= 0 || !isDateNumber(collection.date))
        return std::nullopt;
    return collection;
}

std::optional<QString> runOf(QStringView reference) {
    reference = reference.trimmed();
    if (!isRunAt(reference, 0))
        return std::nullopt;
    const QStringView rest = reference.mid(4 + kRunDigits);
    if (!rest.isEmpty() && rest != QLatin1String("-FRST") && rest != QLatin1String("-RCUR"))
        return std::nullopt;
    return reference.left(4 + kRunDigits).toString();
}

std::optional<QString> findRun(QStringView text) {
    for (qsizetype at = text.indexOf(QLatin1String("KVL-")); at >= 0;
         at = text.indexOf(QLatin1String("KVL-"), at + 1)) {
        if (!isRunAt(text, at))
            continue;
        // Not part of a longer number or word.
        const qsizetype end = at + 4 + kRunDigits;
        if (at > 0 && text[at - 1].isLetterOrNumber())
            continue;
        if (end < text.size() && text[end].isLetterOrNumber())
            continue;
        return text.mid(at, 4 + kRunDigits).toString();
    }
    return std::nullopt;
}

std::string remarkReference(const QString& reference) {
    return CodePage::fromQStringNearest(reference.trimmed());
}

std::string receivedRemark(std::int32_t bookingDate, const QString& reference) {
    return std::string(kReceived) + isoDate(bookingDate) + ' ' + remarkReference(reference);
}

std::string stornoRemark(const QString& reason, std::int32_t bookingDate, const QString& reference) {
    std::string remark(kStorno);
    const std::string code = CodePage::fromQStringNearest(reason.trimmed());
    if (!code.empty())
        remark += code + ' ';
    return remark + receivedRemark(bookingDate, reference);
}

std::string collectionRemark(const QString& messageId) {
    return std::string(kCollection) + CodePage::fromQString(messageId);
}

std::optional<Booked> readBookedRemark(std::string_view remark) {
    if (remark.substr(0, kStorno.size()) == kStorno) {
        // "Storno [REASON ]Bank ...": the reason is one word.
        std::string_view rest = remark.substr(kStorno.size());
        if (rest.substr(0, kReceived.size()) != kReceived) {
            const std::size_t blank = rest.find(' ');
            if (blank == std::string_view::npos)
                return std::nullopt;
            rest = rest.substr(blank + 1);
        }
        remark = rest;
    }
    if (remark.substr(0, kReceived.size()) != kReceived)
        return std::nullopt;
    remark.remove_prefix(kReceived.size());
    const std::int32_t date = leadingIsoDate(remark);
    if (date == 0 || remark.size() < 12 || remark[10] != ' ')
        return std::nullopt;
    Booked booked;
    booked.date = date;
    booked.reference = std::string(remark.substr(11));
    if (booked.reference.empty())
        return std::nullopt;
    return booked;
}

bool isStornoRemark(std::string_view remark) {
    return remark.substr(0, kStorno.size()) == kStorno && readBookedRemark(remark).has_value();
}

bool isCollectionRemark(std::string_view remark) {
    return remark.substr(0, kCollection.size() + 4) == "Incasso KVL-";
}

std::string_view collectionRun(std::string_view remark) {
    if (!isCollectionRemark(remark))
        return {};
    remark.remove_prefix(kCollection.size());
    const std::size_t end = remark.find(' ');
    return end == std::string_view::npos ? remark : remark.substr(0, end);
}

} // namespace KBankConventions
