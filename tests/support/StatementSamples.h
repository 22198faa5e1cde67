#pragma once

// Bank statements made by the tests, as banks write them: camt.053 in its versions .001.02 and
// .001.08 (validated against the official schemas before a test reads them), MT940 in the
// style of two Dutch banks, and zip archives of such files.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <quazip.h>
#include <quazipfile.h>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace samples {

inline const QString kClubIban = QStringLiteral("NL91ABNA0417164300");

// One transaction of an entry's details.
struct Tx {
    std::int64_t cents = 0; // positive; the entry's direction applies unless debit is set
    QString endToEndId;
    QString name;
    QString iban;
    QString text;
    QString returnReason;
    QString reference; // the bank's own reference of the transaction
    bool debit = false;
};

struct Entry {
    std::int64_t cents = 0; // signed: credits positive
    QString currency = QStringLiteral("EUR");
    QString bookingDate = QStringLiteral("2027-01-15");
    QString reference;
    QString status = QStringLiteral("BOOK");
    std::vector<Tx> transactions;
    QStringList batchIds; // message id, payment information id
    QString additional;
    bool amountsPerTransaction = true;
};

struct Statement {
    QString id;
    QString iban = kClubIban;
    std::vector<Entry> entries;
};

inline QString amountText(std::int64_t cents) {
    const std::int64_t whole = std::llabs(cents);
    return QStringLiteral("%1.%2").arg(whole / 100).arg(whole % 100, 2, 10, QLatin1Char('0'));
}

inline QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// A camt.053 message of any number of statements.
class Camt {
public:
    // version 2 or 8; prefix, when given, is the namespace prefix every element carries.
    explicit Camt(int version, QString prefix = {}) : m_version(version), m_prefix(std::move(prefix)) {}

    Camt& statement(const QString& id, const QString& iban = kClubIban) {
        m_statements.push_back({id, iban, {}});
        return *this;
    }
    Camt& entry(Entry entry) {
        m_statements.back().entries.push_back(std::move(entry));
        return *this;
    }
    // A transfer received (or paid out, for negative cents) with its one transaction.
    Camt& transfer(std::int64_t cents, const QString& reference, const QString& name,
                   const QString& iban, const QString& text, const QString& endToEndId = {}) {
        Entry e;
        e.cents = cents;
        e.reference = reference;
        Tx tx;
        tx.cents = cents < 0 ? -cents : cents;
        tx.name = name;
        tx.iban = iban;
        tx.text = text;
        tx.endToEndId = endToEndId;
        e.transactions.push_back(tx);
        return entry(std::move(e));
    }
    // A collection the member's bank returned.
    Camt& storno(std::int64_t cents, const QString& reference, const QString& endToEndId,
                 const QString& reason, const QString& name, const QString& iban) {
        Entry e;
        e.cents = -cents;
        e.reference = reference;
        Tx tx;
        tx.cents = cents;
        tx.endToEndId = endToEndId;
        tx.returnReason = reason;
        tx.name = name;
        tx.iban = iban;
        e.transactions.push_back(tx);
        return entry(std::move(e));
    }

