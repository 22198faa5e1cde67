#pragma once

#include "core/KOutcome.h"
#include "core/settings/IncassoSettings.h"

#include <QString>

#include <cstdint>
#include <vector>

class CKorvelDoc;
class KProgressReport;

// What a direct-debit run collects, and from whom.
struct KCollectionRequest {
    // The scheme whose outstanding amount is collected (the overview's amount in its column);
    // 0 for every member's balance.
    std::int32_t schemeId = 0;
    std::int32_t collectionDate = 0; // yyyymmdd
    // The remittance text of each collection; see KCollection::remittance.
    QString textTemplate = defaultTemplate();

    static QString defaultTemplate() { return QStringLiteral("%omschrijving% %naam%"); }
};

// Why a member who owes something cannot be collected, in the order in which they are told: a
// member with several problems gets the first.
enum class KCollectStatus {
    Ready,
    NoIban,
    BadIban,
    NoMandate,
    BadMandate,             // the mandate reference is too long or holds other characters
    NoMandateDate,          // none, or a text that is no date
    MandateAfterCollection, // signed after the collection date
    AmountTooHigh,          // more than a bank file takes in one collection
};

// One member who owes something, as the run would collect it.
struct KCollectionItem {
    std::int32_t memberId = 0;
    QString memberName;     // the member's Name text as the program shows it
    std::int64_t cents = 0; // the amount to collect, in euro cents; always over 0
    QString iban;           // normalized: capitals, no spaces (as typed when it is no IBAN)
    QString bic;            // a valid BIC, or empty for none
    bool bicIgnored = false; // the member's BIC field holds something that is no BIC
    QString mandateId;
    std::int32_t mandateDate = 0; // yyyymmdd, 0 for none
    bool first = false;           // sequence type FRST, else RCUR
    // The texts the file holds: the name and the remittance text in the SEPA set, cut at 70
    // and 140 characters.
    QString debtorName;
    QString remittance;
    bool shortened = false; // the name or the remittance text was cut
    KCollectStatus status = KCollectStatus::Ready;

    bool ready() const { return status == KCollectStatus::Ready; }
};

struct KCollectionList {
    KResult result; // Stopped when the user stopped it; Failed for an unknown scheme
    std::vector<KCollectionItem> items; // in member order
    // The scheme's description, or the balance's, for %omschrijving%.
    QString description;
};

// The members to collect from, each with its status: every member whose amount to collect
// (the balance, or what the overview shows outstanding in the scheme's column) comes to at
// least one cent. The debtor's data come from the member fields the settings name.
namespace KCollection {

// The amounts of a bank file are at most 999999999.99.
inline constexpr std::int64_t kMaxCents = 99'999'999'999;
inline constexpr int kNameLength = 70;
inline constexpr int kRemittanceLength = 140;
inline constexpr int kIdLength = 35;

KCollectionList list(const CKorvelDoc& doc, const IncassoSettings& settings,
                     const KCollectionRequest& request, KProgressReport* progress = nullptr);

// The remittance text of one member: the template with %omschrijving% (the scheme's
// description, or "Openstaand bedrag"), %naam%, %lidnummer% (the member's id), %bondsnummer%,
// %bedrag% ("12,50") and %datum% (the collection date, dd-mm-jjjj) filled in.
QString remittance(const QString& textTemplate, const QString& description,
                   const QString& name, std::int32_t memberId, const QString& federationNumber,
                   std::int64_t cents, std::int32_t collectionDate);

// The reason as korvel-cli names it ("no-iban", ...); empty for Ready.
const char* reasonKey(KCollectStatus status);
// The status as the dialog shows it, in Dutch.
QString statusText(const KCollectionItem& item);

// A mandate date typed in a text field: dd-mm-jjjj (also with / or .), jjjj-mm-dd, jjjjmmdd or
// the program's date format; 0 when it is none of them.
std::int32_t readDate(const QString& text);

// The amount "1234.50" of a number of cents, as bank files and korvel-cli write it.
QString amountText(std::int64_t cents);

} // namespace KCollection
