#include "core/contrib/KSchemeEditor.h"

#include "core/format/Clock.h"
#include "core/format/Numbers.h"
#include "core/format/TypedNumber.h"
#include "platform/CodePage.h"

#include <utility>

namespace {

// One part of the standard set: its name, its amounts for seniors and juniors, and the meaning
// of the field that is its own condition (Other: none).
struct StandardPart {
    const char* name;
    double senior;
    double junior;
    FieldMeaning own;
};

constexpr StandardPart kStandard[] = {
    {"Contributie", 85.00, 80.00, FieldMeaning::Other},
    {"Bondscontributie", 8.00, 8.00, FieldMeaning::Registered},
    {"Competitie", 25.00, 16.00, FieldMeaning::CompetitionEligible},
};

const KField* firstWithMeaning(const KFieldList& fields, FieldMeaning meaning) {
    return fields.findFirst([meaning](const KField& f) { return f.meaning() == meaning; });
}

} // namespace

KSchemeEditor::KSchemeEditor(const KContribution& scheme, const KFieldList& fields,
                             std::vector<std::string> memberTypes, IdSource newId)
    : m_original(scheme), m_working(scheme), m_fields(fields), m_memberTypes(std::move(memberTypes)),
      m_newId(std::move(newId)) {
    if (m_working.description().empty())
        m_working.setDescription(newDescription());
}

std::string KSchemeEditor::newDescription() {
    return "Contributie " + Numbers::decimal(Clock::today() / 10000);
}

std::string KSchemeEditor::conditionsText(const KContrPart& part) {
    std::string text;
    for (const KField& condition : part.conditions()) {
        if (!text.empty())
            text += " EN ";
        text += condition.label() + " = " + condition.displayText();
    }
    return text;
}

std::vector<KSchemeEditor::PartRow> KSchemeEditor::partRows() const {
    std::vector<PartRow> rows;
    rows.reserve(m_working.parts().size());
    for (const KContrPart& part : m_working.parts())
        rows.push_back({part.name(), Numbers::fixed2(part.amount()), conditionsText(part), part.id()});
    return rows;
}

std::vector<KSchemeEditor::ConditionRow> KSchemeEditor::conditionRows() const {
    std::vector<ConditionRow> rows;
    if (!m_current)
        return rows;
    for (const KField& condition : m_current->conditions())
        rows.push_back({condition.id(), condition.label() + " = " + condition.displayText()});
    return rows;
}

const KContrPart* KSchemeEditor::partById(std::optional<std::int32_t> id) const {
    if (!id)
        return nullptr;
    return m_working.parts().findFirst([id](const KContrPart& p) { return p.id() == *id; });
}

KSchemeEditor::TypedAmount KSchemeEditor::readAmount(const std::string& amountText, double now,
                                                     bool emptyKeeps) {
    if (amountText == Numbers::fixed2(now))
        return {KResult::done(), now}; // as shown: not rounded to the two decimals it shows
    if (emptyKeeps && amountText.find_first_not_of(" \t") == std::string::npos)
        return {KResult::done(), now};
    const std::optional<double> typed = TypedNumber::read(std::string_view(amountText));
    if (!typed)
        return {KResult::failed(TypedNumber::refusal(CodePage::toQString(amountText))), now};
    return {KResult::done(), *typed};
}

void KSchemeEditor::selectPart(std::optional<std::int32_t> partId) {
    m_current.reset();
    const KContrPart* found = partById(partId);
    if (!found)
        return;
    m_current = std::make_unique<KContrPart>(*found);
    m_current->setId(m_newId());
}

KResult KSchemeEditor::addPart(const std::string& name, const std::string& amountText) {
    const TypedAmount typed = readAmount(amountText, m_current ? m_current->amount() : 0.0, false);
    if (!typed.result.isDone())
        return typed.result;
    if (!m_current)
        m_current = std::make_unique<KContrPart>(std::string(), m_newId(), 0.0);
    m_current->setName(name);
    m_current->setAmount(typed.amount);
    m_working.AddPart(*m_current);
    m_current.reset();
    return KResult::done();
}

KResult KSchemeEditor::changePart(std::optional<std::int32_t> selectedId, const std::string& name,
                                  const std::string& amountText) {
    if (!partById(selectedId))
        return KResult::nothingToDo();
    const TypedAmount typed = readAmount(amountText, m_current ? m_current->amount() : 0.0, false);
    if (!typed.result.isDone())
        return typed.result;
    m_working.RemovePart(*selectedId);
    return addPart(name, amountText);
}

KResult KSchemeEditor::deletePart(std::optional<std::int32_t> selectedId) {
    if (!partById(selectedId))
        return KResult::nothingToDo();
    m_working.RemovePart(*selectedId);
    return KResult::done();
}

void KSchemeEditor::standard() {
    m_working.setDescription(newDescription());
    m_working.setDate(KDateValue(Clock::today()));
    m_working.ClearParts();
    if (m_fields.empty())
        return;
    const KField* memberType = firstWithMeaning(m_fields, FieldMeaning::MemberType);
    const KField* senior = firstWithMeaning(m_fields, FieldMeaning::Senior);
    for (int s = 1; s >= 0; --s) {
        for (const std::string& type : m_memberTypes) {
            for (const StandardPart& standard : kStandard) {
                KContrPart part(standard.name, m_newId(), s ? standard.senior : standard.junior);
                if (standard.own != FieldMeaning::Other) {
                    if (const KField* own = firstWithMeaning(m_fields, standard.own)) {
                        KField condition = *own;
                        condition.setNumber(1);
                        part.AddCondition(condition);
                    }
                }
                if (memberType) {
                    KField condition = *memberType;
                    condition.setText(type);
                    part.AddCondition(condition);
                }
                if (senior) {
                    KField condition = *senior;
                    condition.setNumber(s);
                    part.AddCondition(condition);
                }
                m_working.AddPart(part);
            }
        }
    }
}

bool KSchemeEditor::changed() const {
    if (m_working.description() != m_original.description() ||
        m_working.date() != m_original.date() ||
        m_working.parts().size() != m_original.parts().size())
        return true;
    auto theirs = m_original.parts().begin();
    for (const KContrPart& mine : m_working.parts()) {
        // Same name, amount and conditions; selecting and re-adding a part gives it a new id.
        if (!(mine == *theirs))
            return true;
        ++theirs;
    }
    return false;
}

KSchemeEditor::PartResult KSchemeEditor::partForNewCondition(const std::string& name,
                                                             const std::string& amountText) {
    const TypedAmount typed = readAmount(amountText, m_current ? m_current->amount() : 0.0, true);
    if (!typed.result.isDone())
        return {typed.result};
    if (!m_current)
        m_current = std::make_unique<KContrPart>(std::string(), m_newId(), 0.0);
    m_current->setName(name);
    m_current->setAmount(typed.amount);
    return {KResult::done(), m_current.get()};
}

KSchemeEditor::PartResult KSchemeEditor::partForConditionChange(const std::string& name,
                                                                const std::string& amountText) {
    if (!m_current)
        return {KResult::nothingToDo()};
    return partForNewCondition(name, amountText);
}

KResult KSchemeEditor::deleteCondition(std::int32_t conditionId, const std::string& name,
                                       const std::string& amountText) {
    const PartResult current = partForConditionChange(name, amountText);
    if (current.part) {
        KField byId;
        byId.setId(conditionId);
        current.part->RemoveCondition(byId);
    }
    return current.result;
}
