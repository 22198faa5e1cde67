#pragma once

#include "core/model/KCharge.h"

#include <QString>

#include <set>
#include <string>
#include <vector>

// The charge dialog's work on a copy of one charge: its parts with their amounts, the total, new
// parts and the remarks. Part rows are the scheme's parts in list order, each row naming its
// part by place, so parts of equal name each keep their own amount. A charge may have any number
// of parts.
class KChargeEdit {
public:
    struct PartRow {
        std::string name;
        std::string amountText; // "%1.2f"
    };
    enum class AddResult { Added, NeedName, NeedAmount };

    explicit KChargeEdit(const KCharge& start);

    const KCharge& charge() const { return m_charge; }
    std::string description() const;
    const std::string& remarks() const { return m_charge.text(); }

    // The rows to show now; collect() expects the amounts typed into these rows, in this order.
    const std::vector<PartRow>& partRows() const { return m_rows; }
    // The sum of the amounts as typed, "%1.2f".
    static std::string totalOf(const std::vector<std::string>& amountTexts);
    // The remarks, and each row's amount: a typed amount of 0 or less removes the part, a positive
    // one becomes its amount. An amount left as shown keeps the part as it is (a discount part
    // of a scheme is not lost, nor a third decimal), except that a part added in this dialog
    // with an amount of 0 or less goes. The rows are made anew.
    void collect(const std::string& remarks, const std::vector<std::string>& amountTexts);
    // A new part with the name and the amount read from the text, no conditions and the current
    // time as id; refused without a name or without an amount. Collect first.
    AddResult addPart(const std::string& name, const std::string& amountText);
    // What the dialog says when a part is refused; empty for Added.
    static QString message(AddResult result);

private:
    void makeRows();

    KCharge m_charge;
    std::vector<PartRow> m_rows;
    std::set<const KContrPart*> m_added; // parts added in this dialog
};
