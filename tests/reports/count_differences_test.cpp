// The count's comparison against a model: a register of a few hundred random assets and a
// scan made from it with lines removed, added, repeated and read elsewhere; every section
// must hold exactly the assets and codes the test changed, whatever the seed.
#include "reports/count_differences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/test_seed.h"

namespace kavrina::reports {
namespace {

const Date kCountDate = Date::fromText("31.12.2025");

ScanLine scanned(const std::string& code, std::optional<std::string> location = std::nullopt) {
  static int line = 0;
  return {"popis.txt", ++line, code, std::move(location), true};
}

template <typename T, typename Key>
std::set<std::string> codesOf(const std::vector<T>& rows, Key key) {
  std::set<std::string> out;
  for (const T& row : rows) out.insert(key(row));
  return out;
}

TEST(CountDifferences, EverySectionHoldsExactlyWhatTheScanChanged) {
  const std::uint32_t seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 random(seed);
  auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };

  // The register: numbers with and without leading zeros and letters; some written off
  // before the count, some after it, some acquired after it, some not in the listed filter.
  std::vector<CountAsset> assets;
  std::set<std::string> belonging, writtenOff, acquiredLater, notListed;
  for (int i = 1; i <= 400; ++i) {
    CountAsset a;
    a.InvBr = i % 7 == 0   ? "A" + std::to_string(i)
              : i % 5 == 0 ? "00" + std::to_string(i)
                           : std::to_string(i);
    a.Naziv = "Sredstvo " + std::to_string(i);
    a.DatumN = Date::fromYmd(2015 + static_cast<int>(random() % 10), 1 + random() % 12, 1);
    a.ODeo = 1 + static_cast<int>(random() % 5);
    if (chance(8)) {
      a.DatumO = Date::fromText("20.06.2024");
      writtenOff.insert(a.InvBr);
    } else if (chance(4)) {
      a.DatumO = Date::fromText("15.01.2026");  // after the count: still belongs
    }
    if (a.DatumO.empty() && chance(4)) {
      a.DatumN = Date::fromText("10.01.2026");
      acquiredLater.insert(a.InvBr);
    } else if (a.DatumO.empty() && chance(4)) {
      a.listed = false;
      notListed.insert(a.InvBr);
    }
    if (belongsToCount(a, kCountDate)) belonging.insert(a.InvBr);
    assets.push_back(a);
  }

  std::vector<ScanLine> scans;
  std::set<std::string> missing, repeated, moved, unknown;
  for (const CountAsset& a : assets) {
    const bool belongs = belonging.count(a.InvBr) > 0;
    if (belongs && chance(10)) {
      missing.insert(a.InvBr);
      continue;
    }
    if (!belongs && chance(50)) continue;  // an extra asset lying about, sometimes scanned
    std::string location = std::to_string(a.ODeo);
    if (belongs && chance(10)) {
      location = std::to_string(a.ODeo % 5 + 1);
      moved.insert(a.InvBr);
    }
    scans.push_back(scanned(a.InvBr, location));
    if (chance(6)) {
      // Read again at its own place: repeated, and moved only if the first reading was.
      scans.push_back(scanned(a.InvBr, location));
      repeated.insert(a.InvBr);
    }
  }
  for (int i = 0; i < 15; ++i) {
    const std::string code = "X" + std::to_string(1000 + i);
    scans.push_back(scanned(code, "1"));
    unknown.insert(code);
  }
  // "0012" is not "12": a number is matched as the label carries it.
  scans.push_back(scanned("000001"));
  unknown.insert("000001");
  std::shuffle(scans.begin(), scans.end(), random);

  const CountDifferences d = compareCount(assets, scans, kCountDate);
  auto byAsset = [](const auto& row) { return row.asset.InvBr; };
  std::set<std::string> found;
  for (const auto& code : belonging)
    if (!missing.count(code)) found.insert(code);
  EXPECT_EQ(codesOf(d.found, byAsset), found);
  EXPECT_EQ(codesOf(d.missing, [](const CountAsset& a) { return a.InvBr; }), missing);
  EXPECT_EQ(codesOf(d.moved, byAsset), moved);
  EXPECT_EQ(codesOf(d.repeated, [](const CountRepeat& r) { return r.code; }), repeated);
  EXPECT_TRUE(d.locationsRead);

  std::set<std::string> scannedCodes;
  for (const ScanLine& s : scans) scannedCodes.insert(s.code);
  std::map<SurplusReason, std::set<std::string>> expectedSurplus;
  for (const auto& [reason, codes] : {std::pair{SurplusReason::WrittenOff, writtenOff},
                                      std::pair{SurplusReason::AcquiredLater, acquiredLater},
                                      std::pair{SurplusReason::NotListed, notListed},
                                      std::pair{SurplusReason::NotInRegister, unknown}}) {
    for (const auto& code : codes)
      if (scannedCodes.count(code)) expectedSurplus[reason].insert(code);
  }
  std::map<SurplusReason, std::set<std::string>> surplus;
  for (const CountSurplus& s : d.surplus) {
    EXPECT_TRUE(surplus[s.reason].insert(s.code).second) << s.code << " listed twice";
  }
  EXPECT_EQ(surplus, expectedSurplus);
  // The sections together account for every asset that belongs, once.
  EXPECT_EQ(d.found.size() + d.missing.size(), belonging.size());
}

TEST(CountDifferences, NotesAndOrderFollowTheReading) {
  const std::vector<CountAsset> assets = {
      {"1", "Sto", Date::fromText("01.01.2020"), {}, 3, true},
      {"2", "Stolica", Date::fromText("01.01.2020"), Date::fromText("01.03.2024"), 3, true},
      {"3", "Ormar", Date::fromText("01.02.2026"), {}, 3, true},
      {"4", "Polica", Date::fromText("01.01.2020"), {}, 3, true},
  };
  std::vector<ScanLine> scans = {scanned("9"), scanned("3"),      scanned("1", "03"),
                                 scanned("2"), scanned("1", "4"), scanned("9")};
  scans.insert(scans.begin() + 1, ScanLine{"popis.txt", 99, "\\x00\\x01", std::nullopt, false});
  const CountDifferences d = compareCount(assets, scans, kCountDate);
  std::vector<std::string> notes;
  for (const CountSurplus& s : d.surplus) notes.push_back(s.code + ": " + surplusNote(s));
  EXPECT_EQ(notes, (std::vector<std::string>{"9: nije u registru", "\\x00\\x01: neispravan red",
                                             "3: nabavljeno 01.02.2026, posle dana popisa",
                                             "2: otpisano 01.03.2024"}));
  EXPECT_EQ(d.unreadableLines, 1);
  ASSERT_EQ(d.moved.size(), 1u) << "\"03\" is unit 3; the second reading at 4 moves it";
  EXPECT_EQ(d.moved[0].location, "4");
  ASSERT_EQ(d.repeated.size(), 2u);
  EXPECT_EQ(d.repeated[0].code, "9");
  EXPECT_EQ(d.repeated[1].code, "1");
  EXPECT_EQ(d.repeated[1].scans, 2);
  ASSERT_EQ(d.missing.size(), 1u);
  EXPECT_EQ(d.missing[0].InvBr, "4");
}

}  // namespace
}  // namespace kavrina::reports
