#include "app/kavrina_application.h"

#include <cstdlib>
#include <exception>

#include "errors/error_handler.h"
#include "store/end_program.h"

namespace kavrina::app {

KavrinaApplication::KavrinaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KavrinaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    try {
      return QApplication::notify(receiver, event);
    } catch (const store::EndProgram&) {
      throw;
    } catch (...) {
      // Logs and shows it, then ends the program by throwing EndProgram (see runProgram).
      errors::reportException(std::current_exception());
    }
  } catch (const store::EndProgram& end) {
    // The event handler has unwound (its work areas and rewrites closed): close the rest.
    if (onEndProgram_) onEndProgram_(end.exitCode());
    std::exit(end.exitCode());
  }
}

}  // namespace kavrina::app
