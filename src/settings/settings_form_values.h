// What the settings form shows and writes, as plain values: reading them from the settings
// file with their defaults, writing them in the order Ok writes them, the font label, and
// the reset to the default settings.
#pragma once

#include <string>

#include "settings/ini_files.h"

namespace kavrina::settings {

// The values of the settings form's controls.
struct SettingsFormValues {
  int paPocetak = 1;  // item number 1..3 of "Poreska amortizacija pocinje:"
  int paKraj = 1;     // item number 1..3 of "Poreska amortizacija zavrsava:"
  bool paKorekcija = false;
  double prosecnaZaradaX5 = 0;
  bool paKodOtpisa = true;
  bool ucitajSpisak = true;
  bool izborStampaca = true;
  std::string fontName = "Arial";
  double fontSize = 8;
  bool centriraj = true;
  bool agencijskiMod = false;
};

// Every value from the settings file, each with its default. An item number outside 1..3
// reads as 1, the rule the calculation applies to it.
SettingsFormValues readSettingsFormValues(const IniFiles& files);

// Ok's writes, in this order: "PA-pocetak", "PA-kraj", "PA-korekcija", "ProsecnaZaradaX5"
// (the amount itself, "2500000.00"), "PA-kodOtpisa", "Ucitaj spisak", "Izbor stampaca",
// "Centriranje programskog prozora", "Agencijski mod". The font is not written here: it is
// written when it is chosen. Answers false when a write failed.
bool writeSettingsFormValues(const IniFiles& files, const SettingsFormValues& values);

// Writes the report font at once ("Font-Name", "Font-Size").
bool writeReportFont(const IniFiles& files, const std::string& name, double size);

// "Font na Stampi: " + name + " (velicina: " + size as digits + ")".
std::string fontLabel(const std::string& name, double size);

// The reset's result: whether the old settings were replaced (or there were none).
struct ResetResult {
  bool deleted = true;
};

// Back to the default settings: the main settings file is replaced by one holding only the
// data-version key of the active company (prefix `csubdirfirme`) in section "Program" with
// `version`, and the "Server" section, where the maker's server is configured, as it was.
// A settings file that is a symbolic link keeps its link; the file it leads to is reset.
// When the file cannot be replaced it keeps its values, and the version key is still
// written.
ResetResult resetSettings(const IniFiles& files, const std::string& csubdirfirme,
                          const std::string& version);

// The error message of a settings file that could not be deleted.
inline constexpr std::string_view kResetFailedText =
    "Akcija nije uspela. Pokusajte ponovo.\n"
    "Moguc uzrok: Fajl je u upotrebi od strane drugog operatera.";

}  // namespace kavrina::settings
