// Lets pending window events run from a loop that calls it once per record, at most every
// few milliseconds, so that a 100,000-record loop keeps the window painted (and its
// cancel button answering) without spending its time in the event loop.
#pragma once

#include <chrono>

#include "ui/user_interface.h"

namespace kavrina::ui {

class EventPump {
 public:
  // Lets the events of `ui` run; without one (no user) it does nothing.
  explicit EventPump(UserInterface* ui) : ui_(ui) {}
  void operator()();

 private:
  UserInterface* ui_;
  static constexpr unsigned kRecordsPerLook = 64;
  std::chrono::steady_clock::time_point last_{};
  unsigned calls_ = 0;
};

}  // namespace kavrina::ui
