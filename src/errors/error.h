// The error value that every failure of the store and the rest of the program carries to
// the one error handler, and the hook through which that handler answers it.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace kavrina::errors {

// General error codes (GENCODE).
namespace gen {
constexpr int kArgument = 1;
constexpr int kBound = 2;
constexpr int kZeroDivision = 5;
constexpr int kCreate = 20;
constexpr int kOpen = 21;
constexpr int kClose = 22;
constexpr int kRead = 23;
constexpr int kWrite = 24;
constexpr int kPrint = 25;
constexpr int kUnsupported = 30;
constexpr int kLimit = 31;
constexpr int kCorruption = 32;
constexpr int kDataType = 33;
constexpr int kDataWidth = 34;
constexpr int kNoIndex = 36;
constexpr int kShared = 37;
constexpr int kUnlocked = 38;
constexpr int kReadOnly = 39;
constexpr int kAppendLock = 40;
constexpr int kLock = 41;
}  // namespace gen

// Sub-codes (SUBCODE) of the table and index driver.
namespace sub {
constexpr int kOpenData = 1001;
constexpr int kOpenMemo = 1002;
constexpr int kCreateData = 1004;
constexpr int kCreateMemo = 1005;
constexpr int kRead = 1010;
constexpr int kWrite = 1011;
constexpr int kCorruption = 1012;
constexpr int kStructure = 1013;  // a table without a field the program reads (our own code)
constexpr int kDataType = 1020;
constexpr int kDataWidth = 1021;
constexpr int kUnlocked = 1022;
constexpr int kShared = 1023;
constexpr int kAppendLock = 1024;
constexpr int kReadOnly = 1025;
constexpr int kKeyWidth = 1026;
constexpr int kIndexLockOs = 1031;
constexpr int kIndexLock = 1035;
}  // namespace sub

// Name the table and index driver gives as SUBSYSTEM.
inline constexpr const char* kDriverName = "DBFNTX";

// Operating-system codes (OSCODE), in the numbering the error messages know.
namespace os {
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;
constexpr int kNetworkPathNotFound = 53;
constexpr int kUnexpectedNetworkError = 59;
constexpr int kNetworkNameGone = 64;
constexpr int kNetworkAccessDenied = 65;
constexpr int kInvalidParameter = 87;
constexpr int kDiskFull = 112;
// Codes of causes the messages above do not cover, each with a message of its own.
constexpr int kWriteProtected = 19;  // a read-only file, folder or disk
constexpr int kStoppedOnLink = 681;  // a symbolic link where a file was to be opened
}  // namespace os

struct Error : std::exception {
  int GENCODE = 0;
  int OSCODE = 0;
  std::string SUBSYSTEM;
  std::optional<int> SUBCODE;
  int SEVERITY = 2;
  std::string DESCRIPTION;
  std::string FILENAME;
  std::string OPERATION;
  bool CANDEFAULT = false;

  const char* what() const noexcept override;

 private:
  mutable std::string what_;
};

// A driver failure with its codes, the file concerned and, optionally, the operation.
Error driverError(int gencode, int subcode, std::string filename, int oscode = 0,
                  std::string operation = {});

// How the installed handler answers an error it lets the program survive.
enum class ErrorAnswer {
  Retry,    // try the failed operation again
  Default,  // let the operation fail softly (its result is false / 0)
};

// The program-wide handler. It either answers, or does not return (it throws or ends the
// program). Without an installed handler every error is thrown as the Error value.
using ErrorHandler = std::function<ErrorAnswer(Error&)>;

// Installs `handler` (an empty function restores the default) and returns the previous one.
ErrorHandler setErrorHandler(ErrorHandler handler);

// While alive, every error is thrown to the caller as the Error value instead of reaching
// the installed handler: for code that inspects a file and decides itself what a failure
// means (an index found damaged is rebuilt, not reported). Not for anything that writes.
class HandlerSuspended {
 public:
  HandlerSuspended();
  ~HandlerSuspended();
  HandlerSuspended(const HandlerSuspended&) = delete;
  HandlerSuspended& operator=(const HandlerSuspended&) = delete;

 private:
  ErrorHandler saved_;
};

// Hands an error that may be answered to the handler.
ErrorAnswer raise(Error error);

// Hands an error that cannot be survived to the handler; throws it when the handler returns.
[[noreturn]] void fail(Error error);

}  // namespace kavrina::errors
