#include "core/config/KColumnChoice.h"

#include "core/table/MemberColumns.h"
#include "platform/CodePage.h"

#include <QString>

namespace {

const char* const kRunningNumber = "Nr.";
const char* const kBalance = "Schuld";

// Alphabetical as people read it: case and accents aside first, then the exact text.
bool sortsBefore(const QString& a, const QString& b) {
    const int c = QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded());
    if (c != 0)
        return c < 0;
    return a < b;
}

} // namespace

KColumnChoice KColumnChoice::fromColumnList(std::string_view columnList,
                                            const KFieldList& fields) {
    KColumnChoice choice;
    choice.shown = MemberColumns::split(columnList);
    auto offer = [&](const std::string& item) {
        if (columnList.find(item) == std::string_view::npos)
            choice.notShown.insert(choice.notShown.begin() +
                                       static_cast<std::ptrdiff_t>(sortedPlace(choice.notShown, item)),
                                   item);
    };
    for (const KField& field : fields)
        offer(field.label());
    offer(kRunningNumber);
    offer(kBalance);
    return choice;
}

std::string KColumnChoice::columnList(const std::vector<std::string>& shown) {
    std::string list;
    for (const std::string& item : shown) {
        list += item;
        list += '|';
    }
    return list;
}

std::size_t KColumnChoice::sortedPlace(const std::vector<std::string>& list,
                                       const std::string& item) {
    const QString text = CodePage::toQString(item);
    std::size_t place = 0;
    while (place < list.size() && !sortsBefore(text, CodePage::toQString(list[place])))
        ++place;
    return place;
}

std::string KColumnChoice::afterFieldChanges(const std::string& columnList,
                                             const KFieldList& before, const KFieldList& after) {
    std::vector<std::string> items = MemberColumns::split(columnList);
    std::vector<std::string> kept;
    bool changed = false;
    for (std::string& item : items) {
        const auto named = [&item](const KField& f) { return f.label() == item; };
        // The grid finds a column's field by its label, the first in field order.
        const KField* old = before.findFirst(named);
        if (item == kRunningNumber || item == kBalance || !old || after.findFirst(named)) {
            kept.push_back(std::move(item));
            continue;
        }
        changed = true;
        const std::int32_t id = old->id();
        if (const KField* now = after.findFirst([id](const KField& f) { return f.id() == id; }))
            kept.push_back(now->label());
    }
    return changed ? KColumnChoice::columnList(kept) : columnList;
}
