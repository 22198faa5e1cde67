#include "core/statement/KCamtReader.h"

#include "core/statement/KBankConventions.h"
#include "core/statement/KBankText.h"

#include <QSet>
#include <QXmlStreamReader>

#include <optional>

namespace {

const QString kStatementNamespace = QStringLiteral("urn:iso:std:iso:20022:tech:xsd:camt.053.001.");
const QString kIsoNamespace = QStringLiteral("urn:iso:std:iso:20022:tech:xsd:");

// One transaction of an entry's details.
struct Transaction {
    QString reference;
    QString endToEndId;
    QString paymentInformation;
    QString messageId;
    std::optional<QString> amount;
    QString currency;
    QString direction;
    QString debtorName;
    QString debtorIban;
    QString creditorName;
    QString creditorIban;
    QStringList unstructured;
    QString creditorReference;
    QString returnReason;
    QString additional;
};

// One entry (Ntry) while it is read.
struct Entry {
    QString reference;
    QString entryRef;
    std::optional<QString> amount;
    QString currency;
    QString direction;
    QString status;
    QString bookingDate;
    QString valueDate;
    QString additional;
    QStringList batchIds;
    int batchTransactions = 0;
    std::vector<Transaction> transactions;
};

bool isAmountKey(QStringView key) {
    return key == QLatin1String("Amt") || key.endsWith(QLatin1String("/Amt"));
}

class CamtParser {
public:
    CamtParser(const QByteArray& bytes, const QString& source) : m_xml(bytes), m_source(source) {}

    KResult parse(std::vector<KBankStatement>& out);

private:
    KResult fail(const QString& why) const {
        return KResult::failed(QStringLiteral("%1: %2").arg(m_source, why));
    }
    KResult checkRoot();
    void startElement();
    std::optional<QString> endElement();
    // The path of the element being ended below the context element at depth.
    QString keyBelow(int depth) const;
    void statementValue(const QString& key, const QString& value);
    void entryValue(const QString& key, const QString& value);
    void transactionValue(const QString& key, const QString& value);
    std::optional<QString> finishEntry();
    void addRow(KBankEntry row) { m_statements.back().entries.push_back(std::move(row)); }
    std::optional<QString> amountOf(const QString& text, const QString& what, KBankEntry& row) const;
    QString entryName() const;

