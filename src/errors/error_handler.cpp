#include "errors/error_handler.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <stdexcept>
#include <typeinfo>
#include <utility>

#include "errors/error_log_file.h"
#include "errors/error_message.h"
#include "errors/network_error.h"
#include "errors/os_code.h"

namespace kavrina::errors {
namespace {

// General code of an exception that is neither an Error nor one of the standard kinds
// below; it has no description of its own, so the log says "Undefined error code" and
// the exception's type and text follow as the operation.
constexpr int kForeignException = 99;

struct HandlerState {
  const ProgramInfo* info = nullptr;
  ErrorHooks hooks;
  ErrorLogFile log;
  bool installed = false;
  bool reporting = false;
  bool terminating = false;
  ErrorHandler previousHandler;
  std::terminate_handler previousTerminate = nullptr;
};

HandlerState& state() {
  static HandlerState s;
  return s;
}

const ProgramInfo& programInfo() {
  static const ProgramInfo fallback;
  return state().info ? *state().info : fallback;
}

std::filesystem::path logPath() {
  std::filesystem::path folder = programInfo().folder;
  if (folder.empty()) folder = ".";
  return folder / kErrorLogName;
}

void show(const std::string& text) {
  if (state().hooks.show) {
    state().hooks.show(text);
  } else {
    std::cerr << text << std::endl;
  }
}

std::string now() {
  return state().hooks.now ? state().hooks.now() : currentDateTimeText();
}

// Ends the process without unwinding: the open tables are closed first, as far as the
// program can. Only for the ends that cannot unwind to main: a failure that reached
// std::terminate (the stack may not be unwound any more) and a handler installed without an
// exit hook that raises EndProgram (a child process of a test, a tool of its own). std::_Exit
// rather than std::exit: no static destructor may run while another part of the program
// may still be in the middle of its work.
[[noreturn]] void endAtOnce(int code) {
  if (state().hooks.closeFiles) {
    try {
      state().hooks.closeFiles();
    } catch (...) {
    }
  }
  std::fflush(nullptr);
  std::_Exit(code);
}

[[noreturn]] void endProgram(int code) {
  // From std::terminate nothing may unwind any more.
  if (state().terminating) endAtOnce(code);
  if (state().hooks.exit) state().hooks.exit(code);
  endAtOnce(code);
}

[[noreturn]] void terminateHandler() {
  state().terminating = true;
  reportException(std::current_exception());
}

std::string typeName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  return status == 0 && demangled ? demangled.get() : type.name();
}

// Resets the re-entry guard however reportFatal is left (a test's exit hook throws).
struct ReportingGuard {
  ReportingGuard() { state().reporting = true; }
  ~ReportingGuard() { state().reporting = false; }
};

}  // namespace

void installErrorHandler(const ProgramInfo& info, ErrorHooks hooks) {
  HandlerState& s = state();
  if (!s.installed) {
    s.previousHandler = setErrorHandler([](Error& e) { return DEFERROR(e); });
    s.previousTerminate = std::set_terminate(terminateHandler);
  }
  s.info = &info;
  s.hooks = std::move(hooks);
  s.log = ErrorLogFile(logPath());
  s.installed = true;
}

void removeErrorHandler() {
  HandlerState& s = state();
  if (!s.installed) return;
  setErrorHandler(std::move(s.previousHandler));
  std::set_terminate(s.previousTerminate);
  s = HandlerState();
}

ErrorAnswer DEFERROR(Error& error) {
  if (error.GENCODE == gen::kZeroDivision) return ErrorAnswer::Default;
  if (error.GENCODE == gen::kOpen && error.OSCODE == os::kSharingViolation && error.CANDEFAULT) {
    setNetworkError(true);
    return ErrorAnswer::Default;
  }
  if (error.GENCODE == gen::kAppendLock && error.CANDEFAULT) {
    setNetworkError(true);
    return ErrorAnswer::Default;
  }
  reportFatal(error);
}

void errorOutput(const std::string& text) {
  HandlerState& s = state();
  if (s.log.path().empty()) s.log = ErrorLogFile(logPath());
  s.log.write(text);
  show(text);
}

void reportFatal(Error& error) {
  HandlerState& s = state();
  // A failure inside the handler itself (its message box, say) must not start over.
  if (s.reporting) endAtOnce(1);
  ReportingGuard guard;

  std::vector<CallFrame> frames = s.hooks.callStack ? s.hooks.callStack() : captureCallStack();
  std::error_code ec;
  const std::string workingFolder = workingFolderText(std::filesystem::current_path(ec));
  std::optional<std::string> message = userMessage(error, workingFolder);
  std::string technical = technicalText(error, frames);
  if (message) {
    errorOutput(withClosingSentences(*message));
  } else {
    errorOutput(technical);
    technical.clear();  // it is in the log already
  }
  const ProgramInfo& info = programInfo();
  const std::string tail = technical + kCrLf + kCrLf + info.SW + " " + info.VER + " (" +
                           info.DATVER + ")" + kCrLf + "Program started: " + info.CSTARTTIME +
                           kCrLf + "Program ended: " + now();
  s.log.appendTail(tail);
  endProgram(1);
}

Error errorFromException(std::exception_ptr exception) {
  Error error;
  error.SUBSYSTEM = "C++";
  error.SEVERITY = 2;
  error.GENCODE = kForeignException;
  if (!exception) {
    error.OPERATION = "std::terminate";
    return error;
  }
  try {
    std::rethrow_exception(exception);
  } catch (const Error& e) {
    return e;
  } catch (const std::filesystem::filesystem_error& e) {
    error.OSCODE = osCodeFromErrno(e.code().value());
    error.FILENAME = e.path1().string();
    error.OPERATION = typeName(typeid(e)) + ": " + e.what();
  } catch (const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
      error.GENCODE = gen::kLimit;
    else if (dynamic_cast<const std::out_of_range*>(&e))
      error.GENCODE = gen::kBound;
    else if (dynamic_cast<const std::invalid_argument*>(&e) ||
             dynamic_cast<const std::domain_error*>(&e))
      error.GENCODE = gen::kArgument;
    else if (dynamic_cast<const std::overflow_error*>(&e) ||
             dynamic_cast<const std::underflow_error*>(&e) ||
             dynamic_cast<const std::range_error*>(&e))
      error.GENCODE = 4;  // numeric overflow
    error.OPERATION = typeName(typeid(e)) + ": " + e.what();
  } catch (...) {
    error.OPERATION = "unknown exception";
  }
  return error;
}

void reportException(std::exception_ptr exception) {
  Error error = errorFromException(exception);
  reportFatal(error);
}

}  // namespace kavrina::errors
