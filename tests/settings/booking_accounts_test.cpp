// The booking accounts: the longest prefix decides, the table survives the settings file,
// and accounts that are not digits are refused before they are kept.
#include "settings/booking_accounts.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kavrina::settings {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

TEST(BookingAccounts, LongestMatchingPrefixGivesTheAccumulatedAccount) {
  BookingAccounts accounts;
  accounts.prefixes.push_back({"023", "0239"});
  accounts.prefixes.push_back({"0231", "02319"});
  struct Case {
    const char* konto;
    std::optional<std::string> ispravka;
  };
  for (const Case& c :
       {Case{"0120", "019"}, Case{"01", "019"}, Case{"0220", "029"}, Case{"0230", "0239"},
        Case{"02310", "02319"}, Case{"0232", "0239"}, Case{"0300", std::nullopt},
        Case{"1020", std::nullopt}, Case{"", std::nullopt}, Case{"0", std::nullopt}}) {
    EXPECT_EQ(accounts.ispravkaOf(c.konto), c.ispravka) << c.konto;
  }
}

TEST(BookingAccounts, MissingSectionGivesTheChartDefaults) {
  TempDir dir;
  const BookingAccounts read = readBookingAccounts(IniFiles(dir.path()));
  EXPECT_EQ(read.trosak, "540");
  EXPECT_EQ(read.prefixes, (std::vector<AccountPrefix>{{"01", "019"}, {"02", "029"}}));
  EXPECT_FALSE(read.perAsset);
}

TEST(BookingAccounts, TableIsKeptInItsOwnSectionAndReadBack) {
  TempDir dir;
  IniFiles files(dir.path());
  const BookingAccounts longer{"5400", {{"01", "019"}, {"02", "029"}, {"0231", "02319"}}, true};
  ASSERT_TRUE(writeBookingAccounts(files, longer));
  EXPECT_EQ(readBookingAccounts(files), longer);
  // A shorter table written over it: the rows left over are not read back.
  const BookingAccounts shorter{"540", {{"02", "0290"}}};
  ASSERT_TRUE(writeBookingAccounts(files, shorter));
  EXPECT_EQ(readBookingAccounts(files), shorter);
  EXPECT_NE(readFileBytes(dir / "Kavrina.ini").find("[Knjizenje amortizacije]"), std::string::npos);
}

TEST(BookingAccounts, HandEditedFileIsReadWithoutBlanksAndEmptyRows) {
  TempDir dir;
  writeFileBytes(dir / "Kavrina.ini",
                 "[Knjizenje amortizacije]\r\nKonto troska= 5401 \r\nBroj prefiksa=3\r\n"
                 "Prefiks 1=01\r\nKonto ispravke 1=019\r\nPrefiks 2=\r\n"
                 "Prefiks 3= 02 \r\nKonto ispravke 3=0290\r\n");
  const BookingAccounts read = readBookingAccounts(IniFiles(dir.path()));
  EXPECT_EQ(read.trosak, "5401");
  EXPECT_EQ(read.prefixes, (std::vector<AccountPrefix>{{"01", "019"}, {"02", "0290"}}));
}

TEST(BookingAccounts, AccountsThatAreNotDigitsAreRefused) {
  struct Case {
    BookingAccounts accounts;
    bool refused;
  };
  const std::vector<Case> cases{
      {{"540", {{"01", "019"}}}, false},
      {{"", {{"01", "019"}}}, true},
      {{"54O", {{"01", "019"}}}, true},
      {{"540", {{"01", ""}}}, true},
      {{"540", {{"0 1", "019"}}}, true},
      {{"540", {{"01", "01234567890"}}}, true},
      {{"540", {{"01", "019"}, {"01", "0190"}}}, true},
      {{"540", {}}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bookingAccountsRefusal(c.accounts).has_value(), c.refused)
        << c.accounts.trosak << " " << c.accounts.prefixes.size();
  }
}

}  // namespace
}  // namespace kavrina::settings
