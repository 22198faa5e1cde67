#include "core/import/KImportRun.h"

#include "core/KProgressReport.h"
#include "core/document/CKorvelDoc.h"
#include "core/import/KImportProposal.h"
#include "core/import/KImportTable.h"
#include "core/import/KImportValues.h"
#include "platform/CodePage.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace {

// New fields carry these ids until the run hands out real ones, when nothing can stop it any
// more: a stopped import hands out none.
std::int32_t placeholderId(std::int32_t index) {
    return -1000 - index;
}

// Whether the code page lacks a character of the text.
bool needsReplacing(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80 && !CodePage::holds(c.unicode()))
            return true;
    return false;
}

QString quotedValue(const KImportCell& cell) {
    return QStringLiteral("\"%1\"").arg(cell.shownText().trimmed());
}

std::int32_t federationNumberOf(const KField* value) {
    if (!value)
        return 0;
    if (value->type() == FieldType::Number)
        return value->number();
    if (value->type() == FieldType::Text) {
        const std::optional<std::int32_t> n =
            KImportValues::whole(KImportCell::ofText(CodePage::toQString(value->text())));
        return n.value_or(0);
    }
    return 0;
}

} // namespace

// Members by the keys that find them again: those of the administration, and those the import
// adds as it goes.
class KImportRun::Index {
public:
    struct Hit {
        bool found = false;
        bool existing = false;
        std::int32_t id = 0;    // existing
        std::size_t added = 0;  // new: the place among the added members
        bool byFederation = false;
    };

    Index(bool byBirth, bool byFederation, std::size_t expected)
        : m_byBirth(byBirth), m_useFederation(byFederation) {
        if (byBirth)
            m_name.reserve(expected);
        if (byFederation)
            m_federation.reserve(expected);
    }

    void add(const Keys& keys, Hit hit) {
        hit.found = true;
        if (m_useFederation && keys.federation != 0)
            m_federation.emplace(keys.federation, hit);
        if (m_byBirth && !keys.name.empty())
            m_name.emplace(nameBirth(keys), hit);
    }

    Hit find(const Keys& keys) const {
        if (m_useFederation && keys.federation != 0) {
            const auto it = m_federation.find(keys.federation);
            if (it != m_federation.end()) {
                Hit hit = it->second;
                hit.byFederation = true;
                return hit;
            }
        }
        if (m_byBirth && !keys.name.empty()) {
            const auto it = m_name.find(nameBirth(keys));
            if (it != m_name.end())
                return it->second;
        }
        return {};
    }

private:
    static std::string nameBirth(const Keys& keys) {
        return keys.name + '\x01' + std::to_string(keys.birthDate);
    }

    bool m_byBirth;
    bool m_useFederation;
    std::unordered_map<std::string, Hit> m_name;
    std::unordered_map<std::int32_t, Hit> m_federation;
};

KImportRun::KImportRun(const CKorvelDoc& doc, const KImportTable& table, KImportMapping mapping)
    : m_doc(doc), m_table(table), m_mapping(std::move(mapping)) {
    m_mapping.columns.resize(static_cast<std::size_t>(table.columnCount()));
    for (int col = 0; col < table.columnCount(); ++col)
        m_titles.append(KImportProposal::columnTitle(table, col, m_mapping.firstRowTitles));
    makeSlots();
    findNewTypes();
}

void KImportRun::findNewTypes() {
    if (m_typeSlot < 0)
        return;
    const Slot& slot = m_slots[static_cast<std::size_t>(m_typeSlot)];
    std::map<QString, bool> known;
    for (const std::string& type : m_doc.memberTypes())
        known[KImportProposal::fold(CodePage::toQString(type))] = true;
    for (int row = firstDataRow(); row < m_table.rowCount(); ++row) {
        const std::string text = CodePage::fromQStringNearest(cellOf(slot, row).shownText());
        if (text.empty())
            continue;
        const QString folded = KImportProposal::fold(CodePage::toQString(text));
        if (!known.count(folded))
            m_newTypes.emplace(folded, text);
    }
}

