// Key encodings and key expressions: numeric keys sort as their numbers do, texts are cut
// and padded, and only a field name or val(field) compiles.
#include "store/ntx/ntx_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/decimal.h"
#include "store/ntx/ntx_header.h"

namespace kavrina::store::ntx {
namespace {

using Fields = std::vector<FieldLayout>;

Fields layout(const Structure& s) {
  Fields out;
  std::size_t offset = 1;
  for (const FieldDef& f : s) {
    out.push_back({f, offset});
    offset += static_cast<std::size_t>(f.width);
  }
  return out;
}

const Fields kAssets = layout({{"INVBR", 'C', 30, 0},
                               {"RAOSN", 'N', 15, 3},
                               {"DATUMN", 'D', 8, 0},
                               {"AKTIVAN", 'L', 1, 0},
                               {"NAPOMENA", 'M', 10, 0},
                               {"DUGI", 'C', 300, 0}});

std::string recordWith(const Fields& fields, std::size_t field, std::string_view text) {
  std::size_t length = 1;
  for (const auto& f : fields) length += static_cast<std::size_t>(f.def.width);
  std::string record(length, ' ');
  record.replace(fields[field].offset, text.size(), text);
  return record;
}

TEST(NtxKey, InventoryNumberIsThirtyDigitsWithLeadingZeros) {
  KeyProblem problem;
  auto expr = KeyExpression::compile("val(InvBr)", kAssets, problem);
  ASSERT_TRUE(expr);
  EXPECT_EQ(expr->type(), KeyType::Numeric);
  EXPECT_EQ(expr->keySize(), 30u);
  EXPECT_EQ(expr->decimals(), 0);
  EXPECT_EQ(expr->evaluate(recordWith(kAssets, 0, "125")), std::string(27, '0') + "125");
  // 9 before 10 in the index, as numbers.
  std::string nine = expr->evaluate(recordWith(kAssets, 0, "9"));
  std::string ten = expr->evaluate(recordWith(kAssets, 0, "10"));
  EXPECT_EQ(nine, std::string(29, '0') + "9");
  EXPECT_EQ(ten, std::string(28, '0') + "10");
  EXPECT_LT(nine, ten);
}

TEST(NtxKey, ValOfAnyTextAgreesWithTheNumberEncoding) {
  KeyProblem problem;
  auto expr = KeyExpression::compile("val(InvBr)", kAssets, problem);
  ASSERT_TRUE(expr);
  // Texts the quick path for plain digits takes, and texts it leaves to the general one.
  for (std::string text : {"0", "007", "   42   ", "123456789012345", "1234567890123456789", "-17",
                           "12.6", "  -0.4", "abc", "", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(expr->evaluate(recordWith(kAssets, 0, text)),
              encodeNumericKey(parseNumber(text), 30, 0));
  }
}

TEST(NtxKey, NegativeNumbersSortBeforeZeroAndPositives) {
  EXPECT_EQ(encodeNumericKey(-5, 5, 0), "000,'");
  EXPECT_EQ(encodeNumericKey(-9, 3, 0), "0,#");
  EXPECT_LT(encodeNumericKey(-1, 30, 0), encodeNumericKey(0, 30, 0));
  EXPECT_LT(encodeNumericKey(0, 30, 0), encodeNumericKey(1, 30, 0));

  // Any numbers, with decimals, sort by key exactly as they sort as numbers.
  std::mt19937 rng(20231016);
  std::uniform_int_distribution<int> cents(-999999, 999999);
  std::vector<double> values = {0, -0.01, 0.01, -1000, 1000, -9999.99, 9999.99};
  for (int i = 0; i < 2000; ++i) values.push_back(cents(rng) / 100.0);
  std::vector<std::pair<std::string, double>> keyed;
  for (double v : values) keyed.emplace_back(encodeNumericKey(v, 10, 2), v);
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 1; i < keyed.size(); ++i)
    ASSERT_LE(keyed[i - 1].second, keyed[i].second)
        << "'" << keyed[i - 1].first << "' before '" << keyed[i].first << "'";
}

TEST(NtxKey, NumberTooWideForTheKeyGivesStars) {
  EXPECT_EQ(encodeNumericKey(123456, 5, 0), "*****");
  EXPECT_EQ(encodeNumericKey(12.5, 5, 2), "12.50");
}

TEST(NtxKey, FieldKeysOfEachType) {
  KeyProblem problem;
  auto text = KeyExpression::compile("invbr", kAssets, problem);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type(), KeyType::Character);
  EXPECT_EQ(text->evaluate(recordWith(kAssets, 0, "12")), "12" + std::string(28, ' '));

