// Test helper: installs the error handler for the folder given, shows every error output
// by appending it to "shown.txt" in that folder, and fails in the way asked:
//   error_handler_child <folder> missing   a fatal open error, OS code 2
//   error_handler_child <folder> throw     a std::out_of_range that nothing catches
//   error_handler_child <folder> soft      an open with a sharing conflict (exits 0)
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "errors/error.h"
#include "errors/error_handler.h"
#include "errors/network_error.h"

namespace {

[[gnu::noinline]] void throwOutOfRange() {
  std::vector<int> values(3);
  throw std::out_of_range("index 7 of " + std::to_string(values.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  static kavrina::errors::ProgramInfo info;
  info.folder = argv[1];
  info.CSTARTTIME = "16.10.2023 08:00:00";
  const std::string shown = (info.folder / "shown.txt").string();
  kavrina::errors::ErrorHooks hooks;
  hooks.show = [shown](const std::string& text) {
    std::ofstream(shown, std::ios::app | std::ios::binary) << text;
  };
  kavrina::errors::installErrorHandler(info, hooks);
  const std::string mode = argv[2];
  if (mode == "missing") {
    kavrina::errors::fail(
        kavrina::errors::driverError(kavrina::errors::gen::kOpen, 1001, "DBF/Firme.dbf", 2));
  } else if (mode == "throw") {
    throwOutOfRange();
  } else if (mode == "soft") {
    auto e = kavrina::errors::driverError(kavrina::errors::gen::kOpen, 1001, "DBF/MDOS.dbf", 32);
    bool soft = kavrina::errors::raise(e) == kavrina::errors::ErrorAnswer::Default;
    return soft && kavrina::errors::networkError() ? 0 : 3;
  }
  return 4;
}
