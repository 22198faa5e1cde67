#include "core/statement/KMt940Reader.h"

#include "core/statement/KBankConventions.h"
#include "core/statement/KBankText.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace {

// The codes of a structured :86: that Dutch banks write.
const QStringList kCodes = {
    QStringLiteral("EREF"), QStringLiteral("IBAN"), QStringLiteral("BIC"),  QStringLiteral("NAME"),
    QStringLiteral("REMI"), QStringLiteral("RTRN"), QStringLiteral("TRTP"), QStringLiteral("CSID"),
    QStringLiteral("MARF"), QStringLiteral("CNTP"), QStringLiteral("ORDP"), QStringLiteral("BENM"),
    QStringLiteral("ULTC"), QStringLiteral("ULTD"), QStringLiteral("ULTB"), QStringLiteral("PURP"),
    QStringLiteral("PREF"), QStringLiteral("ADDR"), QStringLiteral("ISDT"), QStringLiteral("SVCL"),
    QStringLiteral("CREF"), QStringLiteral("IREF"), QStringLiteral("EXCH"), QStringLiteral("CHGS"),
    QStringLiteral("ID"),   QStringLiteral("BUSP"), QStringLiteral("KREF"), QStringLiteral("RTYP"),
};

// References that stand for none.
bool isPlaceholder(const QString& reference) {
    static const QStringList none = {QStringLiteral("NONREF"), QStringLiteral("NOTPROVIDED"),
                                     QStringLiteral("EREF"),   QStringLiteral("PREF"),
                                     QStringLiteral("MARF"),   QStringLiteral("NONE")};
    return reference.isEmpty() || none.contains(reference.toUpper());
}

QString trimSlashes(QString value) {
    value = value.trimmed();
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    while (value.startsWith(QLatin1Char('/')))
        value.remove(0, 1);
    return value.trimmed();
}

// The fields of a structured :86:: each "/CODE/" of a known code starts one; its value runs to
// the next.
std::map<QString, QString> structuredFields(const QString& text) {
    static const QRegularExpression code(
        QStringLiteral("/(%1)/").arg(kCodes.join(QLatin1Char('|'))));
    std::map<QString, QString> fields;
    QString current;
    qsizetype valueStart = -1;
    for (auto it = code.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (valueStart >= 0)
            fields[current] += text.mid(valueStart, match.capturedStart() - valueStart);
        current = match.captured(1);
        valueStart = match.capturedEnd();
        fields.try_emplace(current);
    }
    if (valueStart >= 0)
        fields[current] += text.mid(valueStart);
    return fields;
}

// What a payer wrote, from the value of /REMI/: "USTD//text", "STRD/CUR/reference" or the text.
QString remittance(QString value) {
    if (value.startsWith(QLatin1String("USTD//")))
        return trimSlashes(value.mid(6));
    if (value.startsWith(QLatin1String("STRD/"))) {
        const QStringList parts = value.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        return parts.isEmpty() ? QString() : parts.back().trimmed();
    }
    return trimSlashes(value);
}

// The statement being read.
struct Open {
    KBankStatement statement;
    std::int64_t opening = 0;
    bool hasOpening = false;
    std::int64_t sum = 0;
    bool afterEntry = false; // the last tag was a :61:, so a :86: belongs to it
    QString customerReference;
    int number = 0;
};

class Mt940Parser {
public:
    Mt940Parser(const QString& text, const QString& source) : m_text(text), m_source(source) {}
    KResult parse(std::vector<KBankStatement>& out);

private:
    KResult fail(int line, const QString& why) const {
        return KResult::failed(QStringLiteral("%1: regel %2: %3").arg(m_source).arg(line).arg(why));
    }
    std::optional<QString> tag(const QString& name, const QString& value);
    std::optional<QString> entryLine(const QString& value);
    void description(const QString& value);
    std::optional<QString> balance(const QString& value, std::int64_t& cents);
    std::optional<QString> close();

