// The settings form's values and its writes.
#include "settings/settings_form_values.h"

#include <string>
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
  // One rewrite in place of deleting the file: a linked settings file keeps its link (the
  // file it leads to is reset), and a kill in between leaves the old settings or the new
  // ones, never none. The maker's server is where the program finds updates, not a program
  // setting the user chose: it survives the reset, as the data version does.
  ResetResult result;
  result.deleted =
      files.rewriteKeeping({{std::string(kSectionProgram), versionKey(csubdirfirme), version}},
                           {std::string(kSectionServer)});
  if (!result.deleted) writeDataVersion(files, csubdirfirme, version);
  return result;
}

}  // namespace kavrina::settings
