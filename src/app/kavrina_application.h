// The application object: a QApplication whose event dispatch hands every exception an
// event handler lets escape to the program's error handler.
#pragma once

#include <QApplication>

namespace kavrina::app {

class KavrinaApplication final : public QApplication {
 public:
  KavrinaApplication(int& argc, char** argv);

  // Dispatches the event. An EndProgram cannot unwind through the dispatch: it begins the
  // end (errors::beginEnding) and leaves every event loop, so that exec() returns its code
  // to main, and no event is dispatched any more. Any other exception goes to
  // errors::reportException, which logs it, shows it and ends the program so.
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kavrina::app
