#pragma once

#include "core/KOutcome.h"
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
    enum class AddResult { Added, NeedName, NeedAmount, NoAmount };
    // How collecting the rows ended: Failed, with the Dutch reason and the row whose amount
    // does not read, when a typed amount is no number; nothing was taken then.
    struct Collected {
        KResult result;
        int row = -1;
    };

    explicit KChargeEdit(const KCharge& start);

    const KCharge& charge() const { return m_charge; }
    std::string description() const;
    const std::string& remarks() const { return m_charge.text(); }

    // The rows to show now; collect() expects the amounts typed into these rows, in this order.
    const std::vector<PartRow>& partRows() const { return m_rows; }
    // The sum of the amounts as typed, "%1.2f"; a text that is no amount counts nothing.
    static std::string totalOf(const std::vector<std::string>& amountTexts);
    // The remarks, and each row's amount as a person types it ("12,50", "12.50", "-5"): an
    // amount typed as 0 removes the part, any other becomes its amount, a negative one (a
    // discount) included. An amount left as shown keeps the part as it is (nor is a third
    // decimal lost), except that a part added in this dialog with an amount of 0 goes. The rows
    // are made anew. A typed text that is no amount takes nothing at all and says which row.
    Collected collect(const std::string& remarks, const std::vector<std::string>& amountTexts);
    // A new part with the name and the amount read from the text, no conditions and the current
    // time as id; refused without a name, without an amount, or with an amount that is no
    // number. Collect first.
    AddResult addPart(const std::string& name, const std::string& amountText);
    // What the dialog says when a part is refused; empty for Added. The amount typed is named
    // when it is no number.
    static QString message(AddResult result, const std::string& amountText = {});

private:
    void makeRows();

    KCharge m_charge;
    std::vector<PartRow> m_rows;
    // The ids of the parts added in this dialog (the time they were added: never a scheme's).
    std::set<std::int32_t> m_added;
};
