// The program's user interface on Qt Widgets.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/user_interface.h"

namespace kavrina::ui {

// Implements UserInterface with Qt widgets shown over a parent window (the main window,
// or none before it exists). Needs a QApplication; every call runs on its thread.
//
// The wait notice and the progress box are application-modal while they are up: the code
// goes on at once after showing them, and pending events still run, but clicks on the main
// window are refused, so no second command can start in the middle of a long operation.
class QtUserInterface final : public UserInterface {
 public:
  explicit QtUserInterface(QWidget* parentWindow = nullptr);

  // The window the boxes are centred over and owned by; may be null.
  void setParentWindow(QWidget* parentWindow);

  Answer messageBox(std::string_view text, MessageKind kind, MessageButtons buttons) override;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view value, std::string_view picture,
                                      int widthPixels) override;
  [[nodiscard]] std::unique_ptr<WaitNotice> showWait(std::string_view text) override;
  [[nodiscard]] std::unique_ptr<WaitNotice> showNetworkWait(std::string_view text) override;
  [[nodiscard]] std::unique_ptr<ProgressBox> showProgress(std::string_view text, int minimum,
                                                          int maximum) override;
  void processEvents() override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kavrina::ui
