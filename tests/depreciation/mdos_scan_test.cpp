// The one-pass read of the asset register must give exactly the order of moving through its
// index: numbers entered in any order, numbers that compare as text otherwise (9 and 10),
// deleted records, and a filter.
#include "depreciation/mdos_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "depreciation/asset_builder.h"
#include "depreciation/register_folder.h"
#include "support/test_seed.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;
using testing::RegisterFolder;

TEST(MdosScan, GivesTheOrderOfTheIndexForNumbersEnteredInAnyOrder) {
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  RegisterFolder folder;
  std::vector<int> numbers(300);
  for (int i = 0; i < 300; ++i) numbers[i] = i + 1;
  std::shuffle(numbers.begin(), numbers.end(), rng);
  std::vector<store::AssetRecord> assets;
  for (int n : numbers)
    assets.push_back(assetNo(std::to_string(n)).acquired("01.01." + std::to_string(2000 + n % 25)));
  folder.addAssets(assets);
  folder.deleteAsset("10");
  folder.deleteAsset(std::to_string(numbers.front()));

  // Keeps assets acquired in an even year only.
  auto keep = [](store::DbfTable& t) { return t.getDate("DatumN").year() % 2 == 0; };
  std::vector<std::string> scanned;
  const auto order = scanMdosInIndexOrder(folder.program(), [&](store::DbfTable& t) {
    if (!keep(t)) return false;
    scanned.push_back(t.getString("InvBr"));
    return true;
  });
  ASSERT_TRUE(order);

  std::vector<std::string> byIndex;
  store::DbfTable& mdos = folder.program().areas["MDOS"];
  for (mdos.goTop(); !mdos.eof(); mdos.skip())
    if (keep(mdos)) byIndex.push_back(mdos.getString("InvBr"));
  ASSERT_EQ(order->size(), byIndex.size());
  for (std::size_t i = 0; i < byIndex.size(); ++i) EXPECT_EQ(scanned[(*order)[i]], byIndex[i]) << i;
}

}  // namespace
}  // namespace kavrina::depreciation
