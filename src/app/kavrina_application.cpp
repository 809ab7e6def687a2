#include "app/kavrina_application.h"

#include <cstdlib>
#include <exception>

#include "errors/error_handler.h"
#include "store/end_program.h"

namespace kavrina::app {

KavrinaApplication::KavrinaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KavrinaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const store::EndProgram& end) {
    if (onEndProgram_) onEndProgram_(end.exitCode());
    std::exit(end.exitCode());
  } catch (...) {
    errors::reportException(std::current_exception());
  }
}

}  // namespace kavrina::app
