#pragma once

#include "core/edit/KImportChanges.h"
#include "core/model/KContribution.h"
#include "core/model/KMember.h"
#include "core/model/KTabDef.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CKorvelDoc;
class KProgressReport;

// The one way to change the administration. Each call is one step on the document's undo
// stack: it changes the document, which is then modified, and tells the document's listeners
// what changed. Records come in as copies; the document keeps its own. Ids are handed out by
// the caller beforehand (CKorvelDoc::handOutId), so undoing a step gives back exactly the file
// the document would have saved before it.
namespace KEdit {

// Adds a member that has its id already, in name order.
void addMember(CKorvelDoc& doc, const KMember& member);
// Gives the member with that id the values, charges and payments of contents; it keeps its id
// and its place. False, and nothing done, when no member has that id.
bool replaceMember(CKorvelDoc& doc, std::int32_t id, const KMember& contents);
// Gives each member listed the values, charges and payments of its contents, all in one step
// whose undo text is text ("betalingen boeken"). A member may be listed once; ids without a
// member are passed over. Returns how many members were changed; no step when none.
std::size_t replaceMembers(CKorvelDoc& doc, const QString& text,
                           std::vector<std::pair<std::int32_t, KMember>> contents);
// Removes the first member of each id; ids without a member are passed over. Returns how many
// members were removed.
std::size_t deleteMembers(CKorvelDoc& doc, std::vector<std::int32_t> ids);

// An import in one step ("leden importeren"): adds the text fields (each with a default value
// in every member) and member types, fills in the members listed as updated and adds the new
// members, in name order as adding them one by one would. Updates of ids without a member are
// passed over. False, and no step, when nothing is left to do.
bool importMembers(CKorvelDoc& doc, KImportChanges changes);

// Adds a new scheme, in scheme order.
void addScheme(CKorvelDoc& doc, const KContribution& scheme);
// Gives the scheme with that id the description, date and parts of contents; it keeps its
// place. Carried through, every member is charged again by the changed scheme. False, and
// nothing done, when no scheme has that id.
bool replaceScheme(CKorvelDoc& doc, std::int32_t id, const KContribution& contents,
                   bool carryThrough);
// Deletes the scheme with that id, and with removeCharges each member's first charge of it.
bool deleteScheme(CKorvelDoc& doc, std::int32_t id, bool removeCharges);
// Executes the scheme with that id for the members, in the order given: each is charged with
// the parts it meets, replacing its earlier charge of the scheme. Returns the total of the new
// charges that are their member's latest; nothing when the scheme is unknown or the user
// stopped the work (nothing changed then).
std::optional<double> applyScheme(CKorvelDoc& doc, std::int32_t schemeId,
                                  std::vector<std::int32_t> memberIds,
                                  KProgressReport* progress = nullptr);

// Replaces the fields and tabs (copies, in their order) and brings every member's values in
// step with the new fields.
void replaceFields(CKorvelDoc& doc, const KFieldList& fields, const KTabList& tabs);
// Replaces the tabs by copies of the given ones, in the given order (which is tab order when
// the list was changed in place).
void replaceTabs(CKorvelDoc& doc, const KTabList& tabs);
// Replaces the member types; each member listed gets the member-type text given.
void replaceMemberTypes(CKorvelDoc& doc, std::vector<std::string> memberTypes,
                        std::vector<std::pair<std::int32_t, std::string>> memberTexts = {});

} // namespace KEdit
