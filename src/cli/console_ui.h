// The user interface of kavrina-cli: no window and no questions. The command line is the
// user's confirmation, so a Yes/No question is answered Yes; messages go to the console.
#pragma once

#include <iosfwd>

#include "ui/user_interface.h"

namespace kavrina::cli {

// Writes information boxes to `out` and warnings and errors to `err`, each text followed
// by a line break (its CR and LF line breaks become line breaks). Confirmation questions
// are answered Yes without being shown; input boxes are answered as cancelled (the tool
// takes its values from the command line and never asks). Wait notices and progress boxes
// show nothing.
class ConsoleUi final : public ui::UserInterface {
 public:
  ConsoleUi(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  ui::Answer messageBox(std::string_view text, ui::MessageKind kind,
                        ui::MessageButtons buttons) override;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view value, std::string_view picture,
                                      int widthPixels) override;
  [[nodiscard]] std::unique_ptr<ui::WaitNotice> showWait(std::string_view text) override;
  [[nodiscard]] std::unique_ptr<ui::ProgressBox> showProgress(std::string_view text, int minimum,
                                                              int maximum) override;
  void processEvents() override {}

 private:
  std::ostream& out_;
  std::ostream& err_;
};

// A text as console lines: every CR, LF, CR LF and LF CR becomes one "\n".
std::string consoleText(std::string_view text);

}  // namespace kavrina::cli
