// The one way the program ends: EndProgram, raised by the error handler's end of a fatal
// error and by the commands that decide the program must not go on, unwinds to main, which
// closes what is open and returns its code.
#pragma once

#include <exception>
#include <optional>

namespace kavrina::errors {

class EndProgram : public std::exception {
 public:
  explicit EndProgram(int exitCode) : exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }
  const char* what() const noexcept override { return "program ended"; }

 private:
  int exitCode_;
};

// An EndProgram cannot unwind through the window system's event dispatch: the dispatch
// catches it, records the end here and leaves every event loop. Whatever ran an event loop
// of its own (a modal dialog, a pass of pending events) calls continueEnding() once the loop
// returns, so that the unwinding goes on from there up to main.
void beginEnding(int exitCode);
// The code of the end under way, if any.
std::optional<int> endingCode();
// Raises EndProgram with the code of the end under way; does nothing when none is.
void continueEnding();

}  // namespace kavrina::errors
