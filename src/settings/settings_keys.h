// Every settings file, section and key the program uses, with its default, so that the
// rest of the program reads and writes them in one place: `read(kFontSize)`.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "settings/ini_files.h"

namespace kavrina::settings {

// One key of one settings file. `T` is the type of the default: std::string_view for a
// text, double for a number, bool for a logical. `file` is empty for the main file.
template <typename T>
struct Setting {
  std::string_view file;
  std::string_view section;
  std::string_view key;
  T def;
};

// Value types as the program sees them (a text setting reads as std::string).
template <typename T>
using SettingValue = std::conditional_t<std::is_same_v<T, std::string_view>, std::string, T>;

template <typename T>
SettingValue<T> read(const IniFiles& files, const Setting<T>& s) {
  return files.read(s.section, s.key, s.def, s.file);
}
template <typename T>
SettingValue<T> read(const Setting<T>& s) {
  return read(programSettings(), s);
}
template <typename T>
bool write(const IniFiles& files, const Setting<T>& s, const SettingValue<T>& value) {
  return files.write(s.section, s.key, value, s.file);
}
template <typename T>
bool write(const Setting<T>& s, const SettingValue<T>& value) {
  return write(programSettings(), s, value);
}

// Files other than the main one (names without ".ini", '\' for a subfolder).
inline constexpr std::string_view kSwVerFile = "sw_ver";
inline constexpr std::string_view kCompanionFile = "INI_LST\\VEKA";

// Sections.
inline constexpr std::string_view kSectionOpste = "Opste";
inline constexpr std::string_view kSectionPodesavanja = "Programska podesavanja";
inline constexpr std::string_view kSectionProgram = "Program";
inline constexpr std::string_view kSectionServer = "Server";
inline constexpr std::string_view kSectionFirma = "Firma";
// The section of "sw_ver.ini" is named after the program (`SW`).
inline constexpr std::string_view kSectionSwVer = "Kavrina";

// Main file, section "Opste": what the start does about error reports and new versions.
inline constexpr Setting<bool> kPosaljiErrorFajl{{}, kSectionOpste, "Posalji error fajl", true};
inline constexpr Setting<bool> kBezUpitaPosaljiErrorFajl{
    {}, kSectionOpste, "Bez upita posalji error fajl", true};
inline constexpr Setting<bool> kProveraNoveVerzije{{}, kSectionOpste, "Provera Nove Verzije", true};

// Main file, section "Programska podesavanja": the settings form's values.
inline constexpr Setting<std::string_view> kFontName{{}, kSectionPodesavanja, "Font-Name", "Arial"};
inline constexpr Setting<double> kFontSize{{}, kSectionPodesavanja, "Font-Size", 8};
inline constexpr Setting<bool> kCentriranje{
    {}, kSectionPodesavanja, "Centriranje programskog prozora", true};
inline constexpr Setting<bool> kAgencijskiMod{{}, kSectionPodesavanja, "Agencijski mod", false};
inline constexpr Setting<bool> kUcitajSpisak{{}, kSectionPodesavanja, "Ucitaj spisak", true};
inline constexpr Setting<bool> kIzborStampaca{{}, kSectionPodesavanja, "Izbor stampaca", true};
inline constexpr Setting<double> kPaPocetak{{}, kSectionPodesavanja, "PA-pocetak", 1};
inline constexpr Setting<double> kPaKraj{{}, kSectionPodesavanja, "PA-kraj", 1};
inline constexpr Setting<bool> kPaKodOtpisa{{}, kSectionPodesavanja, "PA-kodOtpisa", true};
inline constexpr Setting<bool> kPaKorekcija{{}, kSectionPodesavanja, "PA-korekcija", false};
// An amount setting. It is written as the number with two decimals ("2500000.00"). An
// older version stored it from the text of its edit field, whose picture puts thousands
// commas in it ("2,500,000.00"); the plain number rule would read that as 2, so an amount
// is read with its commas dropped and gives 2500000.
struct AmountSetting {
  std::string_view file;
  std::string_view section;
  std::string_view key;
  double def;
};
double read(const IniFiles& files, const AmountSetting& s);
double read(const AmountSetting& s);
bool write(const IniFiles& files, const AmountSetting& s, double value);
bool write(const AmountSetting& s, double value);

// Five times the average salary: the limit of the tax group correction.
inline constexpr AmountSetting kProsecnaZaradaX5{{}, kSectionPodesavanja, "ProsecnaZaradaX5", 0};

// Main file, section "Server": the maker's FTP server. An empty host means no server.
inline constexpr Setting<std::string_view> kServerHost{{}, kSectionServer, "Host", ""};
inline constexpr Setting<double> kServerPort{{}, kSectionServer, "Port", 21};
inline constexpr Setting<std::string_view> kServerKorisnik{{}, kSectionServer, "Korisnik", ""};
inline constexpr Setting<std::string_view> kServerLozinka{{}, kSectionServer, "Lozinka", ""};
// "true" (or ".T.") for explicit FTP over TLS with the server's certificate verified.
inline constexpr Setting<std::string_view> kServerTls{{}, kSectionServer, "TLS", "false"};

// Main file, section "Program": the program version whose table structure a company's
// data has (`I_VER`). The key depends on the company: see versionSetting().
inline constexpr std::string_view kVersionKeyBase = "Verzija";
inline constexpr std::string_view kNoDataVersion = "0.00";

// The data-version key of the company with directory prefix `csubdirfirme` (`CSUBDIRFIRME`):
// "Verzija" for the own company (empty prefix), otherwise "Verzija(" + prefix + ")" with
// the prefix in its stored Windows form, e.g. "001/" gives "Verzija(001\)".
std::string versionKey(std::string_view csubdirfirme);

// Reads and writes the data version of the company with the given prefix (default "0.00").
std::string readDataVersion(const IniFiles& files, std::string_view csubdirfirme);
bool writeDataVersion(const IniFiles& files, std::string_view csubdirfirme,
                      std::string_view version);

// "sw_ver.ini", section `SW`: the newest version on the maker's server. The defaults are
// the caller's: "X.XX" / "xx.xx.xxxx" at start, empty in the manual check.
inline constexpr std::string_view kSwVerVerzija = "verzija";
inline constexpr std::string_view kSwVerDatum = "datum";
inline constexpr std::string_view kSwVerInfo = "info";
inline constexpr std::string_view kStartVerzijaDefault = "X.XX";
inline constexpr std::string_view kStartDatumDefault = "xx.xx.xxxx";

// "INI_LST\VEKA.ini", section "Firma", written by companion programs: name and place
// given to company "000" when the company register is created empty.
inline constexpr std::string_view kMakerName = "Velmar";
inline constexpr std::string_view kMakerPlace = "Beograd / Sifra Opstine: 70092";
inline constexpr Setting<std::string_view> kCompanionNaziv{kCompanionFile, kSectionFirma, "Naziv",
                                                           kMakerName};
inline constexpr Setting<std::string_view> kCompanionMesto{kCompanionFile, kSectionFirma, "Mesto",
                                                           kMakerPlace};

}  // namespace kavrina::settings
