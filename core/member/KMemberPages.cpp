#include "core/member/KMemberPages.h"

#include "core/model/KMember.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace KMemberPages {

std::vector<const KTabDef*> tabsInPageOrder(const KTabList& tabs) {
    std::vector<const KTabDef*> order;
    order.reserve(tabs.size());
    for (const KTabDef& tab : tabs)
        order.push_back(&tab);
    std::stable_sort(order.begin(), order.end(), [](const KTabDef* a, const KTabDef* b) {
        return a->position() < b->position();
    });
    return order;
}

QString windowTitle(const KMember& member, bool adding) {
    if (adding)
        return QString::fromLatin1(addTitle);
    return CodePage::toQString(member.textByMeaning(FieldMeaning::Name));
}

} // namespace KMemberPages
