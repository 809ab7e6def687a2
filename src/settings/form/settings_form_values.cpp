// The settings form's values and its writes.
#include "settings/form/settings_form_values.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

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
  // The maker's server is where the program finds updates, not a program setting the user
  // chose: it survives the reset, as the data version does.
  const std::string serverKeys[] = {std::string(kServerHost.key), std::string(kServerPort.key),
                                    std::string(kServerKorisnik.key), std::string(kServerLozinka.key)};
  std::vector<std::pair<std::string, std::string>> server;
  for (const std::string& key : serverKeys) {
    std::string value = files.readText(kSectionServer, key);
    if (!value.empty()) server.emplace_back(key, std::move(value));
  }
  const std::filesystem::path file = files.pathOf();
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) result.deleted = std::filesystem::remove(file, ec) && !ec;
  writeDataVersion(files, csubdirfirme, version);
  if (result.deleted)
    for (const auto& [key, value] : server) files.writeText(kSectionServer, key, value);
  return result;
}

}  // namespace kavrina::settings
