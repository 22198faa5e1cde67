#pragma once

#include "core/model/KField.h"
#include "core/model/KTabDef.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The fields dialog's working copies of the field definitions and the tabs, and what its
// buttons do to them. The dialog hands in what its controls show and shows what comes back;
// nothing reaches the document until the caller replaces the document's lists with fields()
// and tabs().
//
// The list of the dialog shows the fields of one tab, the shown tab. Every action first writes
// the list's order back into that tab, which is how dragging a field reorders its tab. Fields
// that no tab holds (an older file, or a tab removed) are listed under "(geen rubriek)", from
// where they are moved onto a tab, changed or deleted.
class KFieldSetup {
public:
    // A row of the dialog's list: the field's label, and its id as the row's data.
    struct Item {
        std::string label;
        std::int32_t id;
        bool operator==(const Item&) const = default;
    };

    // What the dialog's controls show when a button is pressed.
    struct Controls {
        std::vector<std::int32_t> listIds;     // the list's ids, top to bottom
        std::optional<std::int32_t> selected;  // the id of the selected row
        std::optional<std::string> tab;        // the tab box's selected text
        bool unplaced = false;                 // the tab box shows "(geen rubriek)"
        std::optional<std::string> target;     // the move-target box's selected text
        std::string label;
        FieldType type = FieldType::Text;
        FieldMeaning meaning = FieldMeaning::Other;
    };

    enum class Outcome {
        Done,     // the list shows the tab anew
        Nothing,  // nothing to do; the list stays as it is
        NoTab,    // "Selecteer eerst een tabblad"
        NoLabel,  // "Vul het label in"
    };
    // The message of a refused action; empty for Done and Nothing.
    static QString message(Outcome outcome);

    // Copies of the document's lists, each inserted in the order of the given one. handOutId
    // gives the id of a field added here; it comes from the document, which counts it used
    // whether or not the dialog ends with OK.
    KFieldSetup(const KFieldList& fields, const KTabList& tabs,
                std::function<std::int32_t()> handOutId);

    const KFieldList& fields() const { return m_fields; }
    const KTabList& tabs() const { return m_tabs; }
    const KField* field(std::int32_t id) const;

    // The names of the working tabs, in list order: the items of the tab and move-target boxes.
    std::vector<std::string> tabNames() const;
    // The tab box's last item while fields are on no tab.
    static constexpr const char* unplacedTitle = "(geen rubriek)";
    bool hasUnplaced() const;
    // The place in tabNames() of the tab to select first: the one with the smallest position
    // below 999, the first of equals; else the first tab; -1 without tabs.
    int initialTab() const;

    // Writes the list's order into the shown tab and shows the named tab: its fields, in its
    // order; ids without a field are left out. A name that no tab has shows an empty list.
    std::vector<Item> showTab(const std::vector<std::int32_t>& listIds,
                              const std::optional<std::string>& name);
    // Writes the list's order into the shown tab and shows the fields on no tab, in field order.
    std::vector<Item> showUnplaced(const std::vector<std::int32_t>& listIds);
    // Writes the list's order into the shown tab; the last thing before OK.
    void keepOrder(const std::vector<std::int32_t>& listIds);
    // The tab the list shows, or nullptr.
    const KTabDef* shownTab() const;

    // "<-- Toevoegen": a new field with a new id and its type's default value, at the end of
    // the tab of the tab box.
    Outcome add(const Controls& controls);
    // "<--> Wijzigen": the selected field gets the label, type and meaning of the controls and
    // the default value of its type; it keeps its id, so members keep their values.
    Outcome change(const Controls& controls);
    // "--> Verwijderen", without asking: the selected field goes from the tab and the list (a
    // field on no tab from the list only).
    Outcome remove(const Controls& controls);
    // "==> Verhuis naar rubriek": the selected field goes to the end of the target tab.
    Outcome move(const Controls& controls);
    // After Done: the rows of the tab of the tab box, which the list shows from now on.
    std::vector<Item> items() const { return m_items; }

private:
    KTabDef* firstTabNamed(const std::optional<std::string>& name);
    KTabDef* lastTabNamed(const std::optional<std::string>& name);
    KField* mutableField(std::int32_t id);
    Outcome showAfterAction(const Controls& controls);
    std::vector<Item> unplacedItems() const;

    KFieldList m_fields;
    KTabList m_tabs;
    std::function<std::int32_t()> m_handOutId;
    KTabDef* m_shown = nullptr;
    std::vector<Item> m_items;
};
