#pragma once

#include "core/import/KImportMapping.h"
#include "core/model/KField.h"

#include <QString>

#include <optional>
#include <vector>

class KImportTable;

// What the mapping dialog proposes for a table, and what korvel-cli does without a mapping of
// its own: a column goes into the field whose label its title names, whatever the case, accents,
// spaces and punctuation ("E-mailadres" finds "E-mail", "Geb. datum" finds "Geboortedatum"), and
// the columns of first name, "tussenvoegsel" and surname together make the name.
namespace KImportProposal {

// The text in lower case without accents, spaces and punctuation: "Geb. datum" gives "gebdatum".
QString fold(const QString& text);

// The field a column title names: an equal label before a label that starts with the title (or
// the title with the label), before a label the title abbreviates; nothing when two fields are
// named equally well. The first name, "tussenvoegsel" and surname find the name field.
std::optional<std::int32_t> fieldFor(const QString& title, const KFieldList& fields);

// The place of a part of a name in the name: 0 first name, 1 "tussenvoegsel", 2 surname;
// nothing for a title that names no part of a name.
std::optional<int> namePart(const QString& title);

// Whether the table's first row looks like the columns' titles: one of them names a field, or
// they are all texts over columns that hold a number or a date below them.
bool firstRowHoldsTitles(const KImportTable& table, const KFieldList& fields);

// The title of a column: the text of the first row when it holds titles, else "Kolom 3".
QString columnTitle(const KImportTable& table, int col, bool firstRowTitles);

// The fields the columns' titles name, every other column not imported, and the date order the
// date columns' values leave open the least.
KImportMapping propose(const KImportTable& table, const KFieldList& fields, bool firstRowTitles);

// The order of day, month and year the values of the date columns allow: year first when all
// their dates start with a year, month first when a second number above 12 shows it and no
// first number does, else day first.
DateOrder proposeDateOrder(const KImportTable& table, const KImportMapping& mapping,
                           const KFieldList& fields);

} // namespace KImportProposal