    QXmlStreamReader m_xml;
    QString m_source;
    QString m_namespace;
    QStringList m_path;
    QString m_text;
    QString m_currency; // of the last Amt element started
    int m_statementDepth = -1;
    int m_entryDepth = -1;
    int m_transactionDepth = -1;
    int m_entryNumber = 0;
    std::vector<KBankStatement> m_statements;
    Entry m_entry;
};

KResult CamtParser::checkRoot() {
    const QString uri = m_xml.namespaceUri().toString();
    const QString name = m_xml.name().toString();
    if (name == QLatin1String("Document") && uri.startsWith(kStatementNamespace)) {
        m_namespace = uri;
        return KResult::done();
    }
    if (uri.startsWith(kIsoNamespace)) {
        const QString message = uri.mid(kIsoNamespace.size()).section(QLatin1Char('.'), 0, 0);
        if (message == QLatin1String("pain"))
            return fail(QStringLiteral("dit is een incassobestand (%1), geen bankafschrift.")
                            .arg(uri.mid(kIsoNamespace.size())));
        return fail(QStringLiteral("dit is een %1-bericht, geen bankafschrift (camt.053).")
                        .arg(uri.mid(kIsoNamespace.size())));
    }
    return fail(QStringLiteral("dit XML-bestand is geen bankafschrift (camt.053)."));
}

QString CamtParser::keyBelow(int depth) const {
    QString key;
    for (int i = depth + 1; i < m_path.size(); ++i) {
        if (!key.isEmpty())
            key += QLatin1Char('/');
        key += m_path[i];
    }
    return key;
}

QString CamtParser::entryName() const {
    const QString id = m_statements.empty() ? QString() : m_statements.back().id;
    return QStringLiteral("post %1 van afschrift %2").arg(m_entryNumber).arg(id);
}

void CamtParser::startElement() {
    m_path.push_back(m_xml.name().toString());
    m_text.clear();
    const int depth = static_cast<int>(m_path.size()) - 1;
    const QString& name = m_path.back();
    if (name == QLatin1String("Amt"))
        m_currency = m_xml.attributes().value(QLatin1String("Ccy")).toString();
    if (m_statementDepth < 0 && depth == 2 && name == QLatin1String("Stmt") &&
        m_path[1] == QLatin1String("BkToCstmrStmt")) {
        m_statementDepth = depth;
        m_entryNumber = 0;
        KBankStatement statement;
        statement.source = m_source;
        m_statements.push_back(std::move(statement));
    } else if (m_statementDepth >= 0 && m_entryDepth < 0 && depth == m_statementDepth + 1 &&
               name == QLatin1String("Ntry")) {
        m_entryDepth = depth;
        ++m_entryNumber;
        m_entry = Entry();
    } else if (m_entryDepth >= 0 && m_transactionDepth < 0 && depth == m_entryDepth + 2 &&
               name == QLatin1String("TxDtls") && m_path[depth - 1] == QLatin1String("NtryDtls")) {
        m_transactionDepth = depth;
        m_entry.transactions.emplace_back();
    }
}

std::optional<QString> CamtParser::endElement() {
    const int depth = static_cast<int>(m_path.size()) - 1;
    const QString value = m_text.trimmed();
    std::optional<QString> failure;
    if (depth == m_transactionDepth) {
        m_transactionDepth = -1;
    } else if (depth == m_entryDepth) {
        failure = finishEntry();
        m_entryDepth = -1;
    } else if (depth == m_statementDepth) {
        m_statementDepth = -1;
    } else if (m_transactionDepth >= 0) {
        transactionValue(keyBelow(m_transactionDepth), value);
    } else if (m_entryDepth >= 0) {
        entryValue(keyBelow(m_entryDepth), value);
    } else if (m_statementDepth >= 0) {
        statementValue(keyBelow(m_statementDepth), value);
    }
    m_text.clear();
    m_path.pop_back();
    return failure;
}

void CamtParser::statementValue(const QString& key, const QString& value) {
    KBankStatement& statement = m_statements.back();
    if (key == QLatin1String("Id")) {
        statement.id = value;
    } else if (key == QLatin1String("Acct/Id/IBAN")) {
        statement.account = value;
        statement.accountIban = KBankText::normalIban(value);
    } else if (key == QLatin1String("Acct/Id/Othr/Id")) {
        statement.account = value;
    } else if (key == QLatin1String("Acct/Ccy")) {
        statement.currency = value;
    }
}

void CamtParser::entryValue(const QString& key, const QString& value) {
    Entry& e = m_entry;
    if (key == QLatin1String("Amt")) {
        e.amount = value;
        e.currency = m_currency;
    } else if (key == QLatin1String("CdtDbtInd")) {
        e.direction = value;
    } else if ((key == QLatin1String("Sts") || key == QLatin1String("Sts/Cd") ||
                key == QLatin1String("Sts/Prtry")) &&
               !value.isEmpty()) {
        e.status = value;
    } else if (key == QLatin1String("BookgDt/Dt") || key == QLatin1String("BookgDt/DtTm")) {
        e.bookingDate = value;
    } else if (key == QLatin1String("ValDt/Dt") || key == QLatin1String("ValDt/DtTm")) {
        e.valueDate = value;
    } else if (key == QLatin1String("AcctSvcrRef")) {
        e.reference = value;
    } else if (key == QLatin1String("NtryRef")) {
        e.entryRef = value;
    } else if (key == QLatin1String("AddtlNtryInf")) {
        e.additional = value;
    } else if (key == QLatin1String("NtryDtls/Btch/MsgId") ||
               key == QLatin1String("NtryDtls/Btch/PmtInfId")) {
        e.batchIds.push_back(value);
    } else if (key == QLatin1String("NtryDtls/Btch/NbOfTxs")) {
        e.batchTransactions += value.toInt();
    }
}

void CamtParser::transactionValue(const QString& key, const QString& value) {
    Transaction& t = m_entry.transactions.back();
    if (key == QLatin1String("Refs/AcctSvcrRef")) {
        t.reference = value;
    } else if (key == QLatin1String("Refs/EndToEndId")) {
        t.endToEndId = value;
    } else if (key == QLatin1String("Refs/PmtInfId")) {
        t.paymentInformation = value;
    } else if (key == QLatin1String("Refs/MsgId")) {
        t.messageId = value;
    } else if (isAmountKey(key)) {
        // The transaction's own amount before its amount details; the instructed amount last.
        const bool own = key == QLatin1String("Amt");
        const bool transacted = key == QLatin1String("AmtDtls/TxAmt/Amt");
        const bool instructed = key == QLatin1String("AmtDtls/InstdAmt/Amt");
        if (own || (transacted && !t.amount) || (instructed && !t.amount)) {
            t.amount = value;
            t.currency = m_currency;
        }
    } else if (key == QLatin1String("CdtDbtInd")) {
        t.direction = value;
    } else if (key == QLatin1String("RltdPties/Dbtr/Nm") ||
               key == QLatin1String("RltdPties/Dbtr/Pty/Nm")) {
        t.debtorName = value;
    } else if (key == QLatin1String("RltdPties/DbtrAcct/Id/IBAN")) {
        t.debtorIban = KBankText::normalIban(value);
    } else if (key == QLatin1String("RltdPties/Cdtr/Nm") ||
               key == QLatin1String("RltdPties/Cdtr/Pty/Nm")) {
        t.creditorName = value;
    } else if (key == QLatin1String("RltdPties/CdtrAcct/Id/IBAN")) {
        t.creditorIban = KBankText::normalIban(value);
    } else if (key == QLatin1String("RmtInf/Ustrd")) {
        if (!value.isEmpty())
            t.unstructured.push_back(value);
    } else if (key == QLatin1String("RmtInf/Strd/CdtrRefInf/Ref")) {
        t.creditorReference = value;
    } else if (key == QLatin1String("RtrInf/Rsn/Cd") || key == QLatin1String("RtrInf/Rsn/Prtry")) {
        t.returnReason = value;
    } else if (key == QLatin1String("AddtlTxInf")) {
        t.additional = value;
    }
}

std::optional<QString> CamtParser::amountOf(const QString& text, const QString& what,
                                            KBankEntry& row) const {
    const auto amount = KBankText::readAmount(text, QLatin1Char('.'));
    if (!amount)
        return QStringLiteral("het bedrag \"%1\" van %2 is onleesbaar.").arg(text, what);
    row.cents = amount->cents;
    row.exactCents = amount->exactCents;
    return std::nullopt;
}

// The transaction's details in the row: the other party, what was written, the references.
void fillFromTransaction(KBankEntry& row, const Transaction& t, const QString& accountIban) {
    row.endToEndId = t.endToEndId;
    row.returnReason = t.returnReason;
    // The other party is the one that is not this account; where both or neither are, the
    // debtor of a credit and the creditor of a debit.
    const bool credit = row.cents >= 0;
    bool debtor = credit;
    if (!accountIban.isEmpty()) {
        if (t.debtorIban == accountIban && t.creditorIban != accountIban)
            debtor = false;
        else if (t.creditorIban == accountIban && t.debtorIban != accountIban)
            debtor = true;
    }
    row.name = debtor ? t.debtorName : t.creditorName;
    row.iban = debtor ? t.debtorIban : t.creditorIban;
    QStringList text = t.unstructured;
    if (!t.creditorReference.isEmpty())
        text.push_back(t.creditorReference);
    if (text.isEmpty() && !t.additional.isEmpty())
        text.push_back(t.additional);
    row.text = text.join(QLatin1Char(' '));
}

std::optional<QString> CamtParser::finishEntry() {
    const Entry& e = m_entry;
    const KBankStatement& statement = m_statements.back();
    if (!e.amount)
        return QStringLiteral("%1 heeft geen bedrag.").arg(entryName());
    if (e.direction != QLatin1String("CRDT") && e.direction != QLatin1String("DBIT"))
        return QStringLiteral("%1 is geen bij- of afschrijving (CRDT of DBIT).").arg(entryName());

    KBankEntry base;
    if (auto why = amountOf(*e.amount, entryName(), base))
        return why;
    if (e.direction == QLatin1String("DBIT"))
        base.cents = -base.cents;
    base.currency = e.currency;
    base.status = e.status;
    base.bookingDate = KBankText::readIsoDate(e.bookingDate.isEmpty() ? e.valueDate : e.bookingDate);
    base.reference = !e.reference.isEmpty()   ? e.reference
                     : !e.entryRef.isEmpty() ? e.entryRef
                                             : QStringLiteral("%1/%2").arg(statement.id).arg(m_entryNumber);
    if (e.transactions.empty()) {
        base.text = e.additional;
        QStringList ids = e.batchIds;
        for (const QString& ref : {e.entryRef, e.reference, e.additional})
            if (const auto run = KBankConventions::findRun(ref))
                ids.push_back(*run);
        base.batch = !e.batchIds.isEmpty() || e.batchTransactions > 1 || ids.size() > e.batchIds.size();
        base.batchReferences = ids;
        addRow(std::move(base));
        return std::nullopt;
    }

    bool everyAmount = true;
    for (const Transaction& t : e.transactions)
        everyAmount = everyAmount && t.amount.has_value();
    if (e.transactions.size() == 1 || !everyAmount) {
        // One transaction, or several the bank gave no amounts for: the entry as a whole.
        if (e.transactions.size() == 1) {
            fillFromTransaction(base, e.transactions.front(), statement.accountIban);
            if (e.reference.isEmpty() && !e.transactions.front().reference.isEmpty())
                base.reference = e.transactions.front().reference;
        } else {
            base.batch = true;
            base.text = e.additional;
            base.batchReferences = e.batchIds;
            for (const Transaction& t : e.transactions)
                for (const QString& id : {t.messageId, t.paymentInformation})
                    if (!id.isEmpty())
                        base.batchReferences.push_back(id);
        }
        addRow(std::move(base));
        return std::nullopt;
    }

    // A batch listed transaction by transaction: one amount each. Each keeps a reference of its
    // own: the bank's, when every transaction has a different one, else the entry's with the
    // end-to-end id or the transaction's place.
    QSet<QString> references;
    for (const Transaction& t : e.transactions)
        if (!t.reference.isEmpty() && t.reference != base.reference)
            references.insert(t.reference);
    const bool ownReferences = references.size() == static_cast<qsizetype>(e.transactions.size());
    int number = 0;
    for (const Transaction& t : e.transactions) {
        ++number;
        KBankEntry row = base;
        const QString what = QStringLiteral("transactie %1 van %2").arg(number).arg(entryName());
        if (auto why = amountOf(*t.amount, what, row))
            return why;
        const QString direction = t.direction.isEmpty() ? e.direction : t.direction;
        if (direction != QLatin1String("CRDT") && direction != QLatin1String("DBIT"))
            return QStringLiteral("%1 is geen bij- of afschrijving (CRDT of DBIT).").arg(what);
        if (direction == QLatin1String("DBIT"))
            row.cents = -row.cents;
        if (!t.currency.isEmpty())
            row.currency = t.currency;
        fillFromTransaction(row, t, statement.accountIban);
        const bool namedByEndToEnd = !t.endToEndId.isEmpty() &&
                                     t.endToEndId != QLatin1String("NOTPROVIDED");
        row.reference = ownReferences      ? t.reference
                        : namedByEndToEnd ? base.reference + QLatin1Char('/') + t.endToEndId
                                          : QStringLiteral("%1/%2").arg(base.reference).arg(number);
        addRow(std::move(row));
    }
    return std::nullopt;
}

KResult CamtParser::parse(std::vector<KBankStatement>& out) {
    bool rootSeen = false;
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
            return fail(QStringLiteral("het bestand bevat een documenttypedefinitie (DTD); een "
                                       "bankafschrift heeft die niet, en ze wordt niet gelezen."));
        case QXmlStreamReader::StartElement:
            if (!rootSeen) {
                rootSeen = true;
                if (KResult root = checkRoot(); root.isFailed())
                    return root;
                m_path.push_back(m_xml.name().toString());
                break;
            }
            // Elements of other namespaces (a bank's own additions) are passed over whole.
            if (m_xml.namespaceUri() != m_namespace) {
                m_xml.skipCurrentElement();
                break;
            }
            startElement();
            break;
        case QXmlStreamReader::Characters:
            m_text += m_xml.text();
            break;
        case QXmlStreamReader::EndElement:
            if (auto why = endElement())
                return fail(*why);
            break;
        default:
            break;
        }
    }
    if (m_xml.hasError()) {
        if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            return fail(QStringLiteral("het bestand is afgebroken: het houdt op na regel %1, voor "
                                       "het einde van het afschrift.")
                            .arg(m_xml.lineNumber()));
        return fail(QStringLiteral("het bestand is beschadigd: geen geldige XML bij regel %1, "
                                   "kolom %2.")
                        .arg(m_xml.lineNumber())
                        .arg(m_xml.columnNumber()));
    }
    if (!rootSeen)
        return fail(QStringLiteral("het bestand bevat geen XML-document."));
    if (m_statements.empty())
        return fail(QStringLiteral("het bericht bevat geen rekeningafschrift."));
    for (KBankStatement& statement : m_statements)
        out.push_back(std::move(statement));
    return KResult::done();
}

} // namespace

namespace KCamtReader {

bool looksLikeXml(const QByteArray& bytes) {
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i < bytes.size() && bytes[i] == '<';
}

KResult read(const QByteArray& bytes, const QString& source, std::vector<KBankStatement>& statements) {
    return CamtParser(bytes, source).parse(statements);
}

} // namespace KCamtReader
