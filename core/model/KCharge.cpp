#include "core/model/KCharge.h"

#include "core/format/Clock.h"
#include "core/model/FString.h"
#include "platform/Archive.h"

KCharge::KCharge() : m_scheme(KContribution(static_cast<std::int32_t>(Clock::now()))) {}

double KCharge::total() const {
    double sum = 0.0;
    if (m_scheme)
        for (const KContrPart& part : m_scheme->parts())
            sum += part.amount();
    return sum;
}

void KCharge::Serialize(Archive& ar, int version) {
    if (ar.IsStoring()) {
        // A charge always carries a scheme in the file; one without is written empty.
        if (m_scheme)
            m_scheme->Serialize(ar, version);
        else
            KContribution(0).Serialize(ar, version);
        writeFString(ar, m_text);
        return;
    }
    m_scheme.emplace();
    m_scheme->Serialize(ar, version);
    readFStringInto(ar, m_text);
}
