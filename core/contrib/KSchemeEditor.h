#pragma once

#include "core/KOutcome.h"
#include "core/model/KContribution.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The scheme dialog without its window: a working copy of the scheme, the part being edited
// (the current part), and the texts of the parts and conditions grids. The dialog reads its
// controls into it, calls one operation and writes its controls back; only OK hands the working
// copy back. Parts made here take a new id from the document each; an id handed out stays
// used, also when the dialog is cancelled.
//
// The amount typed under "Bedrag:" is read as a person types it ("12,50", "1.234,50", "12.50");
// a text that is no number is refused with the Dutch reason, and nothing changes. An amount left
// as the current part shows it keeps its exact value.
class KSchemeEditor {
public:
    using IdSource = std::function<std::int32_t()>;

    // A scheme without a description gets "Contributie " and the current year.
    KSchemeEditor(const KContribution& scheme, const KFieldList& fields,
                  std::vector<std::string> memberTypes, IdSource newId);

    const KContribution& working() const { return m_working; }
    // The document's fields and member types, as the dialog opened.
    const KFieldList& fields() const { return m_fields; }
    const std::vector<std::string>& memberTypes() const { return m_memberTypes; }
    void setDescription(std::string description) { m_working.setDescription(std::move(description)); }
    void setDate(KDateValue date) { m_working.setDate(date); }

    // The part the editing area shows; nullptr when there is none.
    const KContrPart* currentPart() const { return m_current.get(); }

    // One row of the parts grid: name, amount "%1.2f", the conditions joined by " EN ", id.
    struct PartRow {
        std::string name;
        std::string amount;
        std::string conditions;
        std::int32_t id;
    };
    std::vector<PartRow> partRows() const;
    // One row of the conditions grid: the condition's id and "label = value".
    struct ConditionRow {
        std::int32_t id;
        std::string text;
    };
    std::vector<ConditionRow> conditionRows() const;

    // A part was selected in the parts grid (the id of the first selected row, none without a
    // selection): the current part becomes a copy of it under a new id, or none when no part
    // has that id.
    void selectPart(std::optional<std::int32_t> partId);
    // "&Toevoegen": the current part (a new one when there is none) with the name and the
    // amount typed goes into the working copy; there is no current part afterwards. Refused
    // without an amount.
    KResult addPart(const std::string& name, const std::string& amountText);
    // "&Wijzigen": the part selected is taken out and the current part added in its place.
    // NothingToDo, and nothing done, when no part has that id.
    KResult changePart(std::optional<std::int32_t> selectedId, const std::string& name,
                       const std::string& amountText);
    // "&Verwijderen": the part selected is taken out; the current part stays. NothingToDo
    // when no part has that id.
    KResult deletePart(std::optional<std::int32_t> selectedId);
    // "&Standaard": every part is replaced by the standard set, 2 x member types x 3 parts,
    // and the description and date become those of a new scheme of this year.
    void standard();
    // Whether "&Standaard" would replace parts the scheme has, and so should be asked first.
    bool standardReplacesParts() const { return !m_working.parts().empty(); }

    // Whether the working copy differs from the scheme the editor was made on: its
    // description, date, or a part's name, amount or conditions (a part's id aside).
    bool changed() const;

    // The part whose conditions are edited, with what became of the name and amount typed.
    // An empty amount leaves the part's amount as it is, so conditions can come first.
    struct PartResult {
        KResult result;
        KContrPart* part = nullptr; // nullptr unless done
    };
    // The current part, made when there is none, with the name and amount typed: the part a
    // new condition goes into.
    PartResult partForNewCondition(const std::string& name, const std::string& amountText);
    // The current part with the name and amount typed; NothingToDo when there is none, and then
    // nothing changes.
    PartResult partForConditionChange(const std::string& name, const std::string& amountText);
    // Removes the current part's first condition with that id.
    KResult deleteCondition(std::int32_t conditionId, const std::string& name,
                            const std::string& amountText);

    // The conditions of a part as the parts grid shows them: "label = value" joined by " EN ".
    static std::string conditionsText(const KContrPart& part);
    // The description a new scheme gets: "Contributie " and the current year.
    static std::string newDescription();

private:
    // The amount typed for a part that has amount now (0 for a new one); refused when it is no
    // number, or empty unless emptyKeeps.
    struct TypedAmount {
        KResult result;
        double amount = 0.0;
    };
    static TypedAmount readAmount(const std::string& amountText, double now, bool emptyKeeps);
    const KContrPart* partById(std::optional<std::int32_t> id) const;

    KContribution m_original;
    KContribution m_working;
    KFieldList m_fields;
    std::vector<std::string> m_memberTypes;
    IdSource m_newId;
    std::unique_ptr<KContrPart> m_current;
};
