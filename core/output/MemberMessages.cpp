#include "core/output/MemberMessages.h"

#include "core/KProgressReport.h"
#include "core/document/CKorvelDoc.h"
#include "core/output/MemberExport.h"
#include "platform/ComponentInterfaces.h"

namespace {

constexpr std::int32_t kTabPositions = 100;
constexpr double kSmallestAmount = 0.01;
constexpr std::int64_t kProgressStep = 256;

} // namespace

namespace MemberMessages {

bool canSend(const CKorvelDoc& doc) {
    return !doc.tabs().empty() && !doc.fields().empty();
}

std::vector<std::pair<std::string, std::string>> valuesOf(const CKorvelDoc& doc,
                                                          const KMember& member) {
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
    return values;
}

KResult send(const CKorvelDoc& doc, std::int32_t memberId, IKCorrespondence& component,
             KProgressReport* progress) {
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
        for (const auto& [name, value] : valuesOf(doc, member))
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
