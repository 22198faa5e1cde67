#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// One amount of a bank statement as it can be booked: an entry of the statement, or one
// transaction of a batch entry whose transactions the bank listed. Texts as the bank wrote
// them; the amount signed, credits positive.
struct KBankEntry {
    std::int64_t cents = 0;
    // False when the bank wrote decimals beyond the cents.
    bool exactCents = true;
    QString currency;
    // yyyymmdd; 0 when the bank gave none.
    std::int32_t bookingDate = 0;
    // The bank's status of the entry ("BOOK", "PDNG", "INFO"); empty where the format has none,
    // which means booked.
    QString status;
    // The bank's reference of this amount; made from the statement's own references where the
    // bank gave none, so that the same file always gives the same one.
    QString reference;
    QString endToEndId;
    // The other party: name and IBAN (normalised; empty when not an IBAN or not given).
    QString name;
    QString iban;
    // What the payer wrote (remittance information), the lines joined by blanks.
    QString text;
    // The reason code of a returned payment ("MD06", "AM04", ...).
    QString returnReason;
    // A batch of which the statement lists no transactions: the message and payment
    // information ids the bank gave for it.
    bool batch = false;
    QStringList batchReferences;

    bool isCredit() const { return cents >= 0; }
};
