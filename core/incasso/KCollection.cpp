#include "core/incasso/KCollection.h"

#include "core/KProgressReport.h"
#include "core/contrib/KOutstanding.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/KDateValue.h"
#include "core/incasso/Iban.h"
#include "core/incasso/SepaText.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QStringView>

#include <cmath>
#include <optional>

namespace {

constexpr std::int64_t kProgressStep = 1000;

// The id of the first field definition with that label; nothing when there is none.
std::optional<std::int32_t> fieldId(const CKorvelDoc& doc, const QString& label) {
    const std::string bytes = CodePage::fromQString(label);
    for (const KField& field : doc.fields())
        if (field.label() == bytes)
            return field.id();
    return std::nullopt;
}

const KField* valueOf(const KMember& member, const std::optional<std::int32_t>& id) {
    return id ? member.valueById(*id) : nullptr;
}

QString textOf(const KField* value) {
    if (!value)
        return {};
    return CodePage::toQString(value->type() == FieldType::Text ? value->text()
                                                                : value->displayText());
}

bool validDate(std::int32_t date) {
    const int year = date / 10000;
    const int month = (date / 100) % 100;
    const int day = date % 100;
    if (date <= 0 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::int32_t mandateDateOf(const KField* value) {
    if (!value)
        return 0;
    if (value->type() == FieldType::Date) {
        const std::int32_t date = value->date().value();
        return validDate(date) ? date : 0;
    }
    return KCollection::readDate(CodePage::toQString(value->displayText()));
}

bool isFirst(const KField* value) {
    if (!value)
        return false;
    if (value->type() == FieldType::Boolean)
        return value->number() != 0;
    if (value->type() == FieldType::Text)
        return CodePage::toQString(value->text()).trimmed().compare(QStringLiteral("Ja"),
                                                                    Qt::CaseInsensitive) == 0;
    return false;
}

// A mandate reference goes into the file as the member signed it: it may not be cut or have
// characters replaced, nor begin or end with "/" or hold "//".
bool validMandate(const QString& mandate) {
    if (mandate.size() > KCollection::kIdLength)
        return false;
    for (QChar c : mandate)
        if (!SepaText::inSet(c))
            return false;
    return !mandate.startsWith(QLatin1Char('/')) && !mandate.endsWith(QLatin1Char('/')) &&
           !mandate.contains(QStringLiteral("//"));
}

std::int64_t toCents(double amount) {
    if (!std::isfinite(amount))
        return 0;
    if (amount > 1e15)
        return KCollection::kMaxCents + 1;
    return std::llround(amount * 100.0);
}

QString dutchAmount(std::int64_t cents) {
    return QStringLiteral("%1,%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString dutchDate(std::int32_t date) {
    return QStringLiteral("%1-%2-%3")
        .arg(date % 100, 2, 10, QLatin1Char('0'))
        .arg((date / 100) % 100, 2, 10, QLatin1Char('0'))
        .arg(date / 10000, 4, 10, QLatin1Char('0'));
}

} // namespace

namespace KCollection {

QString amountText(std::int64_t cents) {
    const bool negative = cents < 0;
    const std::int64_t whole = negative ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

std::int32_t readDate(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    for (const char* format : {"d-M-yyyy", "d/M/yyyy", "d.M.yyyy", "yyyy-M-d", "yyyyMMdd"}) {
        const QDate date = QDate::fromString(t, QString::fromLatin1(format));
        if (date.isValid())
            return date.year() * 10000 + date.month() * 100 + date.day();
    }
    const std::int32_t typed = KDateValue(CodePage::fromQString(t).c_str(), 0).value();
    return validDate(typed) ? typed : 0;
}

QString remittance(const QString& textTemplate, const QString& description, const QString& name,
                   std::int32_t memberId, const QString& federationNumber, std::int64_t cents,
                   std::int32_t collectionDate) {
    // One pass over the template: the run fills it in for every member.
    QString text;
    text.reserve(textTemplate.size() + name.size() + description.size());
    qsizetype at = 0;
    while (at < textTemplate.size()) {
        const qsizetype open = textTemplate.indexOf(QLatin1Char('%'), at);
        const qsizetype close = open < 0 ? -1 : textTemplate.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            text.append(QStringView(textTemplate).mid(at));
            break;
        }
        text.append(QStringView(textTemplate).mid(at, open - at));
        const QStringView key = QStringView(textTemplate).mid(open + 1, close - open - 1);
        if (key == QLatin1String("omschrijving"))
            text.append(description);
        else if (key == QLatin1String("naam"))
            text.append(name);
        else if (key == QLatin1String("lidnummer"))
            text.append(QString::number(memberId));
        else if (key == QLatin1String("bondsnummer"))
            text.append(federationNumber);
        else if (key == QLatin1String("bedrag"))
            text.append(dutchAmount(cents));
        else if (key == QLatin1String("datum"))
            text.append(dutchDate(collectionDate));
        else {
            // Not a field to fill in: the first % stays, the second may open one.
            text.append(QStringView(textTemplate).mid(open, close - open));
            at = close;
            continue;
        }
        at = close + 1;
    }
    return text;
}

KCollectionList list(const CKorvelDoc& doc, const IncassoSettings& settings,
                     const KCollectionRequest& request, KProgressReport* progress) {
    KCollectionList out;
    const KContribution* scheme = nullptr;
    if (request.schemeId != 0) {
        scheme = doc.findSchemeById(request.schemeId);
        if (!scheme) {
            out.result = KResult::failed(QStringLiteral("De contributie bestaat niet meer."));
            return out;
        }
        out.description = CodePage::toQString(scheme->description());
    } else {
        out.description = QStringLiteral("Openstaand bedrag");
    }

    // The scheme's column of the overview.
    std::optional<KOutstanding> outstanding;
    int column = -1;
    if (scheme) {
        outstanding.emplace(doc);
        const auto& columns = outstanding->schemeColumns();
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (*columns[i] == *scheme)
                column = static_cast<int>(i);
    }

    const auto ibanId = fieldId(doc, settings.ibanLabel());
    const auto bicId = fieldId(doc, settings.bicLabel());
    const auto mandateId = fieldId(doc, settings.mandateLabel());
    const auto mandateDateId = fieldId(doc, settings.mandateDateLabel());
    const auto firstId = fieldId(doc, settings.firstLabel());

    const bool wantsFederationNumber =
        request.textTemplate.contains(QStringLiteral("%bondsnummer%"));

    const std::int64_t total = static_cast<std::int64_t>(doc.members().size());
    if (progress)
        progress->start(QStringLiteral("Leden voor de incasso verzamelen"), total);
    std::vector<double> shares;
    std::int64_t done = 0;
    for (const KMember& member : doc.members()) {
        if (progress && ++done % kProgressStep == 0 && !progress->advance(done)) {
            progress->finish();
            out.items.clear();
            out.result = KResult::stopped();
            return out;
        }
        std::int64_t cents = 0;
        if (scheme) {
            if (column >= 0) {
                outstanding->memberShares(member, shares);
                const int names = outstanding->nameCount();
                double owed = 0.0;
                for (int k = 0; k < names; ++k)
                    owed += shares[static_cast<std::size_t>(column * names + k)];
                cents = toCents(owed);
            }
        } else {
            cents = toCents(member.balance());
        }
        if (cents < 1)
            continue;

        KCollectionItem item;
        item.memberId = member.id();
        item.cents = cents;
        item.memberName = CodePage::toQString(member.name());
        item.iban = Iban::normalized(textOf(valueOf(member, ibanId)));
        item.bic = Iban::normalized(textOf(valueOf(member, bicId)));
        if (!item.bic.isEmpty() && !Iban::isValidBic(item.bic)) {
            item.bic.clear();
            item.bicIgnored = true;
        }
        item.mandateId = textOf(valueOf(member, mandateId)).trimmed();
        item.mandateDate = mandateDateOf(valueOf(member, mandateDateId));
        item.first = isFirst(valueOf(member, firstId));

        SepaText::Result name = SepaText::clean(item.memberName, kNameLength);
        if (name.text.isEmpty())
            name.text = QStringLiteral("Lid %1").arg(member.id());
        item.debtorName = name.text;
        const SepaText::Result text = SepaText::clean(
            remittance(request.textTemplate, out.description, item.memberName, member.id(),
                       wantsFederationNumber
                           ? CodePage::toQString(member.textByMeaning(FieldMeaning::FederationNumber))
                           : QString(),
                       cents, request.collectionDate),
            kRemittanceLength);
        item.remittance = text.text;
        item.shortened = name.shortened || text.shortened;

        if (item.iban.isEmpty())
            item.status = KCollectStatus::NoIban;
        else if (!Iban::isValid(item.iban))
            item.status = KCollectStatus::BadIban;
        else if (item.mandateId.isEmpty())
            item.status = KCollectStatus::NoMandate;
        else if (!validMandate(item.mandateId))
            item.status = KCollectStatus::BadMandate;
        else if (item.mandateDate == 0)
            item.status = KCollectStatus::NoMandateDate;
        else if (item.mandateDate > request.collectionDate)
            item.status = KCollectStatus::MandateAfterCollection;
        else if (cents > kMaxCents)
            item.status = KCollectStatus::AmountTooHigh;
        out.items.push_back(std::move(item));
    }
    if (progress)
        progress->finish();
    return out;
}

const char* reasonKey(KCollectStatus status) {
    switch (status) {
    case KCollectStatus::Ready: return "";
    case KCollectStatus::NoIban: return "no-iban";
    case KCollectStatus::BadIban: return "bad-iban";
    case KCollectStatus::NoMandate: return "no-mandate";
    case KCollectStatus::BadMandate: return "bad-mandate";
    case KCollectStatus::NoMandateDate: return "no-mandate-date";
    case KCollectStatus::MandateAfterCollection: return "mandate-after-collection";
    case KCollectStatus::AmountTooHigh: return "amount-too-high";
    }
    return "";
}

QString statusText(const KCollectionItem& item) {
    switch (item.status) {
    case KCollectStatus::Ready:
        if (item.bicIgnored)
            return QStringLiteral("Klaar (BIC onjuist, niet meegegeven)");
        if (item.shortened)
            return QStringLiteral("Klaar (tekst ingekort)");
        return QStringLiteral("Klaar");
    case KCollectStatus::NoIban: return QStringLiteral("Geen IBAN");
    case KCollectStatus::BadIban: return QStringLiteral("IBAN onjuist");
    case KCollectStatus::NoMandate: return QStringLiteral("Geen machtigingskenmerk");
    case KCollectStatus::BadMandate:
        return QStringLiteral("Machtigingskenmerk onjuist (meer dan 35 tekens of ongeldige "
                              "tekens)");
    case KCollectStatus::NoMandateDate: return QStringLiteral("Geen datum machtiging");
    case KCollectStatus::MandateAfterCollection:
        return QStringLiteral("Machtiging getekend na de incassodatum");
    case KCollectStatus::AmountTooHigh: return QStringLiteral("Bedrag te hoog voor een incasso");
    }
    return {};
}

} // namespace KCollection
