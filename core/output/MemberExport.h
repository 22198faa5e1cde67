#pragma once

#include "core/KOutcome.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CKorvelDoc;
class KGridSource;
class KMember;
class KOutstanding;
class KProgressReport;

// The export of the member grid to a text file with ";" between the values: the columns the
// user picks, the rows in the grid's order, and optionally what each member still owes per
// contribution part. The file is Windows-1252 text; a value holding ";", a double quote or a
// line break is put in double quotes with its quotes doubled, so that every line keeps its
// columns, and every other value is written exactly as the grid shows it.
namespace MemberExport {

// What the user chose in the export dialog.
struct Choice {
    std::vector<std::string> items; // the list's items, in list order
    std::vector<bool> selected;     // per item
    bool splitParts = false;        // "Schuldonderdelen" ticked
};

// The titles of the grid's visible columns, sorted as the list shows them (letter case aside).
std::vector<std::string> listItems(const KGridSource& grid);
// The first item that reads "Schuld", letter case aside; -1 when there is none.
int balanceItem(const std::vector<std::string>& items);
// Whether "Schuldonderdelen" shows: the "Schuld" item exists and is selected.
bool offersParts(const std::vector<std::string>& items, const std::vector<bool>& selected);

// The names of the contribution parts of the members in the grid's data rows, in the order in
// which they are first met: row by row, each member's charges and their parts in list order.
std::vector<std::string> partNames(const KGridSource& grid, const CKorvelDoc& doc);
// What the member still owes per part name, as the overview of outstanding amounts counts it:
// the payments clear the oldest charges first, each part once, part by part in the part order
// (KOutstanding); what is left of the parts of a name, over all the member's charges, is owed.
// A name the overview does not know is owed nothing.
std::vector<double> outstandingByPart(const KOutstanding& outstanding, const KMember& member,
                                      const std::vector<std::string>& names);

// A value as the file holds it.
std::string fileValue(std::string_view text);
// An amount as the file holds it: "%1.2f", nought never signed.
std::string amountText(double amount);

// The file's text; nullopt when the progress asked to stop.
std::optional<std::string> text(const KGridSource& grid, const CKorvelDoc& doc,
                                const Choice& choice, KProgressReport* progress = nullptr);

// The file the export writes for the name chosen: the name itself, or with ".txt" appended
// when its last part has no extension ("leden" is "leden.txt", "leden.csv" stays).
QString exportPath(const QString& chosen);

// Writes the file in one piece: an existing file is replaced only when the whole text was
// written, and stays as it was on a failure (with the Dutch reason) or a stop.
KResult write(const QString& path, const KGridSource& grid, const CKorvelDoc& doc,
             const Choice& choice, KProgressReport* progress = nullptr);

} // namespace MemberExport
