#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class CKorvelDoc;
class KContribution;

// Executing a scheme, apart from the edit itself (KEdit::applyScheme): the members as the
// execution dialog lists them, with what the scheme already charged each, and which of them
// its selection buttons select.
namespace KExecution {

struct Row {
    std::int32_t memberId;
    std::string name;   // the member's Name text
    std::string amount; // "%1.2f" of the member's charge of the scheme; empty without one
};

// Every member in list order.
std::vector<Row> rows(const CKorvelDoc& doc, const KContribution& scheme);
// Every member in the order given (the member grid's), then any member the order leaves out,
// in list order; ids of no member are passed over.
std::vector<Row> rows(const CKorvelDoc& doc, const KContribution& scheme,
                      const std::vector<std::int32_t>& order);
// How many of the members have a charge of the scheme already, which executing replaces.
std::size_t chargesReplaced(const CKorvelDoc& doc, std::int32_t schemeId,
                            const std::vector<std::int32_t>& memberIds);
// The question asked before such charges are replaced.
QString replaceQuestion(std::size_t replaced);
// "Selecteer leden zonder bedrag" selects a row exactly when its amount reads as 0: the member
// has no charge of the scheme, or one of 0.00.
bool withoutAmount(const std::string& amount);
std::vector<std::int32_t> membersWithoutAmount(const std::vector<Row>& rows);
std::vector<std::int32_t> allMembers(const std::vector<Row>& rows);

// What the user is told after the execution.
QString totalMessage(double total);

} // namespace KExecution
