#include "errors/end_program.h"

namespace kavrina::errors {

namespace {
// The program has one user-interface thread, and one end.
std::optional<int> ending;
}  // namespace

void beginEnding(int exitCode) {
  if (!ending) ending = exitCode;
}

std::optional<int> endingCode() {
  return ending;
}

void continueEnding() {
  if (ending) throw EndProgram(*ending);
}

}  // namespace kavrina::errors
