// The program-wide network-error flag: set by the error handler when an open meets a
// sharing conflict or an append cannot take its lock, read by the code that asked.
#pragma once

namespace kavrina::errors {

// True when the last open or append that the handler let fail softly failed because of
// another user. The store clears it at the start of every open and append, so after one
// of them it tells about that operation only.
bool networkError();
void setNetworkError(bool value);

}  // namespace kavrina::errors
