// Lookups of the previous results by inventory number, against a search through the list.
#include "depreciation/inv_br_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "store/records.h"
#include "support/test_seed.h"

namespace kavrina::depreciation {
namespace {

// The first row of the list with the number, as a seek on a fresh index finds it.
const store::RaRow* firstWith(const std::vector<store::RaRow>& rows, std::string_view invBr) {
  for (const store::RaRow& row : rows)
    if (invBrKey(row.InvBr) == invBrKey(invBr)) return &row;
  return nullptr;
}

// Lists in register order with repeated and missing numbers, padded and not, asked in the
// same order (the calculation's walk), in reverse and at random.
TEST(InvBrIndex, FindsTheFirstRowOfEachNumberInAnyOrderOfQuestions) {
  const std::uint32_t seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 random(seed);
  for (int round = 0; round < 50; ++round) {
    std::vector<store::RaRow> rows;
    std::vector<std::string> asked;
    const int n = std::uniform_int_distribution<int>(0, 400)(random);
    for (int i = 0; i < n; ++i) {
      std::string number = std::to_string(std::uniform_int_distribution<int>(1, n + 50)(random));
      if (random() % 3 == 0) number.resize(30, ' ');  // as stored in a C 30 field
      store::RaRow row;
      row.InvBr = number;
      row.RAm = i;
      rows.push_back(row);
      if (random() % 4 != 0) asked.push_back(number);
    }
    for (int i = 0; i < 20; ++i) asked.push_back(std::to_string(n + 100 + i));  // never there
    if (round % 3 == 1) std::reverse(asked.begin(), asked.end());
    if (round % 3 == 2) std::shuffle(asked.begin(), asked.end(), random);

    const InvBrIndex<store::RaRow> index(rows);
    for (const std::string& number : asked)
      ASSERT_EQ(index.find(number), firstWith(rows, number))
          << "'" << number << "' round " << round;
  }
}

}  // namespace
}  // namespace kavrina::depreciation
