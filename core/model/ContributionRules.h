#pragma once

#include "core/model/KMember.h"

#include <memory>

// What a scheme means for a member: which parts a member owes, and the charge made of them.

// True when the member meets every condition of the part: the member's value with the
// condition's id shows the same text as the condition (a missing value shows the empty text).
bool Applies(const KContrPart& part, const KMember& member);

// Replaces the member's charge for the scheme by one holding copies of the parts that apply;
// when none applies the member is left without a charge for the scheme.
void ApplyContribution(KMember& member, const KContribution& scheme);
// The charge ApplyContribution gives the member: a copy of the scheme with the parts that
// apply; nullptr when none does.
std::unique_ptr<KCharge> ChargeFor(const KMember& member, const KContribution& scheme);

bool HasCharge(const KMember& member, const KContribution& scheme);
void RemoveCharge(KMember& member, const KContribution& scheme);
const KCharge* LatestCharge(const KMember& member, const KContribution* scheme);
double Total(const KCharge& charge);
