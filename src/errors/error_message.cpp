#include "errors/error_message.h"

namespace kavrina::errors {
namespace {

// The name part of the user messages: a blank, or " (file) ".
std::string namePart(const Error& error) {
  return error.FILENAME.empty() ? std::string(" ") : " (" + error.FILENAME + ") ";
}

}  // namespace

std::string describeGenCode(int gencode) {
  switch (gencode) {
    case 0: return "C3 argument error";
    case 1: return "Argument error";
    case 2: return "Bound/limit error";
    case 3: return "String overflow";
    case 4: return "Numeric overflow";
    case 7: return "Syntax error";
    case 12: return "Function does not exist";
    case 13: return "Method does not exist";
    case 14: return "Variable does not exist";
    case 15: return "Undefined alias";
    case 16: return "Method variable does not exist";
    case 17: return "Illegal characters in alias";
    case 18: return "Alias already in uses";
    case 20: return "Create error";
    case 21: return "Open error";
    case 22: return "Close error";
    case 23: return "Read error";
    case 24: return "Write error";
    case 25: return "Print error";
    case 30: return "Unsupported";
    case 31: return "Limit exceeded";
    case 32: return "Corruption detected";
    case 33: return "Data type error";
    case 34: return "Data width error";
    case 36: return "No index in use";
    case 37: return "Exclusive required";
    case 38: return "Unlocked error";
    case 39: return "Readonly error";
    case 40: return "Append lock failed";
    case 41: return "Lock required";
    default: return "Undefined error code (Error.ch (EG_ " + std::to_string(gencode) + "))";
  }
}

std::string ERRORMESSAGE(Error& error) {
  std::string text = error.SEVERITY > 1 ? "Error " : "Warning ";
  text += error.SUBSYSTEM.empty() ? std::string("???") : error.SUBSYSTEM;
  text += "/";
  text += error.SUBCODE ? std::to_string(*error.SUBCODE) : std::string("???");
  error.DESCRIPTION = describeGenCode(error.GENCODE);
  text += "  " + error.DESCRIPTION;
  if (!error.FILENAME.empty()) {
    text += std::string(": ") + kCrLf + error.FILENAME;
  } else if (!error.OPERATION.empty()) {
    text += ": " + error.OPERATION;
  }
  return text;
}

std::string workingFolderText(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

std::optional<std::string> userMessage(const Error& error, const std::string& workingFolder) {
  const std::string name = namePart(error);
  switch (error.OSCODE) {
    case os::kFileNotFound:
    case os::kPathNotFound:
      return "Program ne moze da pronadje fajl" + name + kCrLf + "(radni folder: " +
             workingFolder + ")";
    case os::kAccessDenied:
      return "Fajl" + name + "je zakljucan od strane" + kCrLf + "operativnog sistema.";
    case os::kSharingViolation:
      return "Baza podataka" + name + "je zakljucana od strane" + kCrLf +
             "drugog programa ili drugog operatera.";
    case os::kNetworkPathNotFound:
    case os::kNetworkNameGone:
    case os::kNetworkAccessDenied:
      return "Baza podataka" + name + "sa mreznog diska nije dostupna.";
    case os::kInvalidParameter:
    case os::kUnexpectedNetworkError:
      return std::string("Nije moguce procitati podatak sa lokalnog") + kCrLf +
             "ili sa mreznog diska.";
    default: break;
  }
  switch (error.GENCODE) {
    case gen::kCorruption: return "Fajl" + name + "je privremeno ili trajno ostecen.";
    case gen::kRead: return "Fajl" + name + "nije dostupan za citanje.";
    case gen::kWrite: return "Fajl" + name + "nije dostupan za pisanje.";
    default: return std::nullopt;
  }
}

std::string withClosingSentences(const std::string& message) {
  return message + kCrLf + kCrLf + "Program ne moze da nastavi dalje sa radom." + kCrLf +
         "Otklonite problem i pokrenite program ponovo." + kCrLf;
}

std::string technicalText(Error& error, const std::vector<CallFrame>& frames) {
  std::string text = ERRORMESSAGE(error);
  if (error.OSCODE != 0) text += " (DOS Error " + std::to_string(error.OSCODE) + ") ";
  text += kCrLf;
  for (const CallFrame& frame : frames)
    text += std::string(kCrLf) + "Called from " + frame.name + " (" + std::to_string(frame.line) +
            ")  ";
  return text;
}

}  // namespace kavrina::errors
