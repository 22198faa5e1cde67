#include "core/model/DefaultConfiguration.h"

const char* const kDefaultColumnList =
    "Nr.|Naam|Adres|Postcode|Woonplaats|Telefoon|E-mail|Man|Senior|Geboortedatum|Aangemeld|"
    "Bondsnummer|Competitiegerechtigd|Licentie|Soort lid|Schuld|Inschrijfdatum|Diversen|";

namespace {

struct DefaultField {
    const char* label;
    FieldType type;
    FieldMeaning meaning;
};

constexpr DefaultField kPersonal[] = {
    {"Naam", FieldType::Text, FieldMeaning::Name},
    {"Adres", FieldType::Text, FieldMeaning::Address},
    {"Postcode", FieldType::Text, FieldMeaning::PostalCode},
    {"Woonplaats", FieldType::Text, FieldMeaning::City},
    {"Telefoon", FieldType::Text, FieldMeaning::Phone},
    {"Geboortedatum", FieldType::Date, FieldMeaning::BirthDate},
    {"E-mail", FieldType::Text, FieldMeaning::Email},
    {"Man", FieldType::Boolean, FieldMeaning::Male},
    {"Soort lid", FieldType::Text, FieldMeaning::MemberType},
    {"Inschrijfdatum", FieldType::Date, FieldMeaning::RegistrationDate},
    {"Diversen", FieldType::Text, FieldMeaning::Miscellaneous},
};

constexpr DefaultField kFederation[] = {
    {"Bondsnummer", FieldType::Number, FieldMeaning::FederationNumber},
    {"Senior", FieldType::Boolean, FieldMeaning::Senior},
    {"Aangemeld", FieldType::Boolean, FieldMeaning::Registered},
    {"Competitiegerechtigd", FieldType::Boolean, FieldMeaning::CompetitionEligible},
    {"Licentie", FieldType::Text, FieldMeaning::Licence},
};

template <std::size_t N>
void makeTab(const char* name, int position, const DefaultField (&defs)[N], KFieldList& fields,
             KTabList& tabs, KIdCounter& ids) {
    KTabDef& tab = tabs.insert(std::make_unique<KTabDef>(name, position));
    for (const DefaultField& def : defs) {
        const std::int32_t id = ids.handOut();
        fields.insert(std::make_unique<KField>(id, def.type, def.meaning, def.label));
        tab.addFieldId(id);
    }
}

} // namespace

void applyDefaultConfiguration(KFieldList& fields, KTabList& tabs,
                               std::vector<std::string>& memberTypes, KIdCounter& ids) {
    fields.clear();
    tabs.clear();
    makeTab("Persoonlijk", 0, kPersonal, fields, tabs, ids);
    makeTab("NTTB", 1, kFederation, fields, tabs, ids);
    memberTypes = {"Lid", "Donateur", "Erelid"};
}
