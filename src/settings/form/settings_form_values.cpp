// The settings form's values and its writes.
#include "settings/form/settings_form_values.h"

#include <filesystem>
#include <system_error>

#include "settings/ini_value.h"
#include "settings/settings_keys.h"

namespace kavrina::settings {

namespace {

constexpr int kItems = 3;

int itemNumber(double stored) {
  const int n = static_cast<int>(stored);
  return n >= 1 && n <= kItems && n == stored ? n : 1;
}

}  // namespace

SettingsFormValues readSettingsFormValues(const IniFiles& files) {
  SettingsFormValues v;
  v.paPocetak = itemNumber(read(files, kPaPocetak));
  v.paKraj = itemNumber(read(files, kPaKraj));
  v.paKorekcija = read(files, kPaKorekcija);
  v.prosecnaZaradaX5 = read(files, kProsecnaZaradaX5);
  v.paKodOtpisa = read(files, kPaKodOtpisa);
  v.ucitajSpisak = read(files, kUcitajSpisak);
  v.izborStampaca = read(files, kIzborStampaca);
  v.fontName = read(files, kFontName);
  v.fontSize = read(files, kFontSize);
  v.centriraj = read(files, kCentriranje);
  v.agencijskiMod = read(files, kAgencijskiMod);
  return v;
}

bool writeSettingsFormValues(const IniFiles& files, const SettingsFormValues& v) {
  bool ok = true;
  ok &= write(files, kPaPocetak, static_cast<double>(v.paPocetak));
  ok &= write(files, kPaKraj, static_cast<double>(v.paKraj));
  ok &= write(files, kPaKorekcija, v.paKorekcija);
  ok &= write(files, kProsecnaZaradaX5, v.prosecnaZaradaX5);
  ok &= write(files, kPaKodOtpisa, v.paKodOtpisa);
  ok &= write(files, kUcitajSpisak, v.ucitajSpisak);
  ok &= write(files, kIzborStampaca, v.izborStampaca);
  ok &= write(files, kCentriranje, v.centriraj);
  ok &= write(files, kAgencijskiMod, v.agencijskiMod);
  return ok;
}

bool writeReportFont(const IniFiles& files, const std::string& name, double size) {
  const bool nameWritten = write(files, kFontName, name);
  const bool sizeWritten = write(files, kFontSize, size);
  return nameWritten && sizeWritten;
}

std::string fontLabel(const std::string& name, double size) {
  return "Font na Stampi: " + name + " (velicina: " + numberToIni(size) + ")";
}

ResetResult resetSettings(const IniFiles& files, const std::string& csubdirfirme,
                          const std::string& version) {
  ResetResult result;
  const std::filesystem::path file = files.pathOf();
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) result.deleted = std::filesystem::remove(file, ec) && !ec;
  writeDataVersion(files, csubdirfirme, version);
  return result;
}

}  // namespace kavrina::settings