    QByteArray xml() const {
        const QString ns = QStringLiteral("urn:iso:std:iso:20022:tech:xsd:camt.053.001.0%1").arg(m_version);
        QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        const QString xmlns = m_prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + m_prefix;
        out += open(QStringLiteral("Document")).chopped(1) +
               QStringLiteral(" %1=\"%2\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n")
                   .arg(xmlns, ns);
        out += open(QStringLiteral("BkToCstmrStmt"));
        out += open(QStringLiteral("GrpHdr")) + leaf(QStringLiteral("MsgId"), QStringLiteral("MSG-%1").arg(m_version)) +
               leaf(QStringLiteral("CreDtTm"), QStringLiteral("2027-01-16T06:00:00")) + close(QStringLiteral("GrpHdr"));
        for (const Statement& s : m_statements)
            out += statementXml(s);
        out += close(QStringLiteral("BkToCstmrStmt")) + close(QStringLiteral("Document"));
        return out.toUtf8();
    }

private:
    QString tag(const QString& name) const { return m_prefix.isEmpty() ? name : m_prefix + QLatin1Char(':') + name; }
    QString open(const QString& name) const { return QLatin1Char('<') + tag(name) + QLatin1Char('>'); }
    QString close(const QString& name) const { return QStringLiteral("</") + tag(name) + QStringLiteral(">\n"); }
    QString leaf(const QString& name, const QString& value) const {
        return open(name) + escaped(value) + close(name);
    }
    QString amount(std::int64_t cents, const QString& currency) const {
        return QStringLiteral("<%1 Ccy=\"%2\">%3</%1>\n").arg(tag(QStringLiteral("Amt")), currency, amountText(cents));
    }
    QString direction(bool debit) const {
        return leaf(QStringLiteral("CdtDbtInd"), debit ? QStringLiteral("DBIT") : QStringLiteral("CRDT"));
    }
    QString account(const QString& element, const QString& iban) const {
        if (iban.isEmpty())
            return {};
        return open(element) + open(QStringLiteral("Id")) + leaf(QStringLiteral("IBAN"), iban) +
               close(QStringLiteral("Id")) + close(element);
    }
    QString party(const QString& element, const QString& name) const {
        if (name.isEmpty())
            return {};
        if (m_version >= 8)
            return open(element) + open(QStringLiteral("Pty")) + leaf(QStringLiteral("Nm"), name) +
                   close(QStringLiteral("Pty")) + close(element);
        return open(element) + leaf(QStringLiteral("Nm"), name) + close(element);
    }
    QString balance(const char* code, std::int64_t cents, const QString& date) const {
        return open(QStringLiteral("Bal")) + open(QStringLiteral("Tp")) + open(QStringLiteral("CdOrPrtry")) +
               leaf(QStringLiteral("Cd"), QString::fromLatin1(code)) + close(QStringLiteral("CdOrPrtry")) +
               close(QStringLiteral("Tp")) + amount(cents, QStringLiteral("EUR")) + direction(cents < 0) +
               open(QStringLiteral("Dt")) + leaf(QStringLiteral("Dt"), date) + close(QStringLiteral("Dt")) +
               close(QStringLiteral("Bal"));
    }

    QString statementXml(const Statement& s) const {
        QString out = open(QStringLiteral("Stmt")) + leaf(QStringLiteral("Id"), s.id) +
                      leaf(QStringLiteral("CreDtTm"), QStringLiteral("2027-01-16T06:00:00"));
        out += open(QStringLiteral("Acct")) + open(QStringLiteral("Id")) + leaf(QStringLiteral("IBAN"), s.iban) +
               close(QStringLiteral("Id")) + leaf(QStringLiteral("Ccy"), QStringLiteral("EUR")) +
               close(QStringLiteral("Acct"));
        std::int64_t sum = 0;
        for (const Entry& e : s.entries)
            sum += e.cents;
        out += balance("OPBD", 100000, QStringLiteral("2027-01-14"));
        out += balance("CLBD", 100000 + sum, QStringLiteral("2027-01-15"));
        for (const Entry& e : s.entries)
            out += entryXml(e, s.iban);
        return out + close(QStringLiteral("Stmt"));
    }

    QString entryXml(const Entry& e, const QString& accountIban) const {
        const bool debit = e.cents < 0;
        QString out = open(QStringLiteral("Ntry"));
        out += amount(e.cents, e.currency) + direction(debit);
        if (m_version >= 8)
            out += open(QStringLiteral("Sts")) + leaf(QStringLiteral("Cd"), e.status) + close(QStringLiteral("Sts"));
        else
            out += leaf(QStringLiteral("Sts"), e.status);
        if (!e.bookingDate.isEmpty())
            out += open(QStringLiteral("BookgDt")) + leaf(QStringLiteral("Dt"), e.bookingDate) +
                   close(QStringLiteral("BookgDt"));
        if (!e.reference.isEmpty())
            out += leaf(QStringLiteral("AcctSvcrRef"), e.reference);
        out += open(QStringLiteral("BkTxCd")) + open(QStringLiteral("Domn")) + leaf(QStringLiteral("Cd"), QStringLiteral("PMNT")) +
               open(QStringLiteral("Fmly")) + leaf(QStringLiteral("Cd"), QStringLiteral("RCDT")) +
               leaf(QStringLiteral("SubFmlyCd"), QStringLiteral("ESCT")) + close(QStringLiteral("Fmly")) +
               close(QStringLiteral("Domn")) + close(QStringLiteral("BkTxCd"));
        if (!e.transactions.empty() || !e.batchIds.isEmpty()) {
            out += open(QStringLiteral("NtryDtls"));
            if (!e.batchIds.isEmpty()) {
                out += open(QStringLiteral("Btch")) + leaf(QStringLiteral("MsgId"), e.batchIds.value(0));
                if (e.batchIds.size() > 1)
                    out += leaf(QStringLiteral("PmtInfId"), e.batchIds.value(1));
                out += close(QStringLiteral("Btch"));
            }
            for (const Tx& tx : e.transactions)
                out += transactionXml(e, tx, accountIban);
            out += close(QStringLiteral("NtryDtls"));
        }
        if (!e.additional.isEmpty())
            out += leaf(QStringLiteral("AddtlNtryInf"), e.additional);
        return out + close(QStringLiteral("Ntry"));
    }

