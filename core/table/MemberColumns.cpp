#include "core/table/MemberColumns.h"

#include "core/settings/Settings.h"

MemberColumns::MemberColumns(std::string_view columnList, const KFieldList& fields) {
    for (std::string& item : split(columnList)) {
        std::int32_t code = kNoField;
        if (item == "Nr.") {
            code = kRunningNumber;
        } else if (item == "Schuld") {
            code = kBalance;
        } else {
            for (const KField& field : fields)
                if (field.label() == item) {
                    code = field.id();
                    break;
                }
        }
        m_columns.push_back({std::move(item), code});
    }
}

std::vector<std::string> MemberColumns::split(std::string_view columnList) {
    std::vector<std::string> items;
    std::size_t from = 0;
    while (from < columnList.size()) {
        const std::size_t bar = columnList.find('|', from);
        if (bar == std::string_view::npos) {
            items.emplace_back(columnList.substr(from));
            break;
        }
        items.emplace_back(columnList.substr(from, bar - from));
        from = bar + 1;
    }
    return items;
}

std::string MemberColumns::profileValue() {
    return Settings::columns();
}
