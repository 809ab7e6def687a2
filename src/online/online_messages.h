// The message for a failed network step: the cause when it is known and is not the internet
// connection (no server configured, no TLS on the server, a full disk, no answer in time),
// otherwise the caller's own connection message.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "online/online_context.h"

namespace kavrina::online {

// The text for the FTP client's last failure; `first` + line break + `second` when the
// failure names no other cause. `localFolder` is where downloads were written.
std::string failureMessage(const OnlineContext& context, std::string_view first,
                           std::string_view second, const std::filesystem::path& localFolder);

// Whether the task must stop without a word: the user cancelled, or the program is ending.
bool stoppedByUser(const OnlineContext& context);

}  // namespace kavrina::online
