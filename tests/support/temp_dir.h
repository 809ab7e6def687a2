// A fresh folder under the temporary directory, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace kavrina::test {

class TempDir {
 public:
  TempDir();
  // A folder under `base` instead of the temporary directory.
  explicit TempDir(const std::filesystem::path& base);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A folder in memory (/dev/shm) when there is one, for tests that flush files thousands of
// times; the temporary directory otherwise.
std::filesystem::path memoryFolderOrTemp();

// Whole file content as bytes.
std::string readFileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kavrina::test
