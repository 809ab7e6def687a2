#include "settings/settings_keys.h"

#include "common/decimal.h"
#include "settings/ini_value.h"

namespace kavrina::settings {

std::string versionKey(std::string_view csubdirfirme) {
  if (csubdirfirme.empty()) return std::string(kVersionKeyBase);
  std::string prefix(csubdirfirme);
  for (char& c : prefix)
    if (c == '/') c = '\\';
  return std::string(kVersionKeyBase) + "(" + prefix + ")";
}

std::string readDataVersion(const IniFiles& files, std::string_view csubdirfirme) {
  return files.read(kSectionProgram, versionKey(csubdirfirme), kNoDataVersion);
}

double read(const IniFiles& files, const AmountSetting& s) {
  const std::string text = files.readText(s.section, s.key, s.file);
  if (text.empty()) return s.def;
  std::string number;
  for (char c : text)
    if (c != ',') number += c;
  return numberFromIni(number);
}

double read(const AmountSetting& s) {
  return read(programSettings(), s);
}

bool write(const IniFiles& files, const AmountSetting& s, double value) {
  return files.writeText(s.section, s.key, formatFixed(value, 2), s.file);
}

bool write(const AmountSetting& s, double value) {
  return write(programSettings(), s, value);
}

bool writeDataVersion(const IniFiles& files, std::string_view csubdirfirme,
                      std::string_view version) {
  return files.write(kSectionProgram, versionKey(csubdirfirme), version);
}

}  // namespace kavrina::settings
