// The accounts the booking note of a calculation posts to: the expense account of the
// depreciation, and the table that gives each asset account its accumulated-depreciation
// account by prefix. Kept in the main settings file, section "Knjizenje amortizacije".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_files.h"

namespace kavrina::settings {

inline constexpr std::string_view kSectionKnjizenje = "Knjizenje amortizacije";

// One row of the table: the asset accounts beginning with `prefix` are credited to
// `ispravka`.
struct AccountPrefix {
  std::string prefix;
  std::string ispravka;
  bool operator==(const AccountPrefix&) const = default;
};

struct BookingAccounts {
  std::string trosak = "540";  // the expense account debited
  std::vector<AccountPrefix> prefixes{{"01", "019"}, {"02", "029"}};
  // The note per asset (one line an asset) rather than per asset account, for bookkeeping
  // programs that keep an analytic ledger of assets.
  bool perAsset = false;
  bool operator==(const BookingAccounts&) const = default;

  // The accumulated-depreciation account of the asset account `konto`: that of the longest
  // prefix `konto` begins with; no value when none matches (an empty account matches none).
  std::optional<std::string> ispravkaOf(std::string_view konto) const;
};

// The most digits an account holds (the register's `Konto` is N 10).
inline constexpr std::size_t kAccountMaxDigits = 10;

// Why the accounts cannot be kept, in the user's words, or no value when they can: every
// account and prefix 1 to 10 digits, no prefix twice.
std::optional<std::string> bookingAccountsRefusal(const BookingAccounts& accounts);

// The accounts of the settings file; the defaults (540, 01 -> 019, 02 -> 029) when the
// section is missing. Rows with an empty prefix are left out.
BookingAccounts readBookingAccounts(const IniFiles& files);
// Writes the accounts: "Konto troska", "Po sredstvima", the rows as "Prefiks N" and "Konto ispravke
// N" from 1, then their count "Broj prefiksa" (only that many rows are read back, so rows left over
// from a longer table are ignored). False when a write failed.
bool writeBookingAccounts(const IniFiles& files, const BookingAccounts& accounts);

}  // namespace kavrina::settings
