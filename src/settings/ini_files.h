// READINI and WRITEINI: the only way the program reads and writes its INI settings files.
// The files lie in the program folder; section and key names are matched without regard
// to case, and file names are found in any case.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/date.h"

namespace kavrina::settings {

// One key of a settings file with its stored text.
struct IniEntry {
  std::string section;
  std::string key;
  std::string value;
};

// Name (without ".ini") of the main settings file, shared by `kavrina` and `kavrina-cli`.
inline constexpr std::string_view kMainSettingsName = "Kavrina";

// The settings files of one program folder. A file is named without its extension,
// relative to the folder, and may contain a subfolder written with '\' or '/'
// ("INI_LST\VEKA"); the empty name means the main settings file.
class IniFiles {
 public:
  explicit IniFiles(std::filesystem::path folder,
                    std::string mainName = std::string(kMainSettingsName));

  const std::filesystem::path& folder() const { return folder_; }

  // Path of the file: the folder, the name (its '\' taken as '/') and ".ini", each part
  // matched case-insensitively against what exists, otherwise in the given spelling.
  std::filesystem::path pathOf(std::string_view file = {}) const;

  // The stored text of the key; empty when the file, the section or the key is missing. A
  // text that is not UTF-8 is one a Windows program wrote, and is read as Windows-1250.
  std::string readText(std::string_view section, std::string_view key,
                       std::string_view file = {}) const;
  // Stores the text, creating the file, the section and the key as needed. The file is
  // written beside itself and renamed into place, so a failed write leaves the old file
  // whole; a symbolic link under the file's name is kept, and the file it leads to is the
  // one rewritten. Several stations writing at once take turns (a lock from the read to the
  // rename), so that none loses another's change; a write waits up to ten seconds for its
  // turn. Line breaks in the text are stored as blanks (they would start new lines).
  // Returns false when the file could not be read (other than missing) or written.
  bool writeText(std::string_view section, std::string_view key, std::string_view value,
                 std::string_view file = {}) const;

  // As writeText, for a value the program cannot go on without: a write that cannot be done
  // raises the write error (24) naming the file, with the system's reason as OS code (a full
  // disk, a read-only file or folder).
  void writeTextOrFail(std::string_view section, std::string_view key, std::string_view value,
                       std::string_view file = {}) const;

  // Replaces the whole file, in the way writeText writes, by one that holds only `entries`
  // (in their order) followed by the sections named in `keptSections` as the file held
  // them. Returns false when it could not be written; the old file then stays whole.
  bool rewriteKeeping(const std::vector<IniEntry>& entries,
                      const std::vector<std::string>& keptSections,
                      std::string_view file = {}) const;

  // Typed reads: the stored value converted to the type of `def`, or `def` itself when
  // the key is missing or its value is empty. A text default gives the text unchanged.
  std::string read(std::string_view section, std::string_view key, std::string_view def,
                   std::string_view file = {}) const;
  std::string read(std::string_view section, std::string_view key, const char* def,
                   std::string_view file = {}) const {
    return read(section, key, std::string_view(def), file);
  }
  double read(std::string_view section, std::string_view key, double def,
              std::string_view file = {}) const;
  double read(std::string_view section, std::string_view key, int def,
              std::string_view file = {}) const {
    return read(section, key, static_cast<double>(def), file);
  }
  Date read(std::string_view section, std::string_view key, Date def,
            std::string_view file = {}) const;
  bool read(std::string_view section, std::string_view key, bool def,
            std::string_view file = {}) const;

  // Typed writes (numbers in plain decimal, dates dd.mm.yyyy, logicals ".T." / ".F.").
  bool write(std::string_view section, std::string_view key, std::string_view value,
             std::string_view file = {}) const {
    return writeText(section, key, value, file);
  }
  bool write(std::string_view section, std::string_view key, const char* value,
             std::string_view file = {}) const {
    return writeText(section, key, value, file);
  }
  bool write(std::string_view section, std::string_view key, double value,
             std::string_view file = {}) const;
  bool write(std::string_view section, std::string_view key, int value,
             std::string_view file = {}) const {
    return write(section, key, static_cast<double>(value), file);
  }
  bool write(std::string_view section, std::string_view key, Date value,
             std::string_view file = {}) const;
  bool write(std::string_view section, std::string_view key, bool value,
             std::string_view file = {}) const;

 private:
  std::filesystem::path folder_;
  std::string mainName_;
};

// The settings files the program uses: those of the program folder once the program has
// named it with useSettingsFolder, until then those of the current directory.
const IniFiles& programSettings();
void useSettingsFolder(std::filesystem::path folder);

// READINI(section, key, default [, file]) over programSettings(): the value of the key in
// the type of `def`, or `def` when the key is missing or empty.
template <typename T>
auto READINI(std::string_view section, std::string_view key, const T& def,
             std::string_view file = {}) {
  return programSettings().read(section, key, def, file);
}

// WRITEINI(section, key, value [, file]) over programSettings(). The program ignores the
// answer as the Windows routines did; it is false when the file could not be written.
template <typename T>
bool WRITEINI(std::string_view section, std::string_view key, const T& value,
              std::string_view file = {}) {
  return programSettings().write(section, key, value, file);
}

}  // namespace kavrina::settings