  auto number = KeyExpression::compile("RAOsn", kAssets, problem);
  ASSERT_TRUE(number);
  EXPECT_EQ(number->keySize(), 15u);
  EXPECT_EQ(number->decimals(), 3);
  EXPECT_EQ(number->evaluate(recordWith(kAssets, 1, "       1234.500")), "00000001234.500");

  auto date = KeyExpression::compile(" DatumN ", kAssets, problem);
  ASSERT_TRUE(date);
  EXPECT_EQ(date->evaluate(recordWith(kAssets, 2, "20231016")), "20231016");

  auto logical = KeyExpression::compile("Aktivan", kAssets, problem);
  ASSERT_TRUE(logical);
  EXPECT_EQ(logical->evaluate(recordWith(kAssets, 3, "y")), "T");
  EXPECT_EQ(logical->evaluate(recordWith(kAssets, 3, "N")), "F");

  // A text key is at most 256 bytes.
  auto wide = KeyExpression::compile("Dugi", kAssets, problem);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->keySize(), kMaxKeySize);
}

TEST(NtxKey, OnlyFieldsAndValCompile) {
  struct Row {
    const char* text;
    KeyProblem expected;
  };
  const Row rows[] = {
      {"VAL( invbr )", KeyProblem::None},    {"Foo", KeyProblem::Unknown},
      {"val(Foo)", KeyProblem::Unknown},     {"InvBr+Naziv", KeyProblem::Unknown},
      {"upper(InvBr)", KeyProblem::Unknown}, {"", KeyProblem::Unknown},
      {"val(RAOsn)", KeyProblem::WrongType}, {"Napomena", KeyProblem::WrongType},
  };
  for (const Row& row : rows) {
    KeyProblem problem = KeyProblem::None;
    auto expr = KeyExpression::compile(row.text, kAssets, problem);
    EXPECT_EQ(problem, row.expected) << row.text;
    EXPECT_EQ(expr.has_value(), row.expected == KeyProblem::None) << row.text;
  }
}

TEST(NtxKey, ValueOfWidthZeroCannotBeIndexed) {
  const Fields empty = layout({{"PRAZNO", 'C', 0, 0}});
  KeyProblem problem = KeyProblem::None;
  EXPECT_FALSE(KeyExpression::compile("Prazno", empty, problem));
  EXPECT_EQ(problem, KeyProblem::ZeroWidth);
  EXPECT_FALSE(KeyExpression::compile("val(Prazno)", empty, problem));
  EXPECT_EQ(problem, KeyProblem::ZeroWidth);
}

TEST(NtxKey, SeekValuesEncodeAsTheKeys) {
  KeyProblem problem;
  auto numeric = KeyExpression::compile("val(InvBr)", kAssets, problem);
  auto text = KeyExpression::compile("InvBr", kAssets, problem);
  bool mismatch = false;
  EXPECT_EQ(numeric->seekKey(10.0, mismatch), std::string(28, '0') + "10");
  EXPECT_FALSE(mismatch);
  EXPECT_FALSE(numeric->seekKey(std::string("10"), mismatch));
  EXPECT_TRUE(mismatch);
  EXPECT_EQ(text->seekKey(std::string("10"), mismatch), "10" + std::string(28, ' '));
  EXPECT_FALSE(mismatch);
  // More than the key holds can never be equal to a key; blanks beyond it do not count.
  EXPECT_FALSE(text->seekKey(std::string(31, '1'), mismatch));
  EXPECT_EQ(text->seekKey(std::string(30, '1') + "  ", mismatch), std::string(30, '1'));
  EXPECT_FALSE(text->seekKey(10.0, mismatch));
  EXPECT_TRUE(mismatch);
}

TEST(NtxGeometry, CapacityFollowsTheKeySize) {
  struct Row {
    std::size_t key;
    int max, half;
  };
  for (Row row :
       {Row{3, 76, 38}, Row{30, 24, 12}, Row{1, 90, 45}, Row{8, 54, 27}, Row{256, 2, 1}}) {
    PageGeometry g = geometryForKeySize(row.key);
    EXPECT_EQ(g.maxItems, row.max) << row.key;
    EXPECT_EQ(g.halfPage, row.half) << row.key;
    EXPECT_EQ(g.itemSize, row.key + 8) << row.key;
    // Every slot, the one after the last item included, fits in the page.
    EXPECT_LE(g.slotOffset(g.maxItems) + g.itemSize, kPageSize) << row.key;
  }
}

}  // namespace
}  // namespace kavrina::store::ntx
