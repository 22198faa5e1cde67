#include "core/model/KMember.h"

#include "platform/Archive.h"

KMember::KMember(const KMember& other)
    : m_values(other.m_values), m_charges(other.m_charges), m_payments(other.m_payments) {}

KMember& KMember::operator=(const KMember& other) {
    if (this != &other) {
        m_values = other.m_values;
        m_charges = other.m_charges;
        m_payments = other.m_payments;
    }
    return *this;
}

const KField* KMember::valueByMeaning(FieldMeaning meaning) const {
    return m_values.findFirst([meaning](const KField& f) { return f.meaning() == meaning; });
}

KField* KMember::valueByMeaning(FieldMeaning meaning) {
    return m_values.findFirst([meaning](const KField& f) { return f.meaning() == meaning; });
}

const KField* KMember::valueById(std::int32_t id) const {
    return m_values.findFirst([id](const KField& f) { return f.id() == id; });
}

KField* KMember::valueById(std::int32_t id) {
    return m_values.findFirst([id](const KField& f) { return f.id() == id; });
}

std::string KMember::textByMeaning(FieldMeaning meaning) const {
    const KField* value = valueByMeaning(meaning);
    return value ? value->displayText() : std::string();
}

void KMember::setTextByMeaning(FieldMeaning meaning, std::string text) {
    if (KField* value = valueByMeaning(meaning))
        value->setText(std::move(text));
}

KDateValue KMember::dateByMeaning(FieldMeaning meaning) const {
    const KField* value = valueByMeaning(meaning);
    return value ? value->getDate() : KDateValue(0);
}

void KMember::removeValue(const KField& value) {
    m_values.removeFirst([&](const KField& f) { return f.isAlike(value); });
}

void KMember::removeChargeForScheme(std::int32_t schemeId) {
    m_charges.removeFirst(
        [schemeId](const KCharge& c) { return c.scheme() && c.scheme()->id() == schemeId; });
}

bool KMember::hasChargeForScheme(std::int32_t schemeId) const {
    return m_charges.findFirst([schemeId](const KCharge& c) {
        return c.scheme() && c.scheme()->id() == schemeId;
    }) != nullptr;
}

const KCharge* KMember::latestCharge(const KContribution* scheme) const {
    const KCharge* latest = nullptr;
    for (const KCharge& charge : m_charges) {
        if (!charge.scheme())
            continue;
        if (!latest || latest->scheme()->date() < charge.scheme()->date())
            latest = &charge;
    }
    if (latest && scheme && !(*latest->scheme() == *scheme))
        return nullptr;
    return latest;
}

void KMember::removePayment(const KPayment& payment) {
    m_payments.removeFirst([&](const KPayment& p) { return p == payment; });
}

double KMember::balance() const {
    double sum = 0.0;
    for (const KCharge& charge : m_charges)
        sum += charge.total();
    for (const KPayment& payment : m_payments)
        sum -= payment.amount();
    return sum;
}

double KMember::arrears() const {
    double sum = balance();
    if (const KCharge* latest = latestCharge())
        sum -= latest->total();
    return sum < 0.0 ? 0.0 : sum;
}

namespace {
// The Name text without a copy when it is a Text value, which it is in every real file.
const std::string& nameKey(const KMember& m, std::string& scratch) {
    const KField* value = m.valueByMeaning(FieldMeaning::Name);
    if (value && value->type() == FieldType::Text)
        return value->text();
    scratch = value ? value->displayText() : std::string();
    return scratch;
}
} // namespace

bool KListOrder<KMember>::before(const KMember& a, const KMember& b) {
    std::string sa, sb;
    return nameKey(a, sa) < nameKey(b, sb);
}

std::string KListOrder<KMember>::key(const KMember& m) {
    std::string scratch;
    return nameKey(m, scratch);
}

bool KMember::Serialize(Archive& ar, int version) {
    if (ar.IsStoring()) {
        ar.writeInt32(m_id);
        ar.writeInt32(static_cast<std::int32_t>(m_charges.size()));
        for (KCharge& charge : m_charges)
            charge.Serialize(ar, version);
        ar.writeInt32(static_cast<std::int32_t>(m_payments.size()));
        for (KPayment& payment : m_payments)
            payment.Serialize(ar, version);
        ar.writeInt32(static_cast<std::int32_t>(m_values.size()));
        for (KField& value : m_values)
            value.Serialize(ar, version);
        return true;
    }
    std::int32_t id = 0;
    if (ar.Read(&id, sizeof id) < sizeof id)
        return false;
    m_id = id;
    readChargesAndPayments(ar, version);
    std::int32_t count = ar.readInt32();
    KFieldList values;
    values.fill(count, [&] {
        KField value;
        value.Serialize(ar, version);
        return value;
    });
    m_values = std::move(values);
    return true;
}

void KMember::readChargesAndPayments(Archive& ar, int version) {
    std::int32_t count = ar.readInt32();
    m_charges.fill(count, [&] {
        KCharge charge(nullptr);
        charge.Serialize(ar, version);
        return charge;
    });
    count = ar.readInt32();
    m_payments.fill(count, [&] {
        KPayment payment;
        payment.Serialize(ar, version);
        return payment;
    });
}
