#pragma once

#include "core/KOutcome.h"
#include "core/settings/IncassoSettings.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

class KProgressReport;
class QIODevice;
struct KCollectionItem;

// The club as creditor, as the settings hold it (the writer puts it in the bank's form).
struct KCreditor {
    QString name;
    QString iban;
    QString bic; // empty: NOTPROVIDED
    QString id;  // the Incassant-ID
};

// The header of one direct-debit file.
struct KPain008Message {
    QString msgId;
    QDateTime created; // local time of the program's clock
    std::int32_t collectionDate = 0; // yyyymmdd
    KCreditor creditor;
    IncassoSettings::Format format = IncassoSettings::Format::Pain00800108;
};

// Writes a SEPA direct-debit initiation (ISO 20022 pain.008.001.08 or .001.02, SDD Core) in
// UTF-8. The references are fixed, because the bank statement reader matches on them:
//
//   MsgId      "KVL-" + creation date and time yyyyMMddHHmmss + milliseconds (3 digits),
//              e.g. "KVL-20261209143012345" (KMessageId::next)
//   PmtInfId   MsgId + "-FRST" or MsgId + "-RCUR": one payment information block per sequence
//              type present, FRST first
//   EndToEndId "KVL-" + member id + "-" + collection date yyyyMMdd, e.g. "KVL-1234-20270115"
//
// A booked collection is a payment of the collected amount on the collection date with the
// remark "Incasso " + MsgId (KCollectionBooking).
//
// Every number of transactions and control sum is counted in cents, so the sums of the blocks
// add up to the group header's exactly. Texts are in the SEPA character set; the items carry
// them cleaned already, the creditor's name is cleaned here.
namespace Pain008Writer {

// The items must all be ready to collect. Stopped when the progress report asked to stop (the
// device then holds part of a file: the caller throws it away); Failed when two items would
// share an EndToEndId, or when writing failed.
KResult write(QIODevice& out, const KPain008Message& message,
              const std::vector<const KCollectionItem*>& items,
              KProgressReport* progress = nullptr);

QString endToEndId(std::int32_t memberId, std::int32_t collectionDate);
QString namespaceUri(IncassoSettings::Format format);
QString formatName(IncassoSettings::Format format); // "pain.008.001.08"

} // namespace Pain008Writer
