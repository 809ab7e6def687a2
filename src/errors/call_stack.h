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

// The frames of the caller's call stack, starting with the innermost function that is not
// part of the error machinery itself (this namespace's handler, the standard library and
// the unwinder are left out at the top), going outwards up to and including `main`.
// Frames without a name are left out.
std::vector<CallFrame> captureCallStack();

// A demangled function name without its parameter list and trailing qualifiers:
// "ns::Cls::run(int) const" -> "ns::Cls::run", "f()::{lambda()#1}::operator()() const"
// -> "f()::{lambda()#1}::operator()".
std::string withoutParameters(const std::string& name);

}  // namespace kavrina::errors
