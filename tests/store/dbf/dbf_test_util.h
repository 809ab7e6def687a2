// Helpers the table tests speak in: making tables, opening them, and expecting the
// driver's error codes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// The bytes of a table as another program may have written it: the descriptors exactly as
// given (no width forced, a C width below 256), every record one live record of the field
// texts given, each already as wide as its field.
inline std::string foreignTableBytes(const store::Structure& fields,
                                     const std::vector<std::vector<std::string>>& records) {
  std::size_t recordLength = 1;
  for (const store::FieldDef& f : fields) recordLength += static_cast<std::size_t>(f.width);
  const std::size_t headerLength = 32 + 32 * fields.size() + 2;
  std::string bytes(32, '\0');
  bytes[0] = 0x03;
  bytes[1] = 23, bytes[2] = 10, bytes[3] = 16;
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((records.size() >> (8 * i)) & 0xFF);
  bytes[8] = static_cast<char>(headerLength & 0xFF),
  bytes[9] = static_cast<char>(headerLength >> 8);
  bytes[10] = static_cast<char>(recordLength & 0xFF),
  bytes[11] = static_cast<char>(recordLength >> 8);
  for (const store::FieldDef& f : fields) {
    std::string d(32, '\0');
    d.replace(0, f.name.size(), f.name);
    d[11] = f.type;
    d[16] = static_cast<char>(f.width);
    d[17] = static_cast<char>(f.decimals);
    bytes += d;
  }
  bytes += "\x0D";
  bytes += '\0';
  for (const auto& record : records) {
    bytes += ' ';
    for (const std::string& value : record) bytes += value;
  }
  bytes += "\x1A";
  return bytes;
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
