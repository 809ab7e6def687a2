#include "errors/error_message.h"

namespace kavrina::errors {
namespace {

// The name part of the user messages: a blank, or " (file) ".
std::string namePart(const Error& error) {
  return error.FILENAME.empty() ? std::string(" ") : " (" + error.FILENAME + ") ";
}

// Whether the failure was one of putting data into a file (rather than getting it out).
bool isWriteFailure(const Error& error) {
  return error.GENCODE == gen::kWrite || error.GENCODE == gen::kCreate;
}

// General codes and the descriptions ERRORMESSAGE gives them.
constexpr struct {
  int code;
  const char* text;
} kGenCodeTexts[] = {
    {0, "C3 argument error"},
    {1, "Argument error"},
    {2, "Bound/limit error"},
    {3, "String overflow"},
    {4, "Numeric overflow"},
    {7, "Syntax error"},
    {12, "Function does not exist"},
    {13, "Method does not exist"},
    {14, "Variable does not exist"},
    {15, "Undefined alias"},
    {16, "Method variable does not exist"},
    {17, "Illegal characters in alias"},
    {18, "Alias already in uses"},
    {20, "Create error"},
    {21, "Open error"},
    {22, "Close error"},
    {23, "Read error"},
    {24, "Write error"},
    {25, "Print error"},
    {30, "Unsupported"},
    {31, "Limit exceeded"},
    {32, "Corruption detected"},
    {33, "Data type error"},
    {34, "Data width error"},
    {36, "No index in use"},
    {37, "Exclusive required"},
    {38, "Unlocked error"},
    {39, "Readonly error"},
    {40, "Append lock failed"},
    {41, "Lock required"},
};

}  // namespace

std::string describeGenCode(int gencode) {
  for (const auto& entry : kGenCodeTexts)
    if (entry.code == gencode) return entry.text;
  return "Undefined error code (Error.ch (EG_ " + std::to_string(gencode) + "))";
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
      return "Program ne moze da pronadje fajl" + name + kCrLf + "(radni folder: " + workingFolder +
             ")";
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
      if (isWriteFailure(error))
        return "Nije moguce upisati podatak u fajl" + name + "na lokalnom" + kCrLf +
               "ili na mreznom disku.";
      return std::string("Nije moguce procitati podatak sa lokalnog") + kCrLf +
             "ili sa mreznog diska.";
    case os::kDiskFull:
      return std::string("Nema dovoljno prostora na disku.") + kCrLf + "Fajl" + name +
             "nije moguce upisati.";
    case os::kWriteProtected:
      return "Fajl" + name + "nije moguce menjati:" + kCrLf +
             "fajl, folder ili disk je samo za citanje.";
    case os::kStoppedOnLink:
      return "Fajl" + name + "je simbolicka veza na drugi fajl." + kCrLf +
             "Program ne otvara fajlove preko takve veze.";
    default:
      break;
  }
  switch (error.GENCODE) {
    case gen::kCorruption:
      if (error.SUBCODE == sub::kStructure)
        return "Fajl" + name + "nema strukturu koju program ocekuje." + kCrLf + error.OPERATION;
      return "Fajl" + name + "je privremeno ili trajno ostecen." + kCrLf +
             "Program ga nije menjao. Vratite ispravan fajl iz arhive podataka.";
    case gen::kRead:
      return "Fajl" + name + "nije dostupan za citanje.";
    case gen::kWrite:
      return "Fajl" + name + "nije dostupan za pisanje.";
    default:
      return std::nullopt;
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
