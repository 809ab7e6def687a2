#include "app/kavrina_application.h"

#include <exception>

#include "errors/end_program.h"
#include "errors/error_handler.h"

namespace kavrina::app {

KavrinaApplication::KavrinaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KavrinaApplication::notify(QObject* receiver, QEvent* event) {
  // The program is ending: nothing more may run while the loops are left.
  if (errors::endingCode()) return false;
  try {
    try {
      return QApplication::notify(receiver, event);
    } catch (const errors::EndProgram&) {
      throw;
    } catch (...) {
      // Logs and shows it, then ends the program by raising EndProgram.
      errors::reportException(std::current_exception());
    }
  } catch (const errors::EndProgram& end) {
    // The handler has unwound (its work areas and rewrites closed); the code that ran a
    // loop of its own goes on unwinding when its loop returns (errors::continueEnding).
    errors::beginEnding(end.exitCode());
    QCoreApplication::exit(end.exitCode());
  }
  return false;
}

}  // namespace kavrina::app
