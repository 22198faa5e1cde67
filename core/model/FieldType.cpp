#include "core/model/FieldType.h"

namespace {
constexpr const char* kTypeLabels[kFieldTypeCount] = {"",       "Tekst",  "Datum", "Getal",
                                                      "Hoeveelheid", "Bedrag", "Ja/Nee"};
constexpr const char* kMeaningLabels[kFieldMeaningCount] = {
    "Anders",    "Naam",     "Adres",         "Postcode",  "Woonplaats",
    "E-mail",    "Man",      "Senior",        "Aangemeld", "Competitiegerechtigd",
    "Soort lid", "Licentie", "Telefoon",      "Diversen",  "Bondsnummer",
    "Geboortedatum", "Inschrijfdatum"};
} // namespace

const char* fieldTypeLabel(FieldType type) {
    auto code = static_cast<std::int32_t>(type);
    return code >= 0 && code < kFieldTypeCount ? kTypeLabels[code] : "";
}

const char* fieldMeaningLabel(FieldMeaning meaning) {
    auto code = static_cast<std::int32_t>(meaning);
    return code >= 0 && code < kFieldMeaningCount ? kMeaningLabels[code] : "";
}
