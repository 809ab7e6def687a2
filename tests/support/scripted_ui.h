// A user interface for tests: the user's answers are scripted in order beforehand, and
// everything the program shows is recorded, so a test can drive a dialog flow and assert on
// the exact texts.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/user_interface.h"

namespace kavrina::ui {

// Raised when the program asks for an answer the script does not hold (nothing left, or
// an answer of another sort next). Its text names what was asked and lists what was shown.
class ScriptError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Scripted user interface.
//
// Rules:
// - Every Yes/No box takes the next scripted answer, which must be yes() or no().
// - Every input box takes the next scripted answer, which must be type(...) or cancel().
//   The typed text replaces the box's value and is checked with the box's picture exactly
//   as the real box does: refused text records the error box "Pogresan unos." and the box
//   takes the next scripted answer.
// - An OK box needs no scripted answer: it is recorded and acknowledged.
// - Wait notices and progress boxes are recorded when shown and when closed.
// Wait notices and progress boxes must not outlive the ScriptedUi that made them.
class ScriptedUi final : public UserInterface {
 public:
  enum class EventType { Message, Input, WaitShown, WaitClosed, ProgressShown, ProgressClosed };

  // One thing shown to the user, in the order shown.
  struct Event {
    EventType type = EventType::Message;
    // Message text, input prompt, or wait/progress text.
    std::string text;
    // Message: kind, buttons and the answer given.
    MessageKind kind = MessageKind::Information;
    MessageButtons buttons = MessageButtons::Ok;
    Answer answer = Answer::Ok;
    // Input: caption, starting value, picture, width, and the text typed (none: cancelled).
    std::string caption;
    std::string value;
    std::string picture;
    int widthPixels = 0;
    std::optional<std::string> typed;
    // Progress: range; at closing, the last position and whether it was cancelled.
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    bool cancelled = false;
  };

  ScriptedUi() = default;
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;

  // --- the script, consumed in order ---
  ScriptedUi& yes();
  ScriptedUi& no();
  // Answers the next input box with `text`, confirmed with OK.
  ScriptedUi& type(std::string_view text);
  // Cancels the next input box.
  ScriptedUi& cancel();
  // The next progress box reports cancelled() once its position reaches `position`.
  ScriptedUi& cancelProgressAt(int position);
  // Called on every processEvents() with the number of passes so far (1 for the first), to
  // simulate what happens meanwhile (a click on Cancel, another station's work).
  void setOnProcessEvents(std::function<void(int pass)> hook);

  // --- what happened ---
  const std::vector<Event>& events() const { return events_; }
  // Texts of the message boxes shown, in order.
  std::vector<std::string> messages() const;
  // One line per event, e.g. "confirmation: Sigurno brisete SVA Kavrina ? -> Yes",
  // "error: Pogresan unos.", "input Unos / Obracunska godina: -> 2023",
  // "wait: Obracun u toku. Molim sacekajte...", "wait closed: ...",
  // "progress 1..10: ...", "progress closed at 10: ..." (", cancelled" when cancelled).
  std::vector<std::string> transcript() const;
  // Scripted answers not asked for yet.
  std::size_t unusedAnswers() const { return script_.size(); }
  int processEventsCount() const { return processEventsCount_; }
  int openWaitNotices() const { return openWaitNotices_; }
  int openProgressBoxes() const { return openProgressBoxes_; }
  // Cancels every open progress box, as a click on its Cancel button would.
  void cancelOpenProgress();

  // --- UserInterface ---
  Answer messageBox(std::string_view text, MessageKind kind, MessageButtons buttons) override;
  std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view value, std::string_view picture,
                                      int widthPixels) override;
  [[nodiscard]] std::unique_ptr<WaitNotice> showWait(std::string_view text) override;
  [[nodiscard]] std::unique_ptr<ProgressBox> showProgress(std::string_view text, int minimum,
                                                          int maximum) override;
  void processEvents() override;

 private:
  class Wait;
  class Progress;
  struct Typed {
    std::string text;
  };
  struct CancelInput {};
  using Scripted = std::variant<Answer, Typed, CancelInput>;

  static std::string describe(const Scripted& answer);
  [[noreturn]] void fail(const std::string& asked) const;
  static std::string transcriptLine(const Event& event);

  std::deque<Scripted> script_;
  std::vector<Event> events_;
  std::optional<int> nextProgressCancelAt_;
  std::vector<Progress*> openProgress_;
  std::function<void(int)> onProcessEvents_;
  int processEventsCount_ = 0;
  int openWaitNotices_ = 0;
  int openProgressBoxes_ = 0;
};

}  // namespace kavrina::ui
