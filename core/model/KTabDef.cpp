#include "core/model/KTabDef.h"

#include "core/model/FString.h"
#include "platform/Archive.h"

#include <algorithm>

void KTabDef::removeFieldId(std::int32_t id) {
    auto it = std::find(m_fieldIds.begin(), m_fieldIds.end(), id);
    if (it != m_fieldIds.end())
        m_fieldIds.erase(it);
}

void KTabDef::Serialize(Archive& ar, int /*version*/) {
    if (ar.IsStoring()) {
        writeFString(ar, m_name);
        ar.writeInt32(m_position);
        ar.writeInt32(static_cast<std::int32_t>(m_fieldIds.size()));
        for (std::int32_t id : m_fieldIds)
            ar.writeInt32(id);
        return;
    }
    m_name = readFString(ar);
    m_position = ar.readInt32();
    const std::int32_t count = ar.readInt32();
    m_fieldIds.clear();
    for (std::int32_t i = 0; i < count; ++i)
        m_fieldIds.push_back(ar.readInt32());
}
