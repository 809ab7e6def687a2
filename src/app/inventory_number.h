// Inventory numbers as whole numbers of up to 30 digits: read, compared and counted on
// as digit strings, so that numbers beyond a double's 15 exact digits stay exact.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::app {

// The digits of the whole number written at the start of the text (leading blanks
// skipped, leading zeros dropped): "  0042 " gives "42"; no digits give "0".
std::string inventoryDigits(std::string_view text);

// Compares two digit strings from inventoryDigits as numbers: <0, 0 or >0.
int compareInventory(const std::string& a, const std::string& b);

// The number after: "41" gives "42", "999" gives "1000".
std::string nextInventory(const std::string& digits);

}  // namespace kavrina::app
