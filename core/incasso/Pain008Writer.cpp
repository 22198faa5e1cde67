#include "core/incasso/Pain008Writer.h"

#include "core/KProgressReport.h"
#include "core/incasso/Iban.h"
#include "core/incasso/KCollection.h"
#include "core/incasso/SepaText.h"

#include <QDate>
#include <QXmlStreamWriter>

#include <unordered_set>

namespace {

constexpr std::int64_t kProgressStep = 500;

QString isoDate(std::int32_t date) {
    return QDate(date / 10000, (date / 100) % 100, date % 100).toString(Qt::ISODate);
}

class Writer {
public:
    Writer(QIODevice& out, const KPain008Message& message)
        : m_xml(&out), m_message(message),
          m_v08(message.format == IncassoSettings::Format::Pain00800108) {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(1);
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
        m_xml.writeStartDocument();
        m_xml.writeStartElement(QStringLiteral("Document"));
        m_xml.writeDefaultNamespace(Pain008Writer::namespaceUri(m_message.format));
        m_xml.writeStartElement(QStringLiteral("CstmrDrctDbtInitn"));

        m_xml.writeStartElement(QStringLiteral("GrpHdr"));
        text("MsgId", m_message.msgId);
        text("CreDtTm", m_message.created.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        text("NbOfTxs", QString::number(total));
        text("CtrlSum", KCollection::amountText(cents));
        m_xml.writeStartElement(QStringLiteral("InitgPty"));
        text("Nm", creditorName());
        m_xml.writeEndElement();
        m_xml.writeEndElement(); // GrpHdr

        std::int64_t done = 0;
        for (const auto* block : {&first, &recurrent}) {
            if (block->empty())
                continue;
            if (!paymentBlock(*block, block == &first, progress, done))
                return KResult::stopped();
        }
        m_xml.writeEndElement(); // CstmrDrctDbtInitn
        m_xml.writeEndElement(); // Document
        m_xml.writeEndDocument();
        if (progress)
            progress->finish();
        if (m_xml.hasError())
            return KResult::failed(QStringLiteral("Het bestand kon niet worden geschreven."));
        return KResult::done();
    }

private:
    void text(const char* name, const QString& value) {
        m_xml.writeTextElement(QString::fromLatin1(name), value);
    }

    QString creditorName() const {
        const QString name = SepaText::clean(m_message.creditor.name, KCollection::kNameLength).text;
        return name.isEmpty() ? QStringLiteral("Onbekend") : name;
    }

    // FinInstnId with the BIC, or NOTPROVIDED without one.
    void agent(const char* name, const QString& bic) {
        m_xml.writeStartElement(QString::fromLatin1(name));
        m_xml.writeStartElement(QStringLiteral("FinInstnId"));
        if (!bic.isEmpty()) {
            text(m_v08 ? "BICFI" : "BIC", bic);
        } else {
            m_xml.writeStartElement(QStringLiteral("Othr"));
            text("Id", QStringLiteral("NOTPROVIDED"));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void account(const char* name, const QString& iban) {
        m_xml.writeStartElement(QString::fromLatin1(name));
        m_xml.writeStartElement(QStringLiteral("Id"));
        text("IBAN", iban);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    bool paymentBlock(const std::vector<const KCollectionItem*>& items, bool first,
                      KProgressReport* progress, std::int64_t& done) {
        const QString sequence = first ? QStringLiteral("FRST") : QStringLiteral("RCUR");
        std::int64_t cents = 0;
        for (const KCollectionItem* item : items)
            cents += item->cents;

        m_xml.writeStartElement(QStringLiteral("PmtInf"));
        text("PmtInfId", m_message.msgId + QLatin1Char('-') + sequence);
        text("PmtMtd", QStringLiteral("DD"));
        text("BtchBookg", QStringLiteral("true"));
        text("NbOfTxs", QString::number(items.size()));
        text("CtrlSum", KCollection::amountText(cents));
        m_xml.writeStartElement(QStringLiteral("PmtTpInf"));
        m_xml.writeStartElement(QStringLiteral("SvcLvl"));
        text("Cd", QStringLiteral("SEPA"));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("LclInstrm"));
        text("Cd", QStringLiteral("CORE"));
        m_xml.writeEndElement();
        text("SeqTp", sequence);
        m_xml.writeEndElement(); // PmtTpInf
        text("ReqdColltnDt", isoDate(m_message.collectionDate));
        m_xml.writeStartElement(QStringLiteral("Cdtr"));
        text("Nm", creditorName());
        m_xml.writeEndElement();
        account("CdtrAcct", Iban::normalized(m_message.creditor.iban));
        agent("CdtrAgt", Iban::normalized(m_message.creditor.bic));
        text("ChrgBr", QStringLiteral("SLEV"));
        m_xml.writeStartElement(QStringLiteral("CdtrSchmeId"));
        m_xml.writeStartElement(QStringLiteral("Id"));
        m_xml.writeStartElement(QStringLiteral("PrvtId"));
        m_xml.writeStartElement(QStringLiteral("Othr"));
        text("Id", Iban::normalized(m_message.creditor.id));
        m_xml.writeStartElement(QStringLiteral("SchmeNm"));
        text("Prtry", QStringLiteral("SEPA"));
        m_xml.writeEndElement(); // SchmeNm
        m_xml.writeEndElement(); // Othr
        m_xml.writeEndElement(); // PrvtId
        m_xml.writeEndElement(); // Id
        m_xml.writeEndElement(); // CdtrSchmeId

        for (const KCollectionItem* item : items) {
            transaction(*item);
            if (progress && ++done % kProgressStep == 0 && !progress->advance(done)) {
                progress->finish();
                return false;
            }
        }
        m_xml.writeEndElement(); // PmtInf
        return true;
    }

    void transaction(const KCollectionItem& item) {
        m_xml.writeStartElement(QStringLiteral("DrctDbtTxInf"));
        m_xml.writeStartElement(QStringLiteral("PmtId"));
        text("EndToEndId", Pain008Writer::endToEndId(item.memberId, m_message.collectionDate));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("InstdAmt"));
        m_xml.writeAttribute(QStringLiteral("Ccy"), QStringLiteral("EUR"));
        m_xml.writeCharacters(KCollection::amountText(item.cents));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("DrctDbtTx"));
        m_xml.writeStartElement(QStringLiteral("MndtRltdInf"));
        text("MndtId", item.mandateId);
        text("DtOfSgntr", isoDate(item.mandateDate));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        agent("DbtrAgt", item.bic);
        m_xml.writeStartElement(QStringLiteral("Dbtr"));
        text("Nm", item.debtorName);
        m_xml.writeEndElement();
        account("DbtrAcct", item.iban);
        if (!item.remittance.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("RmtInf"));
            text("Ustrd", item.remittance);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement(); // DrctDbtTxInf
    }

    QXmlStreamWriter m_xml;
    const KPain008Message& m_message;
    bool m_v08;
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
