// Today's date held still for a test that compares with it, so that it passes on any day
// and across midnight; the system's clock comes back when the test ends.
#pragma once

#include "common/date.h"

namespace kavrina::test {

class FixedToday {
 public:
  explicit FixedToday(Date day) {
    Date::setClock([day] { return day; });
  }
  ~FixedToday() { Date::setClock({}); }
  FixedToday(const FixedToday&) = delete;
  FixedToday& operator=(const FixedToday&) = delete;
};

}  // namespace kavrina::test
