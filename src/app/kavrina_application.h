// The application object: a QApplication whose event dispatch hands every exception an
// event handler lets escape to the program's error handler.
#pragma once

#include <QApplication>
#include <functional>

namespace kavrina::app {

class KavrinaApplication final : public QApplication {
 public:
  KavrinaApplication(int& argc, char** argv);

  // What ends the program when a handler raised EndProgram (the tables are closed and the
  // process exits with the code). Default: std::exit with the code.
  void setOnEndProgram(std::function<void(int)> end) { onEndProgram_ = std::move(end); }

  // Dispatches the event; an EndProgram ends the program in order, any other exception
  // goes to errors::reportException, which logs it, shows it and ends the program.
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::function<void(int)> onEndProgram_;
};

}  // namespace kavrina::app