    QString m_text;
    QString m_source;
    std::optional<Open> m_open;
    std::vector<KBankStatement> m_done;
};

std::optional<QString> Mt940Parser::balance(const QString& value, std::int64_t& cents) {
    // D/C, YYMMDD, currency, amount: "C270114EUR1234,56"
    const QString line = value.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (line.size() < 11 || (line[0] != QLatin1Char('C') && line[0] != QLatin1Char('D')))
        return QStringLiteral("het saldo \"%1\" is onleesbaar.").arg(line);
    const auto amount = KBankText::readAmount(QStringView(line).mid(10), QLatin1Char(','));
    if (!amount)
        return QStringLiteral("het saldo \"%1\" is onleesbaar.").arg(line);
    cents = line[0] == QLatin1Char('D') ? -amount->cents : amount->cents;
    if (m_open && m_open->statement.currency.isEmpty())
        m_open->statement.currency = line.mid(7, 3);
    return std::nullopt;
}

std::optional<QString> Mt940Parser::close() {
    if (!m_open)
        return std::nullopt;
    m_done.push_back(std::move(m_open->statement));
    m_open.reset();
    return std::nullopt;
}

std::optional<QString> Mt940Parser::entryLine(const QString& value) {
    // YYMMDD[MMDD](C|D|RC|RD)[funds code]amount type[customer reference][//bank reference]
    // with the supplementary details on the next line.
    const QString line = value.section(QLatin1Char('\n'), 0, 0).trimmed();
    const QString unreadable = QStringLiteral("de post (:61:) \"%1\" is onleesbaar.").arg(line);
    qsizetype at = 0;
    auto digits = [&line](qsizetype from, qsizetype count) {
        if (from + count > line.size())
            return false;
        for (qsizetype i = from; i < from + count; ++i)
            if (!line[i].isDigit())
                return false;
        return true;
    };
    if (!digits(0, 6))
        return unreadable;
    const int year = 2000 + line.mid(0, 2).toInt();
    const int month = line.mid(2, 2).toInt();
    const int day = line.mid(4, 2).toInt();
    QDate date(year, month, day);
    at = 6;
    if (digits(at, 4)) {
        // The booking date: in the year of the value date, or the one before or after it.
        const int bookMonth = line.mid(at, 2).toInt();
        const int bookDay = line.mid(at + 2, 2).toInt();
        int bookYear = year;
        if (month == 12 && bookMonth == 1)
            ++bookYear;
        else if (month == 1 && bookMonth == 12)
            --bookYear;
        date = QDate(bookYear, bookMonth, bookDay);
        at += 4;
    }
    if (!date.isValid())
        return unreadable;
    bool credit = false;
    if (line.mid(at, 2) == QLatin1String("RC")) { // a credit reversed: money out
        at += 2;
    } else if (line.mid(at, 2) == QLatin1String("RD")) { // a debit reversed: money in
        credit = true;
        at += 2;
    } else if (line.mid(at, 1) == QLatin1String("C")) {
        credit = true;
        at += 1;
    } else if (line.mid(at, 1) == QLatin1String("D")) {
        at += 1;
    } else {
        return unreadable;
    }
    if (at < line.size() && line[at].isLetter())
        ++at; // funds code
    const qsizetype amountStart = at;
    while (at < line.size() && (line[at].isDigit() || line[at] == QLatin1Char(',')))
        ++at;
    const auto amount = KBankText::readAmount(QStringView(line).mid(amountStart, at - amountStart),
                                              QLatin1Char(','));
    if (!amount || at + 4 > line.size() || !line[at].isLetter())
        return unreadable;
    at += 4; // transaction type
    const QString references = line.mid(at);
    const qsizetype slashes = references.indexOf(QLatin1String("//"));
    const QString customer = (slashes < 0 ? references : references.left(slashes)).trimmed();
    const QString bank = slashes < 0 ? QString() : references.mid(slashes + 2).trimmed();

    Open& open = *m_open;
    ++open.number;
    KBankEntry entry;
    entry.cents = credit ? amount->cents : -amount->cents;
    entry.exactCents = amount->exactCents;
    entry.currency = open.statement.currency;
    entry.bookingDate = date.year() * 10000 + date.month() * 100 + date.day();
    entry.reference = !isPlaceholder(bank)       ? bank
                      : !isPlaceholder(customer) ? customer
                                                 : QStringLiteral("%1/%2").arg(open.statement.id).arg(open.number);
    if (const auto run = KBankConventions::findRun(customer)) {
        entry.batch = true;
        entry.batchReferences.push_back(*run);
    }
    open.sum += entry.cents;
    open.statement.entries.push_back(std::move(entry));
    open.afterEntry = true;
    return std::nullopt;
}

