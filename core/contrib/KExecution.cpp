#include "core/contrib/KExecution.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"

#include <unordered_set>

namespace KExecution {

namespace {

Row rowOf(const KMember& member, std::int32_t schemeId) {
    Row row{member.id(), member.textByMeaning(FieldMeaning::Name), {}};
    const KCharge* charge = member.charges().findFirst(
        [schemeId](const KCharge& c) { return c.scheme() && c.scheme()->id() == schemeId; });
    if (charge)
        row.amount = Numbers::fixed2(charge->total());
    return row;
}

} // namespace

std::vector<Row> rows(const CKorvelDoc& doc, const KContribution& scheme) {
    return rows(doc, scheme, {});
}

std::vector<Row> rows(const CKorvelDoc& doc, const KContribution& scheme,
                      const std::vector<std::int32_t>& order) {
    std::vector<Row> out;
    out.reserve(doc.members().size());
    std::unordered_set<std::int32_t> listed;
    listed.reserve(order.size());
    for (std::int32_t id : order) {
        const KMember* member = doc.findMember(id);
        if (member && listed.insert(id).second)
            out.push_back(rowOf(*member, scheme.id()));
    }
    for (const KMember& member : doc.members())
        if (!listed.count(member.id()))
            out.push_back(rowOf(member, scheme.id()));
    return out;
}

std::size_t chargesReplaced(const CKorvelDoc& doc, std::int32_t schemeId,
                            const std::vector<std::int32_t>& memberIds) {
    std::size_t count = 0;
    for (std::int32_t id : memberIds)
        if (const KMember* member = doc.findMember(id); member && member->hasChargeForScheme(schemeId))
            ++count;
    return count;
}

QString replaceQuestion(std::size_t replaced) {
    if (replaced == 1)
        return QStringLiteral("Eén van de gekozen leden heeft al een bedrag van deze contributie. "
                              "Dat bedrag wordt vervangen, ook wat er met de hand in is "
                              "gewijzigd.\n\nWilt u doorgaan?");
    return QStringLiteral("%1 van de gekozen leden hebben al een bedrag van deze contributie. "
                          "Die %1 bedragen worden vervangen, ook wat er met de hand in is "
                          "gewijzigd.\n\nWilt u doorgaan?")
        .arg(replaced);
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
