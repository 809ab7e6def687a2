// The program's one clock: today's date and the local time of day. main makes it and hands
// it down in the session (and the online tasks' context); a test hands down a fixed one.
#pragma once

#include <functional>
#include <string>

#include "common/date.h"

namespace kavrina {

// A local date and time of day.
struct LocalTime {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;

  // The date as eight digits, "_", the time as six digits: "20231016_142530".
  std::string stamp() const;
};

class Clock {
 public:
  // The system's local clock.
  Clock() = default;
  // A clock that reads `read` (an empty one reads the system's).
  explicit Clock(std::function<LocalTime()> read) : read_(std::move(read)) {}
  // A clock that always answers `day` at midnight.
  static Clock fixedOn(Date day);

  LocalTime now() const;
  Date today() const { return now().date; }

 private:
  std::function<LocalTime()> read_;
};

}  // namespace kavrina