void KImportRun::makeSlots() {
    using Kind = KImportMapping::Target::Kind;
    const KFieldList& fields = m_doc.fields();
    auto fieldOf = [&fields](std::int32_t id) {
        return fields.findFirst([id](const KField& f) { return f.id() == id; });
    };
    for (std::size_t col = 0; col < m_mapping.columns.size(); ++col) {
        const KImportMapping::Target& target = m_mapping.columns[col];
        if (target.kind == Kind::NewTextField) {
            Slot slot;
            slot.isNew = true;
            slot.fieldId = static_cast<std::int32_t>(m_newLabels.size());
            slot.columns = {static_cast<int>(col)};
            m_newLabels.push_back(CodePage::fromQStringNearest(m_titles.at(static_cast<int>(col))));
            m_slots.push_back(std::move(slot));
            continue;
        }
        if (target.kind != Kind::Field)
            continue;
        const KField* field = fieldOf(target.fieldId);
        if (!field)
            continue;
        auto it = std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot& s) {
            return !s.isNew && s.fieldId == target.fieldId;
        });
        if (it == m_slots.end()) {
            Slot slot;
            slot.fieldId = field->id();
            slot.type = field->type();
            slot.meaning = field->meaning();
            m_slots.push_back(std::move(slot));
            it = m_slots.end() - 1;
        }
        it->columns.push_back(static_cast<int>(col));
    }

    for (Slot& slot : m_slots) {
        if (slot.isNew)
            continue;
        const auto given = std::find_if(m_mapping.joinOrder.begin(), m_mapping.joinOrder.end(),
                                        [&](const auto& entry) { return entry.first == slot.fieldId; });
        if (given != m_mapping.joinOrder.end()) {
            slot.columns = given->second;
            continue;
        }
        // First name, "tussenvoegsel" and surname join in that order, wherever they stand.
        const bool nameParts =
            slot.columns.size() > 1 &&
            std::all_of(slot.columns.begin(), slot.columns.end(), [this](int col) {
                return KImportProposal::namePart(m_titles.at(col)).has_value();
            });
        if (nameParts)
            std::stable_sort(slot.columns.begin(), slot.columns.end(), [this](int a, int b) {
                return *KImportProposal::namePart(m_titles.at(a)) <
                       *KImportProposal::namePart(m_titles.at(b));
            });
    }

    auto slotOfMeaning = [&](FieldMeaning meaning, FieldType type) {
        const KField* field = fields.findFirst([&](const KField& f) {
            return f.meaning() == meaning && (type == FieldType::None || f.type() == type);
        });
        if (!field)
            return -1;
        for (std::size_t i = 0; i < m_slots.size(); ++i)
            if (!m_slots[i].isNew && m_slots[i].fieldId == field->id())
                return static_cast<int>(i);
        return -1;
    };
    m_nameSlot = slotOfMeaning(FieldMeaning::Name, FieldType::None);
    m_birthSlot = slotOfMeaning(FieldMeaning::BirthDate, FieldType::Date);
    m_federationSlot = slotOfMeaning(FieldMeaning::FederationNumber, FieldType::None);
    m_typeSlot = slotOfMeaning(FieldMeaning::MemberType, FieldType::Text);
}

KResult KImportRun::check() const {
    if (m_slots.empty())
        return KResult::failed(
            QStringLiteral("Er wordt geen enkele kolom ingelezen. Kies bij een kolom het veld "
                           "waar zij in komt."));
    return KResult::done();
}

KImportCell KImportRun::cellOf(const Slot& slot, int row) const {
    if (slot.columns.size() == 1)
        return m_table.cell(row, slot.columns.front());
    QStringList parts;
    for (int col : slot.columns) {
        const QString part = m_table.cell(row, col).shownText().trimmed();
        if (!part.isEmpty())
            parts.append(part);
    }
    return KImportCell::ofText(parts.join(u' '));
}

std::string KImportRun::memberTypeOf(const std::string& text) const {
    if (text.empty())
        return text;
    const std::vector<std::string>& types = m_doc.memberTypes();
    if (std::find(types.begin(), types.end(), text) != types.end())
        return text;
    const QString folded = KImportProposal::fold(CodePage::toQString(text));
    for (const std::string& type : types)
        if (KImportProposal::fold(CodePage::toQString(type)) == folded)
            return type;
    // A new type is spelled as its first row spells it.
    const auto spelled = m_newTypes.find(folded);
    const std::string& type = spelled == m_newTypes.end() ? text : spelled->second;
    const auto mapped = m_typeMap.find(type);
    return mapped == m_typeMap.end() ? type : mapped->second;
}

