#include "core/incasso/Pain008Writer.h"

#include "core/KProgressReport.h"
#include "core/incasso/Iban.h"
#include "core/incasso/KCollection.h"
#include "core/incasso/SepaText.h"

#include <QDate>
#include <QIODevice>

#include <string>
#include <unordered_set>

namespace {

constexpr std::int64_t kProgressStep = 500;
// The text is handed to the device in pieces of about this size.
constexpr std::size_t kChunk = 1 << 20;

QString isoDate(std::int32_t date) {
    return QDate(date / 10000, (date / 100) % 100, date % 100).toString(Qt::ISODate);
}

// The XML is written by hand into a buffer that goes to the device in large pieces: a file of
// 100,000 collections holds millions of elements, and handing each to the device on its own
// costs most of the time. Every text is escaped; the texts of a collection are in the SEPA set
// already, so escaping finds nothing to do there.
class Writer {
public:
    Writer(QIODevice& out, const KPain008Message& message)
        : m_out(out), m_message(message),
          m_v08(message.format == IncassoSettings::Format::Pain00800108) {
        m_buffer.reserve(kChunk + 4096);
    }

    KResult write(const std::vector<const KCollectionItem*>& items, KProgressReport* progress) {
        std::vector<const KCollectionItem*> first;
        std::vector<const KCollectionItem*> recurrent;
        std::int64_t cents = 0;
        std::unordered_set<std::int32_t> members;
        members.reserve(items.size());
        for (const KCollectionItem* item : items) {
            if (!members.insert(item->memberId).second)
                return KResult::failed(
                    QStringLiteral("Twee leden hebben hetzelfde nummer %1; het bestand kan hen "
                                   "niet uit elkaar houden.")
                        .arg(item->memberId));
            (item->first ? first : recurrent).push_back(item);
            cents += item->cents;
        }

        const std::int64_t total = static_cast<std::int64_t>(items.size());
        if (progress)
            progress->start(QStringLiteral("Incassobestand maken"), total);
        m_buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document xmlns=\"";
        escaped(Pain008Writer::namespaceUri(m_message.format));
        m_buffer += "\">\n";
        m_depth = 1;
        open("CstmrDrctDbtInitn");

        open("GrpHdr");
        text("MsgId", m_message.msgId);
        text("CreDtTm", m_message.created.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        text("NbOfTxs", QString::number(total));
        text("CtrlSum", KCollection::amountText(cents));
        open("InitgPty");
        text("Nm", creditorName());
        close("InitgPty");
        close("GrpHdr");

        std::int64_t done = 0;
        for (const auto* block : {&first, &recurrent}) {
            if (block->empty())
                continue;
            if (!paymentBlock(*block, block == &first, progress, done))
                return m_ok ? KResult::stopped() : writeFailed();
        }
        close("CstmrDrctDbtInitn");
        m_buffer += "</Document>\n";
        const bool flushed = flush();
        if (progress)
            progress->finish();
        if (!flushed)
            return writeFailed();
        return KResult::done();
    }

private:
    static KResult writeFailed() {
        return KResult::failed(QStringLiteral("Het bestand kon niet worden geschreven."));
    }

    void indent() { m_buffer.append(static_cast<std::size_t>(m_depth), ' '); }

    void open(const char* name) {
        indent();
        m_buffer += '<';
        m_buffer += name;
        m_buffer += ">\n";
        ++m_depth;
    }

    void close(const char* name) {
        --m_depth;
        indent();
        m_buffer += "</";
        m_buffer += name;
        m_buffer += ">\n";
    }

    void escaped(const QString& value) {
        for (QChar c : value) {
            const char16_t code = c.unicode();
            switch (code) {
            case u'&': m_buffer += "&amp;"; break;
            case u'<': m_buffer += "&lt;"; break;
            case u'>': m_buffer += "&gt;"; break;
            case u'"': m_buffer += "&quot;"; break;
            default:
                if (code < 0x80)
                    m_buffer += static_cast<char>(code);
                else
                    m_buffer += QString(c).toUtf8().toStdString();
            }
        }
    }

    void text(const char* name, const QString& value) {
        indent();
        m_buffer += '<';
        m_buffer += name;
        m_buffer += '>';
        escaped(value);
        m_buffer += "</";
        m_buffer += name;
        m_buffer += ">\n";
    }

    bool flush() {
        if (!m_ok || m_buffer.empty())
            return m_ok;
        const auto size = static_cast<qint64>(m_buffer.size());
        m_ok = m_out.write(m_buffer.data(), size) == size;
        m_buffer.clear();
        return m_ok;
    }

    QString creditorName() const {
        const QString name = SepaText::clean(m_message.creditor.name, KCollection::kNameLength).text;
        return name.isEmpty() ? QStringLiteral("Onbekend") : name;
    }

    // FinInstnId with the BIC, or NOTPROVIDED without one.
    void agent(const char* name, const QString& bic) {
        open(name);
        open("FinInstnId");
        if (!bic.isEmpty()) {
            text(m_v08 ? "BICFI" : "BIC", bic);
        } else {
            open("Othr");
            text("Id", QStringLiteral("NOTPROVIDED"));
            close("Othr");
        }
        close("FinInstnId");
        close(name);
    }

    void account(const char* name, const QString& iban) {
        open(name);
        open("Id");
        text("IBAN", iban);
        close("Id");
        close(name);
    }

    bool paymentBlock(const std::vector<const KCollectionItem*>& items, bool first,
                      KProgressReport* progress, std::int64_t& done) {
        const QString sequence = first ? QStringLiteral("FRST") : QStringLiteral("RCUR");
        std::int64_t cents = 0;
        for (const KCollectionItem* item : items)
            cents += item->cents;

        open("PmtInf");
        text("PmtInfId", m_message.msgId + QLatin1Char('-') + sequence);
        text("PmtMtd", QStringLiteral("DD"));
        text("BtchBookg", QStringLiteral("true"));
        text("NbOfTxs", QString::number(items.size()));
        text("CtrlSum", KCollection::amountText(cents));
        open("PmtTpInf");
        open("SvcLvl");
        text("Cd", QStringLiteral("SEPA"));
        close("SvcLvl");
        open("LclInstrm");
        text("Cd", QStringLiteral("CORE"));
        close("LclInstrm");
        text("SeqTp", sequence);
        close("PmtTpInf");
        text("ReqdColltnDt", isoDate(m_message.collectionDate));
        open("Cdtr");
        text("Nm", creditorName());
        close("Cdtr");
        account("CdtrAcct", Iban::normalized(m_message.creditor.iban));
        agent("CdtrAgt", Iban::normalized(m_message.creditor.bic));
        text("ChrgBr", QStringLiteral("SLEV"));
        open("CdtrSchmeId");
        open("Id");
        open("PrvtId");
        open("Othr");
        text("Id", Iban::normalized(m_message.creditor.id));
        open("SchmeNm");
        text("Prtry", QStringLiteral("SEPA"));
        close("SchmeNm");
        close("Othr");
        close("PrvtId");
        close("Id");
        close("CdtrSchmeId");

        for (const KCollectionItem* item : items) {
            transaction(*item);
            if (m_buffer.size() >= kChunk && !flush())
                return false;
            if (progress && ++done % kProgressStep == 0 && !progress->advance(done)) {
                progress->finish();
                return false;
            }
        }
        close("PmtInf");
        return true;
    }

    // The numbers of a transaction go into the buffer as digits, without a text in between:
    // the same as endToEndId, amountText and the ISO date, at a fraction of the cost.
    void digits(std::int64_t value, int width = 0) {
        char text[24];
        int n = 0;
        do {
            text[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value > 0 || n < width);
        while (n > 0)
            m_buffer += text[--n];
    }

    void isoDateDigits(std::int32_t date) {
        digits(date / 10000, 4);
        m_buffer += '-';
        digits((date / 100) % 100, 2);
        m_buffer += '-';
        digits(date % 100, 2);
    }

    void transaction(const KCollectionItem& item) {
        open("DrctDbtTxInf");
        open("PmtId");
        indent();
        m_buffer += "<EndToEndId>KVL-";
        if (item.memberId < 0)
            m_buffer += '-';
        digits(item.memberId < 0 ? -static_cast<std::int64_t>(item.memberId) : item.memberId);
        m_buffer += '-';
        digits(m_message.collectionDate);
        m_buffer += "</EndToEndId>\n";
        close("PmtId");
        indent();
        m_buffer += "<InstdAmt Ccy=\"EUR\">";
        digits(item.cents / 100);
        m_buffer += '.';
        digits(item.cents % 100, 2);
        m_buffer += "</InstdAmt>\n";
        open("DrctDbtTx");
        open("MndtRltdInf");
        text("MndtId", item.mandateId);
        indent();
        m_buffer += "<DtOfSgntr>";
        isoDateDigits(item.mandateDate);
        m_buffer += "</DtOfSgntr>\n";
        close("MndtRltdInf");
        close("DrctDbtTx");
        agent("DbtrAgt", item.bic);
        open("Dbtr");
        text("Nm", item.debtorName);
        close("Dbtr");
        account("DbtrAcct", item.iban);
        if (!item.remittance.isEmpty()) {
            open("RmtInf");
            text("Ustrd", item.remittance);
            close("RmtInf");
        }
        close("DrctDbtTxInf");
    }

    QIODevice& m_out;
    const KPain008Message& m_message;
    bool m_v08;
    std::string m_buffer;
    int m_depth = 0;
    bool m_ok = true;
};

} // namespace

namespace Pain008Writer {

QString endToEndId(std::int32_t memberId, std::int32_t collectionDate) {
    return QStringLiteral("KVL-%1-%2").arg(memberId).arg(collectionDate);
}

QString namespaceUri(IncassoSettings::Format format) {
    return QStringLiteral("urn:iso:std:iso:20022:tech:xsd:") + formatName(format);
}

QString formatName(IncassoSettings::Format format) {
    return format == IncassoSettings::Format::Pain00800102 ? QStringLiteral("pain.008.001.02")
                                                           : QStringLiteral("pain.008.001.08");
}

KResult write(QIODevice& out, const KPain008Message& message,
              const std::vector<const KCollectionItem*>& items, KProgressReport* progress) {
    return Writer(out, message).write(items, progress);
}

} // namespace Pain008Writer