void Mt940Parser::description(const QString& value) {
    KBankEntry& entry = m_open->statement.entries.back();
    const QString joined = value.trimmed();
    if (!joined.startsWith(QLatin1Char('/'))) {
        entry.text = QString(joined).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
        if (const auto run = KBankConventions::findRun(entry.text)) {
            entry.batch = entry.batch || entry.text.trimmed() == *run;
            entry.batchReferences.push_back(*run);
        }
        return;
    }
    // Structured: the lines are one text, broken where the line was full.
    const auto fields = structuredFields(QString(joined).remove(QLatin1Char('\n')).remove(QLatin1Char('\r')));
    auto field = [&fields](const char* code) {
        const auto it = fields.find(QString::fromLatin1(code));
        return it == fields.end() ? QString() : it->second;
    };
    const QString eref = trimSlashes(field("EREF"));
    if (!isPlaceholder(eref))
        entry.endToEndId = eref;
    QString name = trimSlashes(field("NAME"));
    QString iban = trimSlashes(field("IBAN"));
    const QString counterParty = field("CNTP");
    if (!counterParty.isEmpty()) {
        // iban/bic/name/place
        const QStringList parts = counterParty.split(QLatin1Char('/'));
        if (iban.isEmpty() && !parts.isEmpty())
            iban = parts[0].trimmed();
        if (name.isEmpty() && parts.size() > 2)
            name = parts[2].trimmed();
    }
    entry.name = name;
    entry.iban = KBankText::normalIban(iban);
    entry.text = remittance(field("REMI"));
    entry.returnReason = trimSlashes(field("RTRN")).section(QLatin1Char('/'), 0, 0).trimmed();
    for (const char* code : {"PREF", "MARF"}) {
        if (const auto run = KBankConventions::runOf(trimSlashes(field(code)))) {
            entry.batch = true;
            entry.batchReferences.push_back(*run);
        }
    }
}

