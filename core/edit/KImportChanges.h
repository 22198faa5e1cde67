#pragma once

#include "core/model/KMember.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What one import does to the administration, worked out beforehand with the ids handed out:
// the text fields it adds (each at the end of the first tab of that name), the member types it
// appends, the members it adds and the new contents of the members it fills in. Added members
// and new contents hold a value for every field, the added fields included.
struct KImportChanges {
    struct NewField {
        KField definition;
        std::string tab;
    };

    std::vector<NewField> fields;
    std::vector<std::string> memberTypes;
    std::vector<std::unique_ptr<KMember>> added;
    std::vector<std::pair<std::int32_t, KMember>> updated;

    bool empty() const {
        return fields.empty() && memberTypes.empty() && added.empty() && updated.empty();
    }
};
