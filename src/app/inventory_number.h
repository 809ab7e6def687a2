// Inventory numbers as whole numbers of up to 30 digits, compared as digit strings (read and
// counted on by the register's numberDigits and nextNumber), so that numbers beyond a
// double's 15 exact digits stay exact.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::app {

// Compares two digit strings from reg::numberDigits as numbers: <0, 0 or >0.
int compareInventory(const std::string& a, const std::string& b);

}  // namespace kavrina::app
