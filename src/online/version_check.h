// What the maker's server says about the newest version ("sw_ver.ini"), the check at the
// window's first show with the one-time release notes, and the manual check
// `ProveriVerzijuPrograma`.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "online/online_context.h"

namespace kavrina::online {

inline constexpr std::string_view kSwVerFileName = "sw_ver.ini";

// The section `SW` of a fetched "sw_ver.ini".
struct ServerVersion {
  std::string verzija;
  std::string datum;
  std::string info;
  std::string sha256;  // of the update file; empty when the server gives none
};

// Fetches "sw_ver.ini" into the program folder (an older local copy is removed first), reads
// its section `SW` with the given defaults for "verzija" and "datum", and erases it. No value
// when the fetch failed.
std::optional<ServerVersion> fetchServerVersion(OnlineContext& context,
                                                std::string_view verzijaDefault,
                                                std::string_view datumDefault);

// The release notes' file name: "update_" + lower(N) + ".txt".
std::string releaseNotesName(const OnlineContext& context);

// The second network task of the window's first show (setting "Provera Nove Verzije"):
// offers a version whose date is later than `DATVER`; on Yes runs
// PreuzmiNovuVerzijuPrograma and answers true (the program then ends). Otherwise fetches
// the release notes once (while a local copy exists they are neither fetched nor shown)
// and shows them. Failures pass silently.
bool checkVersionAtStart(OnlineContext& context);

// The manual check: shows the version and date on the server, whatever the installed one.
void ProveriVerzijuPrograma(OnlineContext& context);

}  // namespace kavrina::online
