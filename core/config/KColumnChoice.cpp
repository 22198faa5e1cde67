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