    QString transactionXml(const Entry& e, const Tx& tx, const QString& accountIban) const {
        const bool debit = tx.debit || e.cents < 0;
        QString out = open(QStringLiteral("TxDtls"));
        if (!tx.reference.isEmpty() || !tx.endToEndId.isEmpty()) {
            out += open(QStringLiteral("Refs"));
            if (!tx.reference.isEmpty())
                out += leaf(QStringLiteral("AcctSvcrRef"), tx.reference);
            if (!tx.endToEndId.isEmpty())
                out += leaf(QStringLiteral("EndToEndId"), tx.endToEndId);
            out += close(QStringLiteral("Refs"));
        }
        const bool perTransaction = e.transactions.size() > 1 && e.amountsPerTransaction;
        if (perTransaction && m_version >= 8)
            out += amount(tx.cents, e.currency) + direction(debit);
        else if (perTransaction)
            out += open(QStringLiteral("AmtDtls")) + open(QStringLiteral("TxAmt")) + amount(tx.cents, e.currency) +
                   close(QStringLiteral("TxAmt")) + close(QStringLiteral("AmtDtls"));
        // A credit's other party is the debtor, a debit's (also a returned collection's
        // payer, who stays the debtor) the creditor or, for a storno, the debtor.
        const bool otherIsDebtor = !debit || !tx.returnReason.isEmpty();
        out += open(QStringLiteral("RltdPties"));
        out += party(QStringLiteral("Dbtr"), otherIsDebtor ? tx.name : QStringLiteral("TTV De Batjes"));
        out += account(QStringLiteral("DbtrAcct"), otherIsDebtor ? tx.iban : accountIban);
        out += party(QStringLiteral("Cdtr"), otherIsDebtor ? QStringLiteral("TTV De Batjes") : tx.name);
        out += account(QStringLiteral("CdtrAcct"), otherIsDebtor ? accountIban : tx.iban);
        out += close(QStringLiteral("RltdPties"));
        if (!tx.text.isEmpty())
            out += open(QStringLiteral("RmtInf")) + leaf(QStringLiteral("Ustrd"), tx.text) + close(QStringLiteral("RmtInf"));
        if (!tx.returnReason.isEmpty())
            out += open(QStringLiteral("RtrInf")) + open(QStringLiteral("Rsn")) + leaf(QStringLiteral("Cd"), tx.returnReason) +
                   close(QStringLiteral("Rsn")) + close(QStringLiteral("RtrInf"));
        return out + close(QStringLiteral("TxDtls"));
    }

    int m_version;
    QString m_prefix;
    std::vector<Statement> m_statements;
};

// The official schema of that camt.053 version.
inline QString camtSchema(int version) {
    return QStringLiteral(KORVEL_SOURCE_DIR "/tests/data/iso20022/camt.053.001.0%1.xsd").arg(version);
}

// What xmllint says against the schema; empty when the message is valid.
inline QString schemaErrors(const QByteArray& xml, int version) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("statement.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        return QStringLiteral("cannot write the sample");
    file.close();
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), camtSchema(version), path});
    if (!lint.waitForFinished(60000))
        return QStringLiteral("xmllint did not finish");
    if (lint.exitStatus() != QProcess::NormalExit || lint.exitCode() != 0)
        return QString::fromUtf8(lint.readAllStandardError());
    return {};
}

// An MT940 file in the style of one of two Dutch banks: the description as "/TRTP/.../IBAN/
// .../NAME/.../REMI/text/EREF/..." on lines of up to 65 characters, or as "/EREF/...//CNTP/
// iban/bic/name/place/REMI/USTD//text/".
class Mt940 {
public:
    enum class Style { Fields, CounterParty };
    struct Line {
        Line(std::int64_t amount, QString party, QString account, QString description)
            : cents(amount), name(std::move(party)), iban(std::move(account)), text(std::move(description)) {}
        std::int64_t cents = 0;
        QString date = QStringLiteral("270115"); // YYMMDD
        QString name;
        QString iban;
        QString text;
        QString bookingDay; // MMDD, when it differs
        QString endToEndId;
        QString returnReason;
        QString bankReference;
        bool reversal = false;
    };

    explicit Mt940(Style style) : m_style(style) {}

