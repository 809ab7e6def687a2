// Today's date held still on a session's clock for a test that compares with it, so that it
// passes on any day and across midnight; the session's clock before comes back when the
// test ends.
#pragma once

#include "common/clock.h"
#include "store/program.h"

namespace kavrina::test {

class FixedToday {
 public:
  FixedToday(store::Session& session, Date day) : session_(session), previous_(session.clock) {
    session.clock = Clock::fixedOn(day);
  }
  ~FixedToday() { session_.clock = previous_; }
  FixedToday(const FixedToday&) = delete;
  FixedToday& operator=(const FixedToday&) = delete;

 private:
  store::Session& session_;
  Clock previous_;
};

}  // namespace kavrina::test