bool KImportRun::readInto(const Slot& slot, const KImportCell& cell, KField& value,
                          QString& why) const {
    auto refuse = [&](const char* what) {
        QStringList titles;
        for (int col : slot.columns)
            titles.append(m_titles.at(col));
        why = QStringLiteral("%1 in kolom %2 is %3.")
                  .arg(quotedValue(cell), titles.join(u'+'), QLatin1String(what));
        return false;
    };
    switch (slot.isNew ? FieldType::Text : slot.type) {
    case FieldType::Text: {
        std::string text = CodePage::fromQStringNearest(cell.shownText());
        if (slot.meaning == FieldMeaning::MemberType && !slot.isNew)
            text = memberTypeOf(text);
        value.setText(std::move(text));
        return true;
    }
    case FieldType::Date:
        if (const auto date = KImportValues::date(cell, m_mapping.dateOrder)) {
            value.setDate(*date);
            return true;
        }
        return refuse("geen datum");
    case FieldType::Number:
        if (const auto n = KImportValues::whole(cell)) {
            value.setNumber(*n);
            return true;
        }
        return refuse("geen geheel getal");
    case FieldType::Quantity:
    case FieldType::Amount:
        if (const auto r = KImportValues::real(cell)) {
            value.setReal(*r);
            return true;
        }
        return refuse(slot.type == FieldType::Amount ? "geen bedrag" : "geen aantal");
    case FieldType::Boolean:
        if (const auto yes = KImportValues::yesNo(cell)) {
            value.setNumber(*yes ? 1 : 0);
            return true;
        }
        return refuse("geen ja of nee");
    default:
        return true; // a field without a type holds no value
    }
}

std::string KImportRun::nameKey(const std::string& name) {
    return CodePage::fromQString(CodePage::toQString(name).simplified().toLower());
}

KImportRun::Keys KImportRun::keysOf(int row) const {
    Keys keys;
    auto read = [&](int slotIndex, KField& value) {
        if (slotIndex < 0)
            return false;
        const Slot& slot = m_slots[static_cast<std::size_t>(slotIndex)];
        QString why;
        return readInto(slot, cellOf(slot, row), value, why);
    };
    KField name(0, m_nameSlot >= 0 ? m_slots[static_cast<std::size_t>(m_nameSlot)].type
                                   : FieldType::Text,
                FieldMeaning::Name, {});
    if (read(m_nameSlot, name))
        keys.name = nameKey(name.displayText());
    KField birth(0, FieldType::Date, FieldMeaning::BirthDate, {});
    if (read(m_birthSlot, birth))
        keys.birthDate = birth.date().value();
    if (m_federationSlot >= 0) {
        KField federation(0, m_slots[static_cast<std::size_t>(m_federationSlot)].type,
                          FieldMeaning::FederationNumber, {});
        if (read(m_federationSlot, federation))
            keys.federation = federationNumberOf(&federation);
    }
    return keys;
}

std::vector<std::string> KImportRun::unknownMemberTypes() const {
    std::vector<std::string> unknown;
    if (m_typeSlot < 0)
        return unknown;
    // In the order the rows first name them.
    const Slot& slot = m_slots[static_cast<std::size_t>(m_typeSlot)];
    std::map<QString, bool> seen;
    for (int row = firstDataRow(); row < m_table.rowCount(); ++row) {
        const std::string text = CodePage::fromQStringNearest(cellOf(slot, row).shownText());
        const auto it = m_newTypes.find(KImportProposal::fold(CodePage::toQString(text)));
        if (!text.empty() && it != m_newTypes.end() && !seen[it->first]) {
            seen[it->first] = true;
            unknown.push_back(it->second);
        }
    }
    return unknown;
}

void KImportRun::mapMemberType(const std::string& unknown, const std::string& existing) {
    m_typeMap[unknown] = existing;
}

