#pragma once

#include <string>

// Money and quantity texts in the user's locale (QLocale()), in code-page bytes.
// digits < 0 uses the locale's own currency format unchanged.
std::string AmountText(double value, int digits);
std::string QuantityText(double value);