    Mt940& statement(const QString& id, const QString& iban = kClubIban) {
        m_statements.push_back({id, iban, {}});
        return *this;
    }
    Mt940& line(Line l) {
        m_statements.back().lines.push_back(std::move(l));
        return *this;
    }

    QByteArray bytes() const {
        QString out;
        if (m_style == Style::Fields)
            out += QStringLiteral("ABNANL2A\r\n940\r\nABNANL2A\r\n");
        else
            out += QStringLiteral("{1:F01INGBNL2ABXXX0000000000}{2:I940INGBNL2AXXXN}{4:\r\n");
        for (const Stmt& s : m_statements) {
            std::int64_t sum = 0;
            for (const Line& l : s.lines)
                sum += l.cents;
            out += QStringLiteral(":20:%1\r\n").arg(s.id);
            out += QStringLiteral(":25:%1EUR\r\n").arg(s.iban);
            out += QStringLiteral(":28C:00015\r\n");
            out += QStringLiteral(":60F:C270114EUR1000,00\r\n");
            for (const Line& l : s.lines)
                out += lineText(l);
            const std::int64_t closing = 100000 + sum;
            out += QStringLiteral(":62F:") + (closing < 0 ? QLatin1Char('D') : QLatin1Char('C')) +
                   QStringLiteral("270115EUR") +
                   QString(amountText(closing)).replace(QLatin1Char('.'), QLatin1Char(',')) +
                   QStringLiteral("\r\n");
            if (m_style == Style::CounterParty)
                out += QStringLiteral(":64:C270115EUR1000,00\r\n:86:/SUM/1/0/0,00/12,50/\r\n");
            out += m_style == Style::CounterParty ? QStringLiteral("-}\r\n") : QStringLiteral("-\r\n");
        }
        return out.toLatin1();
    }

private:
    struct Stmt {
        QString id;
        QString iban;
        std::vector<Line> lines;
    };

    QString lineText(const Line& l) const {
        const bool credit = l.cents >= 0;
        QString mark = l.reversal ? (credit ? QStringLiteral("RD") : QStringLiteral("RC"))
                                  : (credit ? QStringLiteral("C") : QStringLiteral("D"));
        const QString amount = QString(amountText(l.cents)).replace(QLatin1Char('.'), QLatin1Char(','));
        QString out = QStringLiteral(":61:%1%2%3%4NTRFNONREF").arg(l.date, l.bookingDay, mark, amount);
        if (!l.bankReference.isEmpty())
            out += QStringLiteral("//") + l.bankReference;
        out += QStringLiteral("\r\n");
        QString info;
        if (m_style == Style::Fields) {
            info = QStringLiteral("/TRTP/SEPA OVERBOEKING/IBAN/%1/BIC/RABONL2U/NAME/%2/REMI/%3/EREF/%4")
                       .arg(l.iban, l.name, l.text,
                            l.endToEndId.isEmpty() ? QStringLiteral("NOTPROVIDED") : l.endToEndId);
            if (!l.returnReason.isEmpty())
                info = QStringLiteral("/RTRN/%1/").arg(l.returnReason) + info.mid(1);
        } else {
            info = QStringLiteral("/EREF/%1//CNTP/%2/INGBNL2A/%3/AMSTERDAM/REMI/USTD//%4/")
                       .arg(l.endToEndId.isEmpty() ? QStringLiteral("NOTPROVIDED") : l.endToEndId,
                            l.iban, l.name, l.text);
            if (!l.returnReason.isEmpty())
                info += QStringLiteral("RTRN/%1/").arg(l.returnReason);
        }
        // Lines of at most 65 characters, broken wherever they are full.
        out += QStringLiteral(":86:");
        for (qsizetype at = 0; at < info.size(); at += 65) {
            if (at > 0)
                out += QStringLiteral("\r\n");
            out += info.mid(at, 65);
        }
        return out + QStringLiteral("\r\n");
    }

    Style m_style;
    std::vector<Stmt> m_statements;
};

// A zip archive of the files given, in that order.
inline QByteArray zip(const std::vector<std::pair<QString, QByteArray>>& files) {
    QByteArray data;
    QBuffer buffer(&data);
    QuaZip archive(&buffer);
    if (!archive.open(QuaZip::mdCreate))
        return {};
    for (const auto& [name, bytes] : files) {
        QuaZipFile file(&archive);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(bytes) != bytes.size())
            return {};
        file.close();
    }
    archive.close();
    return data;
}

// Writes the bytes to a file in the folder and returns its path.
inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace samples
