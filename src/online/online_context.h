// What every online task works with: the program's identity, its settings and folder, the
// user, the FTP client `Ftp1` and the shell, the running program's file and the clock; and
// the connection rule all of them share.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "common/clock.h"
#include "errors/program_info.h"
#include "settings/ini_files.h"
#include "ui/ftp_client.h"
#include "ui/shell.h"
#include "ui/user_interface.h"

namespace kavrina::online {

// How long connecting may take before the server counts as unreachable.
inline constexpr std::chrono::milliseconds kConnectLimit{30'000};
// How long the network tasks of the start may wait for the server, all together.
inline constexpr std::chrono::milliseconds kStartLimit{60'000};
// How long a small file (the version file, the notes, a checksum) may take to arrive.
inline constexpr std::chrono::milliseconds kSmallFileLimit{20'000};
// How long a downloaded program may take to answer "--version".
inline constexpr std::chrono::milliseconds kProgramCheckLimit{10'000};

using kavrina::LocalTime;

struct OnlineContext {
  const errors::ProgramInfo& info;     // SW, VER, DATVER
  const settings::IniFiles& settings;  // the program folder's settings files
  ui::UserInterface& ui;
  ui::FtpClient& ftp;  // `Ftp1`, opened and closed by each task
  ui::Shell& shell;
  // The running program's file (its real path): the update replaces it; its name is N.
  std::filesystem::path executable;
  // The active company's folder prefix (`CSUBDIRFIRME`): its data version names the backup.
  std::string CSUBDIRFIRME;
  std::chrono::milliseconds connectLimit = kConnectLimit;
  std::chrono::milliseconds startLimit = kStartLimit;
  std::chrono::milliseconds smallFileLimit = kSmallFileLimit;
  std::chrono::milliseconds programCheckLimit = kProgramCheckLimit;
  Clock clock{};

  // The program folder, where every file of these tasks lies.
  const std::filesystem::path& folder() const { return settings.folder(); }
  // N: the base name of the program file ("kavrina").
  std::string programName() const;
};

// The server of section "Server" of the main settings file ("Host", "Port", "Korisnik",
// "Lozinka", "TLS").
ui::FtpEndpoint readEndpoint(const settings::IniFiles& settings);

// Connecting, the same in every task: configures `Ftp1` from the settings, opens it, and
// while it is busy lets the window's events run, giving up once more than `connectLimit`
// has passed (on a steady clock). Answers whether the connection is active. Without a host
// nothing waits: the answer is false at once.
bool connect(OnlineContext& context);

// Downloads a small file (`smallFileLimit`) of the current server directory into `local`.
bool receiveSmallFile(OnlineContext& context, std::string_view remoteName,
                      const std::filesystem::path& local);

// The running program's file by its real path (the folder of a link to it is not where it
// lies).
std::filesystem::path runningProgram();

// ASCII lower case.
std::string lowerCase(std::string_view text);

// Whether `path` is a regular file itself (a symbolic link planted under its name is not).
bool isPlainFile(const std::filesystem::path& path);

// The path of `name` in the folder, matched case-insensitively against what exists.
std::filesystem::path inFolder(const OnlineContext& context, std::string_view name);

}  // namespace kavrina::online
