#include "errors/error_log_file.h"

#include "common/aside_file.h"

namespace kavrina::errors {

bool ErrorLogFile::create(const std::string& bytes) {
  AsideFile aside;
  if (aside.create(path_) != 0) return false;
  if (!aside.file().writeAt(0, bytes)) return false;
  if (aside.publish(true) != 0) return false;
  file_ = aside.release();
  return true;
}

bool ErrorLogFile::append(const std::string& bytes) {
  const std::int64_t end = file_.size();
  return end >= 0 && file_.writeAt(static_cast<std::uint64_t>(end), bytes) && file_.sync();
}

bool ErrorLogFile::write(const std::string& text) {
  return file_.isOpen() ? append(text) : create(text);
}

bool ErrorLogFile::appendTail(const std::string& tail) {
  if (!file_.isOpen()) return false;
  return append("\n\r\n\r" + tail + "\n\r");
}

}  // namespace kavrina::errors
