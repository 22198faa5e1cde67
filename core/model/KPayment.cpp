#include "core/model/KPayment.h"

#include "core/model/FString.h"
#include "platform/Archive.h"

void KPayment::Serialize(Archive& ar, int /*version*/) {
    if (ar.IsStoring()) {
        ar.writeDouble(m_amount);
        m_date.Serialize(ar);
        writeFString(ar, m_remarks);
        return;
    }
    m_amount = ar.readDouble();
    m_date.Serialize(ar);
    readFStringInto(ar, m_remarks);
}
