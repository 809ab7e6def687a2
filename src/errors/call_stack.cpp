#include "errors/call_stack.h"

#include <boost/stacktrace.hpp>
#include <cstdint>
#include <string_view>

namespace kavrina::errors {
namespace {

// Functions that belong to the raising and handling of an error rather than to the code
// that failed: they are skipped at the top of the stack.
bool isMachinery(std::string_view name) {
  static constexpr std::string_view kPrefixes[] = {
      "kavrina::errors::", "std::",   "boost::",     "__cxa",
      "__cxxabiv1::",      "_Unwind", "__gnu_cxx::", "__gxx_personality"};
  for (std::string_view prefix : kPrefixes)
    if (name.starts_with(prefix)) return true;
  return false;
}

}  // namespace

std::string withoutParameters(const std::string& name) {
  std::size_t close = name.rfind(')');
  if (close == std::string::npos) return name;
  // Only qualifiers may follow the parameter list.
  for (std::size_t i = close + 1; i < name.size(); ++i)
    if (name[i] == '(' || name[i] == ':' || name[i] == '<') return name;
  int depth = 0;
  for (std::size_t i = close + 1; i-- > 0;) {
    if (name[i] == ')') ++depth;
    if (name[i] == '(' && --depth == 0) return i == 0 ? name : name.substr(0, i);
  }
  return name;
}

std::vector<CallFrame> captureCallStack() {
  std::vector<CallFrame> frames;
  bool inMachinery = true;
  for (const boost::stacktrace::frame& returnFrame : boost::stacktrace::stacktrace()) {
    // A frame holds the return address, which after a call that never returns (a call of
    // a [[noreturn]] function) lies past the end of the caller. One byte back is inside
    // the call instruction: the caller's name and the line of the call.
    const auto address = reinterpret_cast<std::uintptr_t>(returnFrame.address());
    if (address == 0) continue;
    const boost::stacktrace::frame frame(
        reinterpret_cast<boost::stacktrace::frame::native_frame_ptr_t>(address - 1));
    std::string name = withoutParameters(frame.name());
    if (name.empty()) continue;
    if (inMachinery && isMachinery(name)) continue;
    inMachinery = false;
    frames.push_back({name, static_cast<int>(frame.source_line())});
    if (name == "main") break;
  }
  return frames;
}

}  // namespace kavrina::errors