std::size_t KImportRun::duplicateCount() const {
    Index index(m_birthSlot >= 0, m_federationSlot >= 0,
                m_doc.members().size() + static_cast<std::size_t>(m_table.rowCount()));
    for (const KMember& m : m_doc.members())
        index.add({nameKey(m.name()), m.dateByMeaning(FieldMeaning::BirthDate).value(),
                   federationNumberOf(m.valueByMeaning(FieldMeaning::FederationNumber))},
                  {true, true, m.id(), 0, false});
    std::size_t count = 0;
    for (int row = firstDataRow(); row < m_table.rowCount(); ++row) {
        const Keys keys = keysOf(row);
        if (index.find(keys).found)
            ++count;
        else
            index.add(keys, {});
    }
    return count;
}

KResult KImportRun::build(const std::function<std::int32_t()>& handOutId, KImportChanges& changes,
                          KImportReport& report, KProgressReport* progress) const {
    changes = KImportChanges();
    report = KImportReport();
    for (int col = 0; col < static_cast<int>(m_mapping.columns.size()); ++col)
        if (m_mapping.columns[static_cast<std::size_t>(col)].kind ==
            KImportMapping::Target::Kind::Skip)
            report.unmapped.append(m_titles.at(col));

    KFieldList fields = m_doc.fields();
    for (std::size_t i = 0; i < m_newLabels.size(); ++i) {
        KField def(placeholderId(static_cast<std::int32_t>(i)), FieldType::Text,
                   FieldMeaning::Other, m_newLabels[i]);
        fields.insert(def);
        changes.fields.push_back({def, m_mapping.newFieldTab});
        report.newFields.append(CodePage::toQString(m_newLabels[i]));
    }
    auto valueId = [](const Slot& slot) {
        return slot.isNew ? placeholderId(slot.fieldId) : slot.fieldId;
    };

    Index index(m_birthSlot >= 0, m_federationSlot >= 0,
                m_duplicates == KDuplicates::Add
                    ? 0
                    : m_doc.members().size() + static_cast<std::size_t>(m_table.rowCount()));
    if (m_duplicates != KDuplicates::Add)
        for (const KMember& m : m_doc.members())
            index.add({nameKey(m.name()), m.dateByMeaning(FieldMeaning::BirthDate).value(),
                       federationNumberOf(m.valueByMeaning(FieldMeaning::FederationNumber))},
                      {true, true, m.id(), 0, false});
    std::unordered_map<std::int32_t, std::size_t> updatedAt;
    auto contentsOf = [&](std::int32_t id) -> KMember& {
        const auto it = updatedAt.find(id);
        if (it != updatedAt.end())
            return changes.updated[it->second].second;
        KMember contents = *m_doc.findMember(id);
        if (!contents.values().empty())
            for (const auto& field : changes.fields)
                contents.values().insert(field.definition);
        updatedAt.emplace(id, changes.updated.size());
        changes.updated.emplace_back(id, std::move(contents));
        return changes.updated.back().second;
    };

    // A new member takes every field's default, as one added by hand does, but a date field
    // the table does not fill stays empty: the default date (the day the field was made) is no
    // member's birth or registration date, and nobody sees it before it is stored.
    std::vector<std::int32_t> emptyDates;
    for (const KField& field : fields)
        if (field.type() == FieldType::Date &&
            std::none_of(m_slots.begin(), m_slots.end(), [&](const Slot& slot) {
                return !slot.isNew && slot.fieldId == field.id();
            }))
            emptyDates.push_back(field.id());

    const int rows = m_table.rowCount();
    if (progress)
        progress->start(QStringLiteral("Leden worden ingelezen"), rows);
    std::vector<bool> filled(m_slots.size());
    // The texts of the row whose characters were replaced; told only for a row that is stored.
    std::vector<KImportReport::Replaced> replacements;
    auto tellReplacements = [&] {
        report.replaced.insert(report.replaced.end(), replacements.begin(), replacements.end());
    };
    for (int row = firstDataRow(); row < rows; ++row) {
        if (progress && row % 1000 == 0 && !progress->advance(row)) {
            progress->finish();
            changes = KImportChanges();
            report = KImportReport();
            return KResult::stopped();
        }
        const int number = m_table.sourceRow(row);
        auto member = std::make_unique<KMember>(fields);
        for (std::int32_t id : emptyDates)
            if (KField* value = member->valueById(id))
                value->setDate(KDateValue(0));
        replacements.clear();
        QString why;
        bool readable = true;
        for (std::size_t s = 0; s < m_slots.size() && readable; ++s) {
            const Slot& slot = m_slots[s];
            const KImportCell cell = cellOf(slot, row);
            filled[s] = !cell.isBlank();
            KField* value = member->valueById(valueId(slot));
            if (!value)
                continue;
            readable = readInto(slot, cell, *value, why);
            if (readable && (slot.isNew || slot.type == FieldType::Text)) {
                for (int col : slot.columns) {
                    const QString text = m_table.cell(row, col).shownText();
                    if (!needsReplacing(text))
                        continue;
                    const std::string stored = CodePage::fromQStringNearest(text);
                    replacements.push_back(
                        {number, m_titles.at(col), text, CodePage::toQString(stored)});
                }
            }
        }
        if (!readable) {
            report.skipped.push_back({number, KImportReport::Reason::Unreadable, why});
            continue;
        }

        Keys keys;
        keys.name = nameKey(member->name());
        if (m_birthSlot >= 0)
            keys.birthDate = member->dateByMeaning(FieldMeaning::BirthDate).value();
        if (m_federationSlot >= 0)
            keys.federation =
                federationNumberOf(member->valueByMeaning(FieldMeaning::FederationNumber));
        const Index::Hit hit =
            m_duplicates == KDuplicates::Add ? Index::Hit() : index.find(keys);
        if (hit.found && m_duplicates == KDuplicates::Skip) {
            report.skipped.push_back(
                {number, KImportReport::Reason::Duplicate,
                 hit.byFederation ? QStringLiteral("een lid met hetzelfde bondsnummer is er al.")
                                  : QStringLiteral("een lid met dezelfde naam en geboortedatum "
                                                   "is er al.")});
            continue;
        }
        if (hit.found) {
            KMember& target = hit.existing ? contentsOf(hit.id) : *changes.added[hit.added];
            for (std::size_t s = 0; s < m_slots.size(); ++s) {
                if (!filled[s])
                    continue;
                const std::int32_t id = valueId(m_slots[s]);
                KField* to = target.valueById(id);
                const KField* from = member->valueById(id);
                if (to && from)
                    *to = *from;
            }
            ++report.updated;
            tellReplacements();
            continue;
        }
        if (CodePage::toQString(member->name()).trimmed().isEmpty()) {
            report.skipped.push_back(
                {number, KImportReport::Reason::Empty, QStringLiteral("de rij heeft geen naam.")});
            continue;
        }
        index.add(keys, {true, false, 0, changes.added.size(), false});
        changes.added.push_back(std::move(member));
        ++report.added;
        tellReplacements();
    }
    if (progress)
        progress->finish();

    // Nothing can stop the run now: the real ids.
    for (std::size_t i = 0; i < changes.fields.size(); ++i) {
        const std::int32_t id = handOutId();
        const std::int32_t placeholder = placeholderId(static_cast<std::int32_t>(i));
        changes.fields[i].definition.setId(id);
        for (auto& member : changes.added)
            if (KField* value = member->valueById(placeholder))
                value->setId(id);
        for (auto& [memberId, contents] : changes.updated)
            if (KField* value = contents.valueById(placeholder))
                value->setId(id);
    }
    for (auto& member : changes.added)
        member->setId(handOutId());

    if (m_typeSlot >= 0) {
        const std::vector<std::string>& types = m_doc.memberTypes();
        auto note = [&](const std::string& type) {
            if (type.empty() || std::find(types.begin(), types.end(), type) != types.end() ||
                std::find(changes.memberTypes.begin(), changes.memberTypes.end(), type) !=
                    changes.memberTypes.end())
                return;
            changes.memberTypes.push_back(type);
            report.newMemberTypes.append(CodePage::toQString(type));
        };
        for (const auto& member : changes.added)
            note(member->textByMeaning(FieldMeaning::MemberType));
        for (const auto& [id, contents] : changes.updated)
            note(contents.textByMeaning(FieldMeaning::MemberType));
    }
    return KResult::done();
}
