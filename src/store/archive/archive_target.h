// Where the data archive is made and where it may go: its name, and the places the save
// loop refuses (the program folder) or warns about (the desktop).
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/output_target.h"

namespace kavrina::store::archive {

// "Arhiva-" + program name + "-" + version with each "." as "_" + "-" + yyyymmdd + "_" +
// hhmmss + ".zip", e.g. "Arhiva-Kavrina-1_07-20231016_100509.zip".
std::string archiveFileName(std::string_view programName, std::string_view version,
                            const std::tm& when);

// The program folder's refusal is the one every output makes (common/output_target.h).
using output::isInsideFolder;

// The user's desktop folder as the desktop environment names it: XDG_DESKTOP_DIR of
// "user-dirs.dirs" in $XDG_CONFIG_HOME (else ~/.config), "$HOME/Desktop" when not named
// there; none without $HOME, or when it is set to the home folder itself (no desktop).
std::optional<std::filesystem::path> desktopFolder();

// Whether `candidate` is on the desktop: its text holds "DESKTOP" in any case, or it lies
// in the desktop folder (desktopFolder()).
bool isOnDesktop(const std::filesystem::path& candidate);

}  // namespace kavrina::store::archive
