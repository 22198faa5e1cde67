#pragma once

#include "core/model/KCharge.h"
#include "core/model/KContribution.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A charge of a scheme dated on that day, with these parts (name and amount), for members
// built in tests.
inline KCharge chargeOf(std::int32_t schemeId, std::int32_t yyyymmdd,
                        const std::vector<std::pair<std::string, double>>& parts) {
    auto scheme = std::make_unique<KContribution>(schemeId);
    scheme->setDate(KDateValue(yyyymmdd));
    scheme->setDescription("Contributie " + std::to_string(yyyymmdd / 10000));
    std::int32_t partId = schemeId * 100;
    for (const auto& [name, amount] : parts)
        scheme->AddPart(KContrPart(name, ++partId, amount));
    return KCharge(std::move(scheme));
}
