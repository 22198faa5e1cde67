#include "core/member/KChargeEdit.h"

#include "core/format/Clock.h"
#include "core/format/Numbers.h"

#include <algorithm>
#include <memory>

KChargeEdit::KChargeEdit(const KCharge& start) : m_charge(start) {
    if (!m_charge.scheme())
        m_charge.replaceScheme(
            std::make_unique<KContribution>(static_cast<std::int32_t>(Clock::now())));
    makeRows();
}

std::string KChargeEdit::description() const {
    return m_charge.scheme()->description();
}

void KChargeEdit::makeRows() {
    m_rows.clear();
    for (const KContrPart& part : m_charge.scheme()->parts())
        m_rows.push_back({part.name(), Numbers::fixed2(part.amount())});
}

std::string KChargeEdit::totalOf(const std::vector<std::string>& amountTexts) {
    double sum = 0.0;
    for (const std::string& text : amountTexts)
        sum += Numbers::leadingReal(text);
    return Numbers::fixed2(sum);
}

void KChargeEdit::collect(const std::string& remarks, const std::vector<std::string>& amountTexts) {
    m_charge.setText(remarks);
    KPartList& parts = m_charge.scheme()->parts();
    std::vector<const KContrPart*> removed;
    const std::size_t rows = std::min({amountTexts.size(), m_rows.size(), parts.size()});
    for (std::size_t i = 0; i < rows; ++i) {
        KContrPart& part = parts.at(i);
        if (amountTexts[i] == m_rows[i].amountText) {
            // An amount left as shown stays exact; only a part added here of 0 or less goes.
            if (m_added.count(&part) && part.amount() <= 0.0)
                removed.push_back(&part);
            continue;
        }
        const double amount = Numbers::leadingReal(amountTexts[i]);
        if (amount <= 0.0)
            removed.push_back(&part);
        else
            part.setAmount(amount);
    }
    for (const KContrPart* part : removed) {
        m_added.erase(part);
        parts.removeItem(part);
    }
    makeRows();
}

KChargeEdit::AddResult KChargeEdit::addPart(const std::string& name,
                                            const std::string& amountText) {
    if (name.empty())
        return AddResult::NeedName;
    if (amountText.empty())
        return AddResult::NeedAmount;
    KPartList& parts = m_charge.scheme()->parts();
    m_added.insert(&parts.insert(KContrPart(name, static_cast<std::int32_t>(Clock::now()),
                                            Numbers::leadingReal(amountText))));
    makeRows();
    return AddResult::Added;
}

QString KChargeEdit::message(AddResult result) {
    switch (result) {
    case AddResult::NeedName:
        return QStringLiteral("Geef een naam voor dit onderdeel op.");
    case AddResult::NeedAmount:
        return QStringLiteral("Geef een bedrag voor dit onderdeel op.");
    case AddResult::Added:
        break;
    }
    return {};
}
