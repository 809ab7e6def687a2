// The booking accounts in the settings file and the prefix rule.
#include "settings/booking_accounts.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "settings/ini_value.h"

namespace kavrina::settings {

namespace {

constexpr std::string_view kKeyTrosak = "Konto troska";
constexpr std::string_view kKeyCount = "Broj prefiksa";
constexpr std::string_view kKeyPerAsset = "Po sredstvima";
constexpr std::string_view kKeyPrefix = "Prefiks ";
constexpr std::string_view kKeyIspravka = "Konto ispravke ";
// More rows than any chart of accounts needs; a damaged count reads no further.
constexpr int kMaxPrefixes = 100;

bool accountDigits(std::string_view text) {
  return !text.empty() && text.size() <= kAccountMaxDigits &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string trimmedText(std::string_view text) {
  return std::string(text::trimBlanks(text));
}

}  // namespace

std::optional<std::string> BookingAccounts::ispravkaOf(std::string_view konto) const {
  const AccountPrefix* best = nullptr;
  for (const AccountPrefix& p : prefixes) {
    if (p.prefix.empty() || !konto.starts_with(p.prefix)) continue;
    if (!best || p.prefix.size() > best->prefix.size()) best = &p;
  }
  if (!best) return std::nullopt;
  return best->ispravka;
}

std::optional<std::string> bookingAccountsRefusal(const BookingAccounts& accounts) {
  if (!accountDigits(accounts.trosak))
    return "Konto troska amortizacije mora imati od 1 do 10 cifara.";
  std::set<std::string> seen;
  for (const AccountPrefix& p : accounts.prefixes) {
    if (!accountDigits(p.prefix) || !accountDigits(p.ispravka))
      return "Prefiks konta i konto ispravke moraju imati od 1 do 10 cifara (prefiks " + p.prefix +
             ").";
    if (!seen.insert(p.prefix).second) return "Prefiks konta " + p.prefix + " je naveden dva puta.";
  }
  return std::nullopt;
}

BookingAccounts readBookingAccounts(const IniFiles& files) {
  BookingAccounts accounts;
  const std::string count = files.readText(kSectionKnjizenje, kKeyCount);
  accounts.trosak = trimmedText(files.read(kSectionKnjizenje, kKeyTrosak, accounts.trosak));
  accounts.perAsset = files.read(kSectionKnjizenje, kKeyPerAsset, false);
  if (count.empty()) return accounts;
  accounts.prefixes.clear();
  const int n = std::clamp(static_cast<int>(numberFromIni(count)), 0, kMaxPrefixes);
  for (int i = 1; i <= n; ++i) {
    const std::string number = std::to_string(i);
    AccountPrefix p{
        trimmedText(files.readText(kSectionKnjizenje, std::string(kKeyPrefix) + number)),
        trimmedText(files.readText(kSectionKnjizenje, std::string(kKeyIspravka) + number))};
    if (!p.prefix.empty()) accounts.prefixes.push_back(std::move(p));
  }
  return accounts;
}

bool writeBookingAccounts(const IniFiles& files, const BookingAccounts& accounts) {
  bool ok = files.write(kSectionKnjizenje, kKeyTrosak, accounts.trosak);
  ok &= files.write(kSectionKnjizenje, kKeyPerAsset, accounts.perAsset);
  for (std::size_t i = 0; i < accounts.prefixes.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    ok &= files.write(kSectionKnjizenje, std::string(kKeyPrefix) + number,
                      accounts.prefixes[i].prefix);
    ok &= files.write(kSectionKnjizenje, std::string(kKeyIspravka) + number,
                      accounts.prefixes[i].ispravka);
  }
  // The count last: a write cut short leaves the old table readable.
  ok &= files.write(kSectionKnjizenje, kKeyCount, static_cast<int>(accounts.prefixes.size()));
  return ok;
}

}  // namespace kavrina::settings
