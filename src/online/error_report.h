// The error report at start: the error log "Error.txt" (and the archive "Error.zip") sent
// to the maker's server, or gathered into "Error.zip" when it cannot be sent.
#pragma once

#include <string>
#include <string_view>

#include "online/online_context.h"

namespace kavrina::online {

// The server directory that receives error reports.
inline constexpr std::string_view kIncomingDirectory = "incoming";

// The report name: "Error-", `SW` without blanks, "-", `VER` with '.' as '_', "-", the
// stamp and the extension, e.g. "Error-Kavrina-1_07-20231016_142530.txt".
std::string reportName(const errors::ProgramInfo& info, const LocalTime& time,
                       std::string_view extension);

// The first network task of the window's first show. Runs when the setting "Posalji error
// fajl" is on and an error log or "Error.zip" lies in the program folder. Connects; with
// an active connection and the user's consent (or the setting "Bez upita posalji error
// fajl"), sends "Error.txt" under its report name, then "Error.zip", into "incoming", and
// erases each file only after the server confirmed it whole. Whatever log is still there
// then (not sent, or sending failed) is gathered into "Error.zip", so that the next error
// output of this run cannot overwrite it. Shows no message about a failed connection.
void sendErrorReport(OnlineContext& context);

}  // namespace kavrina::online
