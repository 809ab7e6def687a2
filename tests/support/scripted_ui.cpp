// The scripted user interface for tests.
#include "support/scripted_ui.h"

#include <algorithm>

#include "ui/picture.h"

namespace kavrina::ui {

class ScriptedUi::Wait final : public WaitNotice {
 public:
  Wait(ScriptedUi& ui, std::string text) : ui_(ui), text_(std::move(text)) {
    ++ui_.openWaitNotices_;
  }
  ~Wait() override {
    --ui_.openWaitNotices_;
    Event closed;
    closed.type = EventType::WaitClosed;
    closed.text = text_;
    ui_.events_.push_back(std::move(closed));
  }

 private:
  ScriptedUi& ui_;
  std::string text_;
};

class ScriptedUi::Progress final : public ProgressBox {
 public:
  Progress(ScriptedUi& ui, std::string text, int minimum, int maximum, std::optional<int> cancelAt)
      : ui_(ui),
        text_(std::move(text)),
        minimum_(minimum),
        maximum_(maximum),
        position_(minimum),
        cancelAt_(cancelAt) {
    ++ui_.openProgressBoxes_;
    ui_.openProgress_.push_back(this);
  }
  ~Progress() override {
    --ui_.openProgressBoxes_;
    std::erase(ui_.openProgress_, this);
    Event closed;
    closed.type = EventType::ProgressClosed;
    closed.text = text_;
    closed.minimum = minimum_;
    closed.maximum = maximum_;
    closed.position = position_;
    closed.cancelled = cancelled();
    ui_.events_.push_back(std::move(closed));
  }
  void setRange(int minimum, int maximum) override {
    minimum_ = minimum;
    maximum_ = maximum;
  }
  void setPosition(int position) override {
    position_ = position;
    if (cancelAt_ && position_ >= *cancelAt_) cancelled_ = true;
  }
  bool cancelled() const override { return cancelled_; }
  void cancel() { cancelled_ = true; }

