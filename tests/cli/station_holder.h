// Another station holding a table open (shared or exclusive) for the length of a test
// block: the dbf_worker program started as its own process.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/process.h"
#include "support/temp_dir.h"

namespace kavrina::test {

// Starts a station holding `file` open in `mode` ("shared" or "exclusive") until the object
// goes. Needs KAVRINA_DBF_WORKER.
class Holder {
 public:
  Holder(const std::filesystem::path& file, const std::string& mode,
         const std::filesystem::path& dir, const std::string& name)
      : ready_(dir / (name + ".ready")), release_(dir / (name + ".release")) {
    pid_ = startProcess(KAVRINA_DBF_WORKER,
                        {"hold", file.string(), mode, ready_.string(), release_.string()});
    for (int i = 0; i < 10000 && !std::filesystem::exists(ready_); ++i) ::usleep(1000);
    EXPECT_TRUE(std::filesystem::exists(ready_)) << "the station never opened " << file;
  }
  ~Holder() {
    writeFileBytes(release_, "");
    EXPECT_EQ(waitProcess(pid_), 0);
  }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;

 private:
  std::filesystem::path ready_, release_;
  pid_t pid_;
};

}  // namespace kavrina::test
