#include "common/clock.h"

#include <cstdio>
#include <ctime>

namespace kavrina {

std::string LocalTime::stamp() const {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%02d", hour % 100, minute % 100, second % 100);
  return date.toDbf() + "_" + text;
}

Clock Clock::fixedOn(Date day) {
  return Clock([day] { return LocalTime{day}; });
}

LocalTime Clock::now() const {
  if (read_) return read_();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday), local.tm_hour,
          local.tm_min, local.tm_sec};
}

}  // namespace kavrina
