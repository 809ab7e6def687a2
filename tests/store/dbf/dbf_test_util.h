// Helpers the table tests speak in: making tables, opening them, and expecting the
// driver's error codes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "errors/error.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::test {

inline std::unique_ptr<store::DbfTable> makeTable(const std::filesystem::path& path,
                                                  const store::Structure& structure,
                                                  bool shared = false) {
  store::DbfTable::create(path, structure);
  return store::DbfTable::open(path, {.shared = shared, .readOnly = false});
}

inline std::unique_ptr<store::DbfTable> openShared(const std::filesystem::path& path) {
  return store::DbfTable::open(path, {.shared = true, .readOnly = false});
}

inline std::unique_ptr<store::DbfTable> openExclusive(const std::filesystem::path& path) {
  return store::DbfTable::open(path, {.shared = false, .readOnly = false});
}

// The error `action` raises (GENCODE 0 when it raises none).
inline errors::Error errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const errors::Error& e) {
    return e;
  }
  return errors::Error{};
}

#define EXPECT_DRIVER_ERROR(action, gencode, subcode)         \
  do {                                                        \
    errors::Error e_ = errorOf([&] { action; });              \
    EXPECT_EQ(e_.GENCODE, gencode) << e_.what();              \
    EXPECT_EQ(e_.SUBCODE.value_or(-1), subcode) << e_.what(); \
  } while (0)

}  // namespace kavrina::test
