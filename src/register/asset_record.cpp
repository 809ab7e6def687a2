// Reading and writing an asset record for the fixed-asset form.
#include "register/asset_record.h"

#include <cmath>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "register/field_text.h"
#include "store/rec_lock.h"
#include "common/text.h"

namespace kavrina::reg {

namespace {

constexpr std::string_view kMdos = "MDOS";

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string trimmed(std::string_view text) {
  return std::string(text::trimBlanks(text));
}

}  // namespace

std::optional<std::string> refusalOf(const AssetValues& values) {
  if (std::llround(values.ispVr * 100) <= std::llround(values.raOsn * 100)) return std::nullopt;
  return "Ispravka vrednosti (" + trimmed(formatPicture(values.ispVr, kPictureListAmount)) +
         ") je veca od Racunovodstvene osnovice (" +
         trimmed(formatPicture(values.raOsn, kPictureListAmount)) +
         ").\rIspravka vrednosti ne moze biti veca od nabavne vrednosti.";
}

AssetValues newAssetValues(std::string invBr, Date today) {
  AssetValues v;
  v.invBr = std::move(invBr);
  v.datumN = today;
  return v;
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
  std::string digits = formatFixed(std::fabs(konto), 0);
  if (duzKonta > 0 && digits.size() < static_cast<std::size_t>(duzKonta))
    digits.insert(0, static_cast<std::size_t>(duzKonta) - digits.size(), '0');
  return digits;
}

StoredKonto storedKonto(std::string_view text) {
  const std::string typed = trimmed(text);
  return {parseNumber(typed), static_cast<int>(typed.size())};
}

std::optional<AssetValues> loadAsset(store::Program& program, std::string_view invBr) {
  program.areas.select(kMdos);
  store::DbfTable& t = program.areas[kMdos];
  // The index key is val(InvBr): the search takes the number's value.
  if (!t.seek(parseNumber(numberDigits(invBr)))) return std::nullopt;
  AssetValues v;
  v.invBr = numberDigits(t.getString("InvBr"));
  v.naziv = t.getString("Naziv");
  v.datumN = t.getDate("DatumN");
  v.dobavljac = t.getString("Dobavljac");
  v.dokument = t.getString("Dokument");
  v.raOsn = t.getNumber("RAOsn");
  v.paOsn = t.getNumber("PAOsn");
  v.ispVr = t.getNumber("IspVr");
  v.pkvt = t.getNumber("PKVT");
  v.raStopa = t.getNumber("RAStopa");
  v.raTip = static_cast<int>(t.getNumber("RAtip"));
  v.paGrupa = static_cast<int>(t.getNumber("PAgrupa"));
  v.kolicina = t.getNumber("Kolicina");
  v.oDeo = t.getNumber("ODeo");
  v.konto = kontoText(t.getNumber("Konto"), static_cast<int>(t.getNumber("DuzKonta")));
  v.datumO = t.getDate("DatumO");
  return v;
}

bool saveAsset(store::Program& program, const AssetValues& v) {
  program.CINVENTARSKIBROJ = storedInvBr(v.invBr);
  program.areas.select(kMdos);
  store::DbfTable& table = program.areas[kMdos];
  const bool found = table.seek(parseNumber(numberDigits(v.invBr)));
  const StoredKonto konto = storedKonto(v.konto);
  return store::writeRecord(program, kMdos, !found, [&](store::DbfTable& t) {
    t.putString("InvBr", program.CINVENTARSKIBROJ);
    t.putString("Naziv", fitField(v.naziv, 30));
    t.putDate("DatumN", v.datumN);
    t.putString("Dobavljac", fitField(v.dobavljac, 30));
    t.putString("Dokument", fitField(v.dokument, 30));
    t.putNumber("RAOsn", v.raOsn);
    t.putNumber("PAOsn", v.paOsn);
    t.putNumber("IspVr", v.ispVr);
    t.putNumber("PKVT", v.pkvt);
    t.putNumber("RAStopa", v.raStopa);
    t.putNumber("RAtip", v.raTip);
    t.putNumber("PAStopa", groupRate(v.paGrupa));
    t.putNumber("PAgrupa", v.paGrupa);
    t.putNumber("Kolicina", v.kolicina);
    t.putNumber("ODeo", v.oDeo);
    t.putNumber("Konto", konto.konto);
    t.putNumber("DuzKonta", konto.duzKonta);
    t.putDate("DatumO", v.datumO);
  });
}

std::string nextInventoryNumber(store::Session& program) {
  program.areas.select(kMdos);
  store::DbfTable& t = program.areas[kMdos];
  t.goBottom();
  // At the end of an empty table the field reads empty, which counts as 0.
  return nextNumber(t.getString("InvBr"));
}

}  // namespace kavrina::reg
