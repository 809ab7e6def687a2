// DEFERROR, the program's one error handler: lets a division by zero, an open that meets
// a sharing conflict and an append whose lock fails pass softly, and ends the program in
// order on every other failure, after showing a message and writing "Error.txt".
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "errors/call_stack.h"
#include "errors/error.h"
#include "errors/program_info.h"

namespace kavrina::errors {

// What the handler does outside itself; each may be left empty for the default.
struct ErrorHooks {
  // Shows a text of the error output to the user (the program passes a modal message box
  // titled "Error" with the error icon and an OK button). Default: writes it to stderr.
  std::function<void(const std::string& text)> show;
  // Ends the program with the exit code. The program's mains raise EndProgram from it
  // (errors/end_program.h), so that the failed procedure unwinds to main (its tables closed,
  // a rewrite in progress dropped) and main returns the code. Without it, or should it
  // return, the program ends at once with the same code (after closeFiles).
  std::function<void(int code)> exit;
  // The current date and time as "dd.mm.yyyy hh:mm:ss". Default: the local clock.
  std::function<std::string()> now;
  // The call stack of the failure. Default: captureCallStack().
  std::function<std::vector<CallFrame>()> callStack;
  // Closes the open tables as far as can be done, for the ends that cannot unwind (a
  // failure that reached std::terminate, an exit hook that returned). Must not throw.
  std::function<void()> closeFiles;
};

// Installs DEFERROR as the handler of every raised error (errors::setErrorHandler) and
// as the std::terminate handler, for `info` and the hooks. `info` must stay alive while the
// handler is installed; later changes to it (CSTARTTIME) are seen. Installing starts a run:
// the next error output creates "Error.txt" afresh.
void installErrorHandler(const ProgramInfo& info, ErrorHooks hooks = {});

// Removes the handler and restores the handlers that were installed before it.
void removeErrorHandler();

// The handler. Answers ErrorAnswer::Default for a division by zero (the operation gives 0),
// for an open error with OS code 32 and for an append-lock error when the operation may
// fail (CANDEFAULT; both set the network-error flag). Any other error is reported by
// reportFatal, and the call does not return.
ErrorAnswer DEFERROR(Error& error);

// Shows the message, writes "Error.txt" and ends the program with exit code 1.
[[noreturn]] void reportFatal(Error& error);

// The Error an exception describes: an Error itself, or for another exception an error of
// the subsystem "C++" whose OPERATION names the exception's type and text (see the .cpp
// for the general codes given to the standard exceptions).
Error errorFromException(std::exception_ptr exception);

// Reports an exception that nothing caught (the top-level catch of main, the event
// dispatch of the window) through reportFatal.
[[noreturn]] void reportException(std::exception_ptr exception);

// The error output: writes the text to "Error.txt" in the program folder (afresh for the
// first output of a run, appended after) and shows it. Failing to write does not stop the
// showing.
void errorOutput(const std::string& text);

}  // namespace kavrina::errors
