#include "errors/call_stack.h"

#include <boost/stacktrace.hpp>
#include <cstdint>
#include <string_view>

namespace kavrina::errors {
namespace {

bool startsWithAny(std::string_view name, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes)
    if (name.starts_with(prefix)) return true;
  return false;
}

// Frames of the standard library, of boost and of the compiler's runtime: they are not the
// program's procedures (a std::make_unique or a std::function call between two of them
// says nothing to the reader of the log).
bool isLibrary(std::string_view name) {
  return startsWithAny(name, {"std::", "boost::", "__cxa", "__cxxabiv1::", "_Unwind",
                              "__gnu_cxx::", "__gxx_personality"});
}

// Functions that belong to the raising and handling of an error rather than to the code
// that failed: they are skipped at the top of the stack.
bool isMachinery(std::string_view name) {
  return name.starts_with("kavrina::errors::") || isLibrary(name);
}

// The C runtime's frames below `main`: when `main` itself is not on the stack (its call
// became a jump), the lines stop here instead of running on into the runtime.
bool isProcessStart(std::string_view name) {
  return name == "__libc_start_call_main" || name == "__libc_start_main" ||
         name == "__libc_start_main_impl" || name == "_start";
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

std::vector<CallFrame> programFrames(const std::vector<CallFrame>& stack) {
  std::vector<CallFrame> frames;
  bool inMachinery = true;
  for (const CallFrame& frame : stack) {
    if (frame.name.empty()) continue;
    if (isProcessStart(frame.name)) break;
    if (inMachinery && isMachinery(frame.name)) continue;
    inMachinery = false;
    if (isLibrary(frame.name)) continue;
    frames.push_back(frame);
    if (frame.name == "main") break;
  }
  return frames;
}

std::vector<CallFrame> captureCallStack() {
  std::vector<CallFrame> stack;
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
    const bool last = name == "main" || isProcessStart(name);
    stack.push_back({std::move(name), static_cast<int>(frame.source_line())});
    if (last) break;
  }
  return programFrames(stack);
}

}  // namespace kavrina::errors
