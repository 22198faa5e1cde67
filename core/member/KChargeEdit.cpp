#include "core/member/KChargeEdit.h"

#include "core/format/Clock.h"
#include "core/format/Numbers.h"
#include "core/format/TypedNumber.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <optional>
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
        sum += TypedNumber::read(std::string_view(text)).value_or(0.0);
    return Numbers::fixed2(sum);
}

KChargeEdit::Collected KChargeEdit::collect(const std::string& remarks,
                                            const std::vector<std::string>& amountTexts) {
    KPartList& parts = m_charge.scheme()->parts();
    const std::size_t rows = std::min({amountTexts.size(), m_rows.size(), parts.size()});
    // Every typed amount is read before anything is taken, so a refusal changes nothing.
    std::vector<std::optional<double>> typed(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        if (amountTexts[i] == m_rows[i].amountText)
            continue;
        typed[i] = TypedNumber::read(std::string_view(amountTexts[i]));
        if (!typed[i])
            return {KResult::failed(TypedNumber::refusal(CodePage::toQString(amountTexts[i]))),
                    static_cast<int>(i)};
    }

    m_charge.setText(remarks);
    std::vector<std::size_t> removed;
    for (std::size_t i = 0; i < rows; ++i) {
        KContrPart& part = parts.at(i);
        if (!typed[i]) {
            // An amount left as shown stays exact; only a part added here of 0 goes.
            if (m_added.count(part.id()) && part.amount() == 0.0)
                removed.push_back(i);
            continue;
        }
        if (*typed[i] == 0.0)
            removed.push_back(i);
        else
            part.setAmount(*typed[i]);
    }
    // From the last: a removal moves the parts after it.
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        parts.removeItem(&parts.at(*it));
    makeRows();
    return {KResult::done()};
}

KChargeEdit::AddResult KChargeEdit::addPart(const std::string& name,
                                            const std::string& amountText) {
    if (name.empty())
        return AddResult::NeedName;
    if (amountText.find_first_not_of(" \t") == std::string::npos)
        return AddResult::NeedAmount;
    const std::optional<double> amount = TypedNumber::read(std::string_view(amountText));
    if (!amount)
        return AddResult::NoAmount;
    const auto id = static_cast<std::int32_t>(Clock::now());
    m_charge.scheme()->parts().insert(KContrPart(name, id, *amount));
    m_added.insert(id);
    makeRows();
    return AddResult::Added;
}

QString KChargeEdit::message(AddResult result, const std::string& amountText) {
    switch (result) {
    case AddResult::NoAmount:
        return TypedNumber::refusal(CodePage::toQString(amountText));
    case AddResult::NeedName:
        return QStringLiteral("Geef een naam voor dit onderdeel op.");
    case AddResult::NeedAmount:
        return QStringLiteral("Geef een bedrag voor dit onderdeel op.");
    case AddResult::Added:
        break;
    }
    return {};
}
