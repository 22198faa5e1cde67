#include "core/contrib/KExecution.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"

namespace KExecution {

std::vector<Row> rows(const CKorvelDoc& doc, const KContribution& scheme) {
    std::vector<Row> out;
    out.reserve(doc.members().size());
    const std::int32_t id = scheme.id();
    for (const KMember& member : doc.members()) {
        Row row{member.id(), member.textByMeaning(FieldMeaning::Name), {}};
        const KCharge* charge = member.charges().findFirst(
            [id](const KCharge& c) { return c.scheme() && c.scheme()->id() == id; });
        if (charge)
            row.amount = Numbers::fixed2(charge->total());
        out.push_back(std::move(row));
    }
    return out;
}

bool withoutAmount(const std::string& amount) {
    return Numbers::leadingReal(amount) == 0.0;
}

std::vector<std::int32_t> membersWithoutAmount(const std::vector<Row>& rows) {
    std::vector<std::int32_t> ids;
    for (const Row& row : rows)
        if (withoutAmount(row.amount))
            ids.push_back(row.memberId);
    return ids;
}

std::vector<std::int32_t> allMembers(const std::vector<Row>& rows) {
    std::vector<std::int32_t> ids;
    ids.reserve(rows.size());
    for (const Row& row : rows)
        ids.push_back(row.memberId);
    return ids;
}

QString totalMessage(double total) {
    return QStringLiteral("Er is een totaal van %1 aan contributies uitgeschreven.")
        .arg(QString::fromStdString(Numbers::fixed2(total)));
}

} // namespace KExecution
