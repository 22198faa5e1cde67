#include "core/model/KContribution.h"

#include "core/model/FString.h"
#include "platform/Archive.h"

void KContribution::AddPart(const KContrPart& part) {
    m_parts.insert(part);
}

void KContribution::RemovePart(std::int32_t partId) {
    const KContrPart* byId =
        m_parts.findFirst([&](const KContrPart& p) { return p.id() == partId; });
    if (!byId)
        return;
    const KContrPart target = *byId;
    m_parts.removeFirst([&](const KContrPart& p) { return p == target; });
}

void KContribution::Serialize(Archive& ar, int version) {
    if (ar.IsStoring()) {
        ar.writeInt32(m_id);
        writeFString(ar, m_description.str());
        m_date.Serialize(ar);
        ar.writeInt32(static_cast<std::int32_t>(m_parts.size()));
        for (KContrPart& part : m_parts)
            part.Serialize(ar, version);
        return;
    }
    m_id = ar.readInt32();
    std::string& scratch = readScratch();
    readFStringInto(ar, scratch);
    m_description = KSharedText::of(scratch);
    m_date.Serialize(ar);
    const std::int32_t count = ar.readInt32();
    m_parts.fill(count, [&] {
        KContrPart part;
        part.Serialize(ar, version);
        return part;
    });
}