 private:
  ScriptedUi& ui_;
  std::string text_;
  int minimum_;
  int maximum_;
  int position_;
  std::optional<int> cancelAt_;
  bool cancelled_ = false;
};

ScriptedUi& ScriptedUi::yes() {
  script_.emplace_back(Answer::Yes);
  return *this;
}

ScriptedUi& ScriptedUi::no() {
  script_.emplace_back(Answer::No);
  return *this;
}

ScriptedUi& ScriptedUi::type(std::string_view text) {
  script_.emplace_back(Typed{std::string(text)});
  return *this;
}

ScriptedUi& ScriptedUi::cancel() {
  script_.emplace_back(CancelInput{});
  return *this;
}

ScriptedUi& ScriptedUi::cancelProgressAt(int position) {
  nextProgressCancelAt_ = position;
  return *this;
}

void ScriptedUi::setOnProcessEvents(std::function<void(int pass)> hook) {
  onProcessEvents_ = std::move(hook);
}

void ScriptedUi::cancelOpenProgress() {
  for (Progress* progress : openProgress_) progress->cancel();
}

std::vector<std::string> ScriptedUi::messages() const {
  std::vector<std::string> texts;
  for (const Event& event : events_) {
    if (event.type == EventType::Message) texts.push_back(event.text);
  }
  return texts;
}

std::string ScriptedUi::transcriptLine(const Event& event) {
  switch (event.type) {
    case EventType::Message: {
      std::string line = std::string(messageKindName(event.kind)) + ": " + event.text;
      if (event.buttons == MessageButtons::YesNo) {
        line += event.answer == Answer::Yes ? " -> Yes" : " -> No";
      }
      return line;
    }
    case EventType::Input:
      return "input " + event.caption + " / " + event.text + " -> " +
             (event.typed ? *event.typed : std::string("cancel"));
    case EventType::WaitShown:
      return "wait: " + event.text;
    case EventType::WaitClosed:
      return "wait closed: " + event.text;
    case EventType::ProgressShown:
      return "progress " + std::to_string(event.minimum) + ".." + std::to_string(event.maximum) +
             ": " + event.text;
    case EventType::ProgressClosed:
      return "progress closed at " + std::to_string(event.position) +
             (event.cancelled ? ", cancelled" : "") + ": " + event.text;
  }
  return {};
}

std::vector<std::string> ScriptedUi::transcript() const {
  std::vector<std::string> lines;
  lines.reserve(events_.size());
  for (const Event& event : events_) lines.push_back(transcriptLine(event));
  return lines;
}

std::string ScriptedUi::describe(const Scripted& answer) {
  if (const auto* a = std::get_if<Answer>(&answer)) {
    return *a == Answer::Yes ? "yes()" : "no()";
  }
  if (const auto* typed = std::get_if<Typed>(&answer)) return "type(\"" + typed->text + "\")";
  return "cancel()";
}

void ScriptedUi::fail(const std::string& asked) const {
  std::string message = "ScriptedUi: the program asked for " + asked + ", but ";
  if (script_.empty()) {
    message += "no scripted answer is left";
  } else {
    message += "the next scripted answer is " + describe(script_.front());
  }
  message += ".\nShown so far:";
  for (const Event& event : events_) message += "\n  " + transcriptLine(event);
  throw ScriptError(message);
}

Answer ScriptedUi::messageBox(std::string_view text, MessageKind kind, MessageButtons buttons) {
  Event event;
  event.type = EventType::Message;
  event.text = std::string(text);
  event.kind = kind;
  event.buttons = buttons;
  if (buttons == MessageButtons::YesNo) {
    const auto* answer = script_.empty() ? nullptr : std::get_if<Answer>(&script_.front());
    if (answer == nullptr) {
      fail("an answer to the " + std::string(messageKindName(kind)) + " box \"" +
           std::string(text) + "\" (Yes/No)");
    }
    event.answer = *answer;
    script_.pop_front();
  } else {
    event.answer = Answer::Ok;
  }
  events_.push_back(event);
  return event.answer;
}

std::optional<std::string> ScriptedUi::inputBox(std::string_view caption, std::string_view prompt,
                                                std::string_view value, std::string_view picture,
                                                int widthPixels) {
  const Picture rules = parsePicture(picture);
  for (;;) {
    if (script_.empty() || std::holds_alternative<Answer>(script_.front())) {
      fail("input for the box \"" + std::string(caption) + "\" / \"" + std::string(prompt) + "\"");
    }
    Event event;
    event.type = EventType::Input;
    event.text = std::string(prompt);
    event.caption = std::string(caption);
    event.value = std::string(value);
    event.picture = std::string(picture);
    event.widthPixels = widthPixels;
    const Scripted answer = script_.front();
    script_.pop_front();
    if (std::holds_alternative<CancelInput>(answer)) {
      events_.push_back(std::move(event));
      return std::nullopt;
    }
    const std::string& typed = std::get<Typed>(answer).text;
    event.typed = typed;
    events_.push_back(std::move(event));
    if (auto accepted = pictureValue(rules, typed)) return accepted;
    messageBox(kInvalidInputText, MessageKind::Error, MessageButtons::Ok);
  }
}

std::unique_ptr<WaitNotice> ScriptedUi::showWait(std::string_view text) {
  Event event;
  event.type = EventType::WaitShown;
  event.text = std::string(text);
  events_.push_back(std::move(event));
  return std::make_unique<Wait>(*this, std::string(text));
}

std::unique_ptr<ProgressBox> ScriptedUi::showProgress(std::string_view text, int minimum,
                                                      int maximum) {
  Event event;
  event.type = EventType::ProgressShown;
  event.text = std::string(text);
  event.minimum = minimum;
  event.maximum = maximum;
  event.position = minimum;
  events_.push_back(std::move(event));
  auto cancelAt = nextProgressCancelAt_;
  nextProgressCancelAt_.reset();
  return std::make_unique<Progress>(*this, std::string(text), minimum, maximum, cancelAt);
}

void ScriptedUi::processEvents() {
  ++processEventsCount_;
  if (onProcessEvents_) onProcessEvents_(processEventsCount_);
}

}  // namespace kavrina::ui
