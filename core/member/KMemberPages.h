#pragma once

#include "core/model/KTabDef.h"

#include <QString>

#include <vector>

class KMember;

// The pages of the member dialog: one per tab, then the financial page.
namespace KMemberPages {

// The last page's title.
inline constexpr const char* financialTitle = "Financieel";
// The dialog's title when a member is added.
inline constexpr const char* addTitle = "Toevoegen nieuw lid";

// Every tab, in the order of the positions the user gave them; tabs of equal position keep
// their list order. Positions that skip a number or repeat one lose no tab.
std::vector<const KTabDef*> tabsInPageOrder(const KTabList& tabs);

// "Toevoegen nieuw lid" for a new member, the member's name for one being changed.
QString windowTitle(const KMember& member, bool adding);

} // namespace KMemberPages
