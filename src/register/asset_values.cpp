// What an asset record needs no table for: the stored forms of an inventory number and an
// account, the tax group's rate, the new asset's record and the form's refusal.
#include <cmath>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/text.h"
#include "register/asset_record.h"

namespace kavrina::reg {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::string> refusalOf(const store::AssetRecord& asset) {
  if (std::llround(asset.IspVr * 100) <= std::llround(asset.RAOsn * 100)) return std::nullopt;
  return "Ispravka vrednosti (" +
         std::string(text::trimBlanks(formatPicture(asset.IspVr, kPictureListAmount))) +
         ") je veca od Racunovodstvene osnovice (" +
         std::string(text::trimBlanks(formatPicture(asset.RAOsn, kPictureListAmount))) +
         ").\rIspravka vrednosti ne moze biti veca od nabavne vrednosti.";
}

std::optional<std::string> invBrRefusal(std::string_view digits) {
  if (digits.size() <= kInvBrMaxDigits) return std::nullopt;
  return "Inventarski broj " + std::string(digits) + " ima vise od " +
         std::to_string(kInvBrMaxDigits) + " cifara: indeks registra ne moze tacno da ga zapamti.";
}

store::AssetRecord newAssetRecord(std::string invBr, Date today) {
  store::AssetRecord r;
  r.InvBr = std::move(invBr);
  r.DatumN = today;
  r.PAStopa = groupRate(r.PAgrupa);
  r.Kolicina = 1;
  return r;
}

std::string numberDigits(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return "0";
  while (i < text.size() && text[i] == '0') ++i;
  std::string digits;
  while (i < text.size() && isDigit(text[i])) digits += text[i++];
  return digits.empty() ? "0" : digits;
}

std::string storedInvBr(std::string_view text) {
  std::string digits = numberDigits(text);
  if (digits.size() < kInvBrWidth) digits.append(kInvBrWidth - digits.size(), ' ');
  return digits;
}

std::string nextNumber(std::string_view text) {
  std::string digits = numberDigits(text);
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

double groupRate(int group) {
  if (group >= 1 && group <= 4) return kGroupRates[static_cast<std::size_t>(group - 1)];
  return kGroupRates.back();
}

std::string kontoText(double konto, int duzKonta) {
  return accountText(konto, duzKonta);
}

StoredKonto storedKonto(std::string_view text) {
  const std::string typed(text::trimBlanks(text));
  return {parseNumber(typed), static_cast<int>(typed.size())};
}

}  // namespace kavrina::reg
