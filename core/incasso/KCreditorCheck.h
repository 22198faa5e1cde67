#pragma once

#include "core/settings/IncassoSettings.h"

#include <QString>

// The club's own data as creditor: what must be right before a bank takes a file of it.
namespace KCreditorCheck {

inline constexpr int kNameLength = 70;

// Why the creditor data cannot be used, in Dutch; empty when they can. With complete false
// (the settings page), what is empty is no problem: a club that does not collect leaves it so;
// what is filled in must be right. With complete true (making a file) the name, the IBAN and
// the Incassant-ID must be there.
QString problem(const IncassoSettings& settings, bool complete);

} // namespace KCreditorCheck
