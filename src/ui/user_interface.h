// The user-interface layer the rest of the program talks through: message boxes, the input
// box, the wait notice, the progress box and letting pending events run. The program
// installs the Qt implementation (src/ui/qt/); tests install the scripted one.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/message_box.h"

namespace kavrina::ui {

// A modeless notice without buttons ("... Molim sacekajte...") that stays on screen while
// long work runs. Destroying the object closes the notice, so an early return or an
// exception cannot leave it behind.
class WaitNotice {
 public:
  virtual ~WaitNotice() = default;
};

// A progress box with a text, a range, a position and a cancel action. Destroying the object
// closes the box.
class ProgressBox {
 public:
  virtual ~ProgressBox() = default;
  virtual void setRange(int minimum, int maximum) = 0;
  virtual void setPosition(int position) = 0;
  // True once the user has asked to cancel; stays true until the box is closed. The work
  // loop tests it after letting pending events run.
  virtual bool cancelled() const = 0;
};

// The user-facing operations. Texts are UTF-8 and are shown exactly as given, except that
// every CR, LF, CR LF and LF CR is one line break (see displayText).
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Shows a modal message box and answers the button chosen: Answer::Ok for an Ok box,
  // Answer::Yes or Answer::No for a Yes/No box (anything but an explicit Yes is No).
  virtual Answer messageBox(std::string_view text, MessageKind kind, MessageButtons buttons) = 0;

  // Shows the modal input box titled `caption`, with `prompt` above an edit `widthPixels`
  // wide that starts with `value` and accepts what `picture` allows (ui/picture.h). Invalid
  // input confirmed with OK is answered with the error box "Pogresan unos." and the box is
  // asked again. Answers the value (see pictureValue) when confirmed with OK, no value when
  // cancelled. Raises std::invalid_argument for an unsupported picture.
  virtual std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                              std::string_view value, std::string_view picture,
                                              int widthPixels) = 0;

  // Shows the wait notice with `text` and returns at once, with the notice painted.
  [[nodiscard]] virtual std::unique_ptr<WaitNotice> showWait(std::string_view text) = 0;

  // The wait notice of a network step: as showWait, but the user may still close the main
  // window meanwhile (which cancels the step and ends the program); every other input waits.
  [[nodiscard]] virtual std::unique_ptr<WaitNotice> showNetworkWait(std::string_view text) {
    return showWait(text);
  }

  // Shows a progress box with `text` and the range from `minimum` to `maximum`, position
  // at `minimum`, and returns at once. The box's cancel button sets its cancelled() flag.
  [[nodiscard]] virtual std::unique_ptr<ProgressBox> showProgress(std::string_view text,
                                                                  int minimum, int maximum) = 0;

  // Lets pending window events run once (repaint, the progress box's cancel button).
  virtual void processEvents() = 0;
};

}  // namespace kavrina::ui
