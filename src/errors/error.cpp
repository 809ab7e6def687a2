#include "errors/error.h"

#include <utility>

namespace kavrina::errors {
namespace {
ErrorHandler& installedHandler() {
  static ErrorHandler handler;
  return handler;
}
}  // namespace

const char* Error::what() const noexcept {
  what_ = "Error " + (SUBSYSTEM.empty() ? std::string("???") : SUBSYSTEM) + "/" +
          (SUBCODE ? std::to_string(*SUBCODE) : std::string("???")) +
          " gen=" + std::to_string(GENCODE) + " os=" + std::to_string(OSCODE);
  if (!FILENAME.empty()) what_ += " file=" + FILENAME;
  if (!OPERATION.empty()) what_ += " op=" + OPERATION;
  return what_.c_str();
}

Error driverError(int gencode, int subcode, std::string filename, int oscode,
                  std::string operation) {
  Error e;
  e.GENCODE = gencode;
  e.SUBCODE = subcode;
  e.SUBSYSTEM = kDriverName;
  e.OSCODE = oscode;
  e.FILENAME = std::move(filename);
  e.OPERATION = std::move(operation);
  e.SEVERITY = 2;
  // Opens and appends may fail softly: the caller tests the outcome.
  e.CANDEFAULT = gencode == gen::kOpen || gencode == gen::kAppendLock;
  return e;
}

ErrorHandler setErrorHandler(ErrorHandler handler) {
  return std::exchange(installedHandler(), std::move(handler));
}

HandlerSuspended::HandlerSuspended() : saved_(setErrorHandler({})) {}

HandlerSuspended::~HandlerSuspended() {
  setErrorHandler(std::move(saved_));
}

ErrorAnswer raise(Error error) {
  if (!installedHandler()) throw error;
  return installedHandler()(error);
}

void fail(Error error) {
  if (installedHandler()) installedHandler()(error);
  throw error;
}

}  // namespace kavrina::errors
