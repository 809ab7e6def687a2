// The request to end the program at once, in order, raised by a procedure that must not
// go on (the structure check that could not get exclusive use). main() catches it, closes
// what is open and exits with its code.
#pragma once

#include <exception>

namespace kavrina::store {

class EndProgram : public std::exception {
 public:
  explicit EndProgram(int exitCode) : exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }
  const char* what() const noexcept override { return "program ended"; }

 private:
  int exitCode_;
};

}  // namespace kavrina::store
