// The call stack at a failure, as the error log's "Called from" lines name it: the C++
// name of each function and the source line, innermost first.
#pragma once

#include <string>
#include <vector>

namespace kavrina::errors {

struct CallFrame {
  std::string name;  // qualified C++ name without its parameter list
  int line = 0;      // source line, 0 when the debug information does not give one
};

// The frames of the caller's call stack as programFrames leaves them.
std::vector<CallFrame> captureCallStack();

// The program's own frames of a call stack given innermost first: the error machinery at
// the top (this namespace's handler, the standard library, the unwinder) is left out, then
// every frame of the standard library, boost and the compiler's runtime and every frame
// without a name; the frames end with `main`, or before the C runtime's start frames when
// `main` is not on the stack.
std::vector<CallFrame> programFrames(const std::vector<CallFrame>& stack);

// A demangled function name without its parameter list and trailing qualifiers:
// "ns::Cls::run(int) const" -> "ns::Cls::run", "f()::{lambda()#1}::operator()() const"
// -> "f()::{lambda()#1}::operator()".
std::string withoutParameters(const std::string& name);

}  // namespace kavrina::errors
