#include "common/fault_injection.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace kavrina::faults {
namespace {

constexpr std::size_t kKinds = 4;

struct State {
  bool armed = false;
  Trigger trigger;
  std::array<std::uint64_t, kKinds> counts{};
  Observer observer;
};

State& state() {
  static State s;
  return s;
}

std::size_t slot(Op op) {
  return static_cast<std::size_t>(op);
}

bool parseOp(std::string_view text, Op& op) {
  if (text == "write")
    op = Op::Write;
  else if (text == "flush")
    op = Op::Flush;
  else if (text == "rename")
    op = Op::Rename;
  else if (text == "truncate")
    op = Op::Truncate;
  else
    return false;
  return true;
}

bool parseEffect(std::string_view text, Trigger& t) {
  if (text == "kill") {
    t.effect = Effect::Kill;
    return true;
  }
  t.effect = Effect::Fail;
  if (text == "fail" || text == "eio")
    t.error = EIO;
  else if (text == "enospc")
    t.error = ENOSPC;
  else if (text == "erofs")
    t.error = EROFS;
  else if (text == "eacces")
    t.error = EACCES;
  else
    return false;
  return true;
}

}  // namespace

void arm(const Trigger& trigger) {
  State& s = state();
  s.trigger = trigger;
  s.armed = true;
  s.counts.fill(0);
}

void disarm() {
  state().armed = false;
}

void resetCounts() {
  state().counts.fill(0);
}

std::uint64_t seen(Op op) {
  return state().counts[slot(op)];
}

void setObserver(Observer observer) {
  state().observer = std::move(observer);
}

int before(Op op, std::string_view name) {
  State& s = state();
  const std::uint64_t n = ++s.counts[slot(op)];
  if (s.observer) s.observer(op, n, name);
  if (!s.armed || s.trigger.op != op) return 0;
  if (n < s.trigger.nth) return 0;
  if (n > s.trigger.nth && !s.trigger.sticky) return 0;
  if (s.trigger.effect == Effect::Kill) {
    ::kill(::getpid(), SIGKILL);
    ::_exit(137);  // not reached
  }
  return s.trigger.error;
}

bool armFromText(const char* text) {
  if (text == nullptr) return false;
  std::string_view rest(text);
  std::array<std::string_view, 4> parts{};
  std::size_t count = 0;
  while (!rest.empty() && count < parts.size()) {
    const std::size_t colon = rest.find(':');
    parts[count++] = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  if (count < 3 || !rest.empty()) return false;
  Trigger t;
  if (!parseOp(parts[0], t.op)) return false;
  char* end = nullptr;
  const std::string nth(parts[1]);
  t.nth = std::strtoull(nth.c_str(), &end, 10);
  if (end == nth.c_str() || *end != '\0' || t.nth == 0) return false;
  if (!parseEffect(parts[2], t)) return false;
  if (count == 4) {
    if (parts[3] != "sticky") return false;
    t.sticky = true;
  }
  arm(t);
  return true;
}

}  // namespace kavrina::faults
