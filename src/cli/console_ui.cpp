// The console user interface of kavrina-cli.
#include "cli/console_ui.h"

#include <ostream>

namespace kavrina::cli {
namespace {

class SilentWait final : public ui::WaitNotice {};

class SilentProgress final : public ui::ProgressBox {
 public:
  void setRange(int, int) override {}
  void setPosition(int) override {}
  bool cancelled() const override { return false; }
};

}  // namespace

std::string consoleText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += '\n';
      const char other = c == '\r' ? '\n' : '\r';
      if (i + 1 < text.size() && text[i + 1] == other) ++i;
    } else {
      out += c;
    }
  }
  return out;
}

ui::Answer ConsoleUi::messageBox(std::string_view text, ui::MessageKind kind,
                                 ui::MessageButtons buttons) {
  if (buttons == ui::MessageButtons::YesNo) return ui::Answer::Yes;
  std::ostream& to = kind == ui::MessageKind::Information ? out_ : err_;
  to << consoleText(text) << '\n';
  to.flush();
  return ui::Answer::Ok;
}

std::optional<std::string> ConsoleUi::inputBox(std::string_view, std::string_view, std::string_view,
                                               std::string_view, int) {
  return std::nullopt;
}

std::unique_ptr<ui::WaitNotice> ConsoleUi::showWait(std::string_view) {
  return std::make_unique<SilentWait>();
}

std::unique_ptr<ui::ProgressBox> ConsoleUi::showProgress(std::string_view, int, int) {
  return std::make_unique<SilentProgress>();
}

}  // namespace kavrina::cli
