// Small text helpers used across the program: the stored texts are padded with blanks and
// the names of files, fields and aliases compare in upper case.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::text {

// Without leading and trailing blanks (spaces only, as stored fields are padded).
std::string_view trimBlanks(std::string_view text);
// Without trailing blanks.
std::string_view trimRightBlanks(std::string_view text);
// Whether a spreadsheet opening the text as a cell would take it for a formula: it begins
// with "=", "+", "-", "@", a tab or a carriage return.
bool startsAsFormula(std::string_view text);
// Without leading and trailing white space of any kind (tabs, line ends).
std::string_view trimWhitespace(std::string_view text);
// The ASCII letters in upper case; other bytes as they are.
std::string upper(std::string_view text);

}  // namespace kavrina::text
