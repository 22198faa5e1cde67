#include "core/model/ContributionRules.h"

#include <memory>

namespace {

bool conditionHolds(const KField& condition, const std::string& conditionText,
                    const KMember& member) {
    const KField* value = member.valueById(condition.id());
    return value ? value->displayTextEquals(conditionText) : conditionText.empty();
}

} // namespace

bool Applies(const KContrPart& part, const KMember& member) {
    for (const KField& condition : part.conditions())
        if (!conditionHolds(condition, condition.displayText(), member))
            return false;
    return true;
}

std::unique_ptr<KCharge> ChargeFor(const KMember& member, const KContribution& scheme) {
    auto copy = std::make_unique<KContribution>(scheme.id());
    copy->setDescription(scheme.description());
    copy->setDate(scheme.date());
    for (const KContrPart& part : scheme.parts())
        if (Applies(part, member))
            copy->AddPart(part);
    if (copy->parts().empty())
        return nullptr;
    return std::make_unique<KCharge>(std::move(copy));
}

void ApplyContribution(KMember& member, const KContribution& scheme) {
    member.removeChargeForScheme(scheme.id());
    if (auto charge = ChargeFor(member, scheme))
        member.charges().insert(std::move(charge));
}

bool HasCharge(const KMember& member, const KContribution& scheme) {
    return member.hasChargeForScheme(scheme.id());
}

void RemoveCharge(KMember& member, const KContribution& scheme) {
    member.removeChargeForScheme(scheme.id());
}

const KCharge* LatestCharge(const KMember& member, const KContribution* scheme) {
    return member.latestCharge(scheme);
}

double Total(const KCharge& charge) { return charge.total(); }
