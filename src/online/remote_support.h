// `ONLINEPODRSKA`: the remote-support program, downloaded from the maker's server when it is
// not in the program folder yet, then started.
#pragma once

#include <string_view>

#include "online/online_context.h"

namespace kavrina::online {

// The programs of the "Daljinska podrska" menu.
inline constexpr std::string_view kVelmarSupport = "vmdpu";  // `OnlinePodrskaVM`
inline constexpr std::string_view kImPcRemote = "impcr";     // `OnlinePodrskaImPcR`

// `name` is the program file's name in the program folder. When the file is missing, asks
// whether to download it and does (checked against "NAME.sha256" when the server has one,
// made executable, under its name only once it arrived whole); then tells the user and
// starts it detached, without waiting for it.
void ONLINEPODRSKA(OnlineContext& context, std::string_view name);

}  // namespace kavrina::online