std::optional<QString> Mt940Parser::tag(const QString& name, const QString& value) {
    if (name == QLatin1String("20")) {
        if (m_open)
            return QStringLiteral("afschrift %1 is afgebroken: het heeft geen eindsaldo (:62F:).")
                .arg(m_open->statement.id);
        m_open.emplace();
        m_open->statement.source = m_source;
        m_open->statement.id = value.trimmed();
        return std::nullopt;
    }
    if (!m_open) {
        // After the closing balance: the available balances and the statement's own description.
        const bool trailer = name == QLatin1String("64") || name == QLatin1String("65") ||
                             name == QLatin1String("86");
        if (trailer && !m_done.empty())
            return std::nullopt;
        return QStringLiteral("de regel :%1: staat buiten een afschrift (geen :20: ervoor).").arg(name);
    }
    Open& open = *m_open;
    const bool afterEntry = open.afterEntry;
    open.afterEntry = false;
    if (name == QLatin1String("25")) {
        // "NL69INGB0123456789EUR", "INGBNL2A/NL69INGB0123456789" or a plain account number.
        QString account = value.trimmed().section(QLatin1Char('/'), -1);
        open.statement.account = account;
        static const QRegularExpression iban(QStringLiteral("^([A-Z]{2}[0-9]{2}[A-Z0-9]{10,30}?)(EUR|[A-Z]{3})?$"));
        const auto match = iban.match(account);
        if (match.hasMatch() && match.captured(1).size() >= 15) {
            open.statement.accountIban = match.captured(1);
            if (!match.captured(2).isEmpty())
                open.statement.currency = match.captured(2);
        }
    } else if (name == QLatin1String("28C") || name == QLatin1String("28")) {
        open.statement.id += QLatin1Char('/') + value.trimmed();
    } else if (name == QLatin1String("60F") || name == QLatin1String("60M")) {
        if (auto why = balance(value, open.opening))
            return why;
        open.hasOpening = true;
    } else if (name == QLatin1String("61")) {
        if (!open.hasOpening)
            return QStringLiteral("de post (:61:) staat voor het beginsaldo (:60F:).");
        return entryLine(value);
    } else if (name == QLatin1String("86")) {
        if (afterEntry)
            description(value);
    } else if (name == QLatin1String("62F") || name == QLatin1String("62M")) {
        std::int64_t closing = 0;
        if (auto why = balance(value, closing))
            return why;
        if (!open.hasOpening)
            return QStringLiteral("afschrift %1 heeft geen beginsaldo (:60F:).").arg(open.statement.id);
        if (open.opening + open.sum != closing)
            return QStringLiteral("de saldi van afschrift %1 kloppen niet met de posten: het "
                                  "bestand is beschadigd of onvolledig.")
                .arg(open.statement.id);
        return close();
    }
    return std::nullopt;
}

KResult Mt940Parser::parse(std::vector<KBankStatement>& out) {
    static const QRegularExpression tagLine(QStringLiteral("^:([0-9]{2}[A-Z]?):(.*)$"));
    static const QRegularExpression blocks(QStringLiteral("^(\\{[0-9]:[^{}]*\\})*(\\{4:)?"));
    const QStringList lines = m_text.split(QLatin1Char('\n'));
    QString name;
    QString value;
    int tagStart = 0;
    auto flush = [&]() -> std::optional<QString> {
        if (name.isEmpty())
            return std::nullopt;
        auto why = tag(name, value);
        name.clear();
        value.clear();
        return why;
    };
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // The SWIFT envelope around a message: "{1:...}{2:...}{4:" before it, "-}" after it.
        if (line.startsWith(QLatin1Char('{')))
            line.remove(0, blocks.match(line).capturedLength());
        const auto match = tagLine.match(line);
        if (match.hasMatch()) {
            if (auto why = flush())
                return fail(tagStart, *why);
            name = match.captured(1);
            value = match.captured(2);
            tagStart = i + 1;
        } else if (line.startsWith(QLatin1Char('-'))) {
            if (auto why = flush())
                return fail(tagStart, *why);
        } else if (!name.isEmpty()) {
            value += QLatin1Char('\n') + line;
        }
    }
    if (auto why = flush())
        return fail(tagStart, *why);
    if (m_open)
        return KResult::failed(QStringLiteral("%1: het bestand is afgebroken: afschrift %2 heeft "
                                              "geen eindsaldo (:62F:).")
                                   .arg(m_source, m_open->statement.id));
    if (m_done.empty())
        return KResult::failed(QStringLiteral("%1: het bestand bevat geen afschrift.").arg(m_source));
    for (KBankStatement& statement : m_done)
        out.push_back(std::move(statement));
    return KResult::done();
}

// MT940 files come in the bank's code page or in UTF-8.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::toQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

namespace KMt940Reader {

bool looksLikeMt940(const QByteArray& bytes) {
    const QByteArray head = bytes.left(4096);
    const bool statementStart = head.startsWith(":20:") || head.contains("\n:20:") ||
                                head.contains("{4:\r\n:20:") || head.contains("{4:\n:20:") ||
                                head.contains("{4::20:");
    return statementStart && bytes.contains(":25:");
}

KResult read(const QByteArray& bytes, const QString& source, std::vector<KBankStatement>& statements) {
    return Mt940Parser(decode(bytes), source).parse(statements);
}

} // namespace KMt940Reader
