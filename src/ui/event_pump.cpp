#include "ui/event_pump.h"

#include "ui/user_interface.h"

namespace kavrina::ui {
namespace {

constexpr auto kEventInterval = std::chrono::milliseconds(20);

}  // namespace

void EventPump::operator()() {
  // The clock is read every few dozen records: a record takes a few microseconds.
  if (++calls_ % kRecordsPerLook != 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < kEventInterval) return;
  last_ = now;
  if (ui_ != nullptr) ui_->processEvents();
}

}  // namespace kavrina::ui
