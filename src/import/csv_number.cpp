// Reading the shape of a number written with grouping and a decimal mark.
#include "import/csv_number.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "import/csv_records.h"

namespace kavrina::import {
namespace {

// Every group after the first (from..to) has three digits, the first one to three, not
// starting with 0.
bool groupsOfThree(const std::vector<std::string>& groups, std::size_t from, std::size_t to) {
  if (groups[0].empty() || groups[0].size() > 3 || groups[0][0] == '0') return false;
  for (std::size_t i = from; i < to; ++i)
    if (groups[i].size() != 3) return false;
  return true;
}

}  // namespace

NumberShape shapeOf(std::string text) {
  NumberShape shape;
  // A no-break space (U+00A0, U+202F) groups thousands as a blank does.
  std::string blanks;
  blanks.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "\xC2\xA0") == 0) {
      blanks += ' ';
      i += 2;
    } else if (text.compare(i, 3, "\xE2\x80\xAF") == 0) {
      blanks += ' ';
      i += 3;
    } else {
      blanks += text[i++];
    }
  }
  text = trimmed(blanks);
  std::string_view t = text;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    shape.negative = t[0] == '-';
    t.remove_prefix(1);
  }
  std::vector<std::string> groups(1);
  std::string marks;
  for (char c : t) {
    if (isDigit(c)) {
      groups.back() += c;
    } else if (c == '.' || c == ',' || c == ' ') {
      if (groups.back().empty()) return shape;  // two marks together, or a leading mark
      marks += c;
      groups.emplace_back();
    } else {
      return shape;
    }
  }
  if (groups.back().empty()) return shape;  // nothing, or a trailing mark
  const std::size_t n = groups.size();
  auto joined = [&](std::size_t from, std::size_t to) {
    std::string digits;
    for (std::size_t i = from; i < to; ++i) digits += groups[i];
    return digits;
  };
  if (marks.empty()) {
    shape.integer = groups[0];
    shape.valid = true;
    return shape;
  }
  const std::size_t dots = std::count(marks.begin(), marks.end(), '.');
  const std::size_t commas = std::count(marks.begin(), marks.end(), ',');
  const char last = marks.back();
  if (last != ' ' && (dots + commas == 1 || (dots > 0 && commas > 0))) {
    // The last mark is the decimal one; every mark before it groups thousands and is of
    // one kind, not the decimal mark.
    for (std::size_t i = 0; i + 1 < marks.size(); ++i)
      if (marks[i] == last || (marks[i] != ' ' && marks[i] != marks[0])) return shape;
    if (!groupsOfThree(groups, 1, n - 1) && n > 2) return shape;
    shape.integer = joined(0, n - 1);
    shape.fraction = groups[n - 1];
    shape.decimalMark = last;
    shape.valid = true;
    shape.ambiguous =
        n == 2 && groups[1].size() == 3 && groups[0].size() <= 3 && groups[0][0] != '0';
    if (shape.ambiguous) shape.ambiguousDigits = joined(0, n);
    return shape;
  }
  // Only one kind of mark, each grouping thousands.
  for (char m : marks)
    if (m != marks[0]) return shape;
  if (!groupsOfThree(groups, 1, n)) return shape;
  shape.integer = joined(0, n);
  shape.valid = true;
  return shape;
}

NumberShape resolved(NumberShape shape, char fileDecimalMark) {
  if (shape.ambiguous && shape.decimalMark != fileDecimalMark) {
    shape.integer = shape.ambiguousDigits;
    shape.fraction.clear();
    shape.decimalMark = 0;
  }
  return shape;
}

}  // namespace kavrina::import
