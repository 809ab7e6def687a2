#include "settings/settings_keys.h"

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

bool writeDataVersion(const IniFiles& files, std::string_view csubdirfirme,
                      std::string_view version) {
  return files.write(kSectionProgram, versionKey(csubdirfirme), version);
}

}  // namespace kavrina::settings
