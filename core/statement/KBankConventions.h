#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The references and remarks by which Korvel recognises its own money on the bank statement.
// The incasso file names each collection "KVL-<member id>-<collection date YYYYMMDD>" (its
// end-to-end id) and each run "KVL-<YYYYMMDDHHMMSS><milliseconds>" (the message id; a payment
// information id adds "-FRST" or "-RCUR"); the run's booking leaves each member a payment
// "Incasso <message id>" on the collection date. What the statement reader books keeps the
// bank's date and reference in its remark, so that reading a statement again books nothing
// twice:
//   "Bank 2027-01-15 <reference>"                 money received (or paid back)
//   "Storno <reason> Bank 2027-01-15 <reference>" a collection the bank returned
namespace KBankConventions {

struct Collection {
    std::int32_t memberId = 0;
    std::int32_t date = 0; // yyyymmdd
};
// The member and collection date of an end-to-end id the incasso file wrote.
std::optional<Collection> readEndToEndId(QStringView id);

// The message id of a run, from its message id or one of its payment information ids.
std::optional<QString> runOf(QStringView reference);
// The first message or payment information id of a run in a longer text, as its message id.
std::optional<QString> findRun(QStringView text);

// The remarks the reader books, in code-page bytes; the reference is taken as it is, with
// characters the code page lacks replaced by their nearest letter.
std::string receivedRemark(std::int32_t bookingDate, const QString& reference);
std::string stornoRemark(const QString& reason, std::int32_t bookingDate, const QString& reference);
// The remark a booked collection run leaves.
std::string collectionRemark(const QString& messageId);

// A reference as it stands in a remark.
std::string remarkReference(const QString& reference);

// The booking date and reference of a remark the reader wrote; nothing for any other remark.
struct Booked {
    std::int32_t date = 0;
    std::string reference;
};
std::optional<Booked> readBookedRemark(std::string_view remark);
// Whether the remark is that of a returned collection the reader booked ("Storno ...").
bool isStornoRemark(std::string_view remark);
// Whether the remark is that of a booked collection ("Incasso KVL-...").
bool isCollectionRemark(std::string_view remark);
// The message id of a collection remark; empty for any other remark.
std::string_view collectionRun(std::string_view remark);

} // namespace KBankConventions
