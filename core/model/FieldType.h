#pragma once

#include <cstdint>

// Stored as whole numbers in the member file; codes outside the enumerators can occur in a file
// and are kept as they are.
enum class FieldType : std::int32_t {
    None = 0,
    Text = 1,
    Date = 2,
    Number = 3,
    Quantity = 4,
    Amount = 5,
    Boolean = 6,
};

// Which field plays a role the program relies on (the member's name, the "Senior" flag, ...).
enum class FieldMeaning : std::int32_t {
    Other = 0,
    Name = 1,
    Address = 2,
    PostalCode = 3,
    City = 4,
    Email = 5,
    Male = 6,
    Senior = 7,
    Registered = 8,
    CompetitionEligible = 9,
    MemberType = 10,
    Licence = 11,
    Phone = 12,
    Miscellaneous = 13,
    FederationNumber = 14,
    BirthDate = 15,
    RegistrationDate = 16,
};

constexpr int kFieldTypeCount = 7;
constexpr int kFieldMeaningCount = 17;

// The labels the user sees ("Tekst", "Naam", ...); empty for codes outside the lists.
const char* fieldTypeLabel(FieldType type);
const char* fieldMeaningLabel(FieldMeaning meaning);
