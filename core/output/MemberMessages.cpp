#include "core/output/MemberMessages.h"

#include "core/KProgressReport.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/format/KDateValue.h"
#include "core/output/MemberExport.h"
#include "core/settings/IncassoSettings.h"
#include "core/settings/Settings.h"
#include "platform/CodePage.h"
#include "platform/ComponentInterfaces.h"

namespace {

constexpr std::int32_t kTabPositions = 100;
constexpr double kSmallestAmount = 0.01;
constexpr std::int64_t kProgressStep = 256;

} // namespace

namespace MemberMessages {

std::string writtenDate(std::int32_t date) {
    // The date as a Dutch letter writes it, "9 december 2026", whatever the grid's date format.
    static const char* const months[] = {"januari", "februari", "maart",     "april",
                                         "mei",     "juni",     "juli",      "augustus",
                                         "september", "oktober", "november", "december"};
    const int month = date / 100 % 100;
    if (month < 1 || month > 12)
        return KDateValue(date).Text();
    return std::to_string(date % 100) + ' ' + months[month - 1] + ' ' + std::to_string(date / 10000);
}

Letterhead letterhead() {
    const IncassoSettings club = Settings::incasso();
    return {writtenDate(Clock::today()), CodePage::fromQStringNearest(club.creditorName),
            CodePage::fromQStringNearest(club.creditorIban)};
}

bool canSend(const CKorvelDoc& doc) {
    return !doc.tabs().empty() && !doc.fields().empty();
}

std::vector<std::pair<std::string, std::string>> valuesOf(const CKorvelDoc& doc,
                                                          const KMember& member,
                                                          const Letterhead& head) {
    std::vector<std::pair<std::string, std::string>> values;
    for (std::int32_t position = 0; position < kTabPositions; ++position) {
        const KTabDef* tab = nullptr;
        for (const KTabDef& candidate : doc.tabs())
            if (candidate.position() == position) {
                tab = &candidate;
                break;
            }
        if (!tab)
            continue;
        for (std::int32_t fieldId : tab->fieldIds())
            if (const KField* value = member.valueById(fieldId))
                values.emplace_back(value->label(), value->displayText());
    }
    if (const KCharge* latest = member.latestCharge()) {
        for (const KContrPart& part : latest->scheme()->parts())
            if (part.amount() >= kSmallestAmount)
                values.emplace_back(part.name(), MemberExport::amountText(part.amount()));
        values.emplace_back("Totaal", MemberExport::amountText(member.balance()));
        values.emplace_back("Achterstallig", MemberExport::amountText(member.arrears()));
    }
    if (!head.today.empty())
        values.emplace_back(kToday, head.today);
    if (!head.clubName.empty())
        values.emplace_back(kClubName, head.clubName);
    if (!head.clubIban.empty())
        values.emplace_back(kClubIban, head.clubIban);
    if (const KCharge* latest = member.latestCharge()) {
        std::string lines;
        for (const KContrPart& part : latest->scheme()->parts()) {
            const std::string amount = MemberExport::amountText(part.amount());
            if (amount == "0.00")
                continue;
            if (!lines.empty())
                lines += '\n';
            lines += part.name() + ": " + amount;
        }
        values.emplace_back(kParts, lines);
    }
    return values;
}

KResult send(const CKorvelDoc& doc, std::int32_t memberId, IKCorrespondence& component,
             KProgressReport* progress, const Letterhead& head) {
    component.BeginCorrespondence(kProgram, kJob, kFieldPrefix);
    const char* const listFields[] = {"Naam", "Totaal"};
    component.SetListFields(listFields, 2);

    if (progress)
        progress->start(QStringLiteral("Gegevens voor de brieven verzamelen"),
                        static_cast<std::int64_t>(doc.members().size()));
    std::int64_t done = 0;
    for (const KMember& member : doc.members()) {
        if (progress && done % kProgressStep == 0 && !progress->advance(done)) {
            progress->finish();
            return KResult::stopped();
        }
        ++done;
        if (memberId != kAllMembers && memberId != member.id())
            continue;
        for (const auto& [name, value] : valuesOf(doc, member, head))
            component.AddMemberValue(member.id(), name.c_str(), value.c_str());
    }
    if (progress) {
        progress->advance(done);
        progress->finish();
    }
    component.RunCorrespondence();
    return KResult::done();
}

} // namespace MemberMessages
