// Helpers the index tests speak in: asset registers with their index, inventory numbers as
// keys, the driver's errors, and bytes of the index file.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "errors/error.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"
#include "support/temp_dir.h"

namespace kavrina::test {

inline std::unique_ptr<store::DbfTable> openTable(const std::filesystem::path& path, bool shared) {
  return store::DbfTable::open(path, {.shared = shared, .readOnly = false});
}

// An empty asset register `MDOS` at `path`, open, with a fresh val(InvBr) index beside it.
inline std::unique_ptr<store::DbfTable> mdosWithIndex(const std::filesystem::path& dbf,
                                                      const std::filesystem::path& ntx,
                                                      bool shared = false) {
  store::DbfTable::create(dbf, store::schema::mdos());
  auto t = openTable(dbf, shared);
  store::ntx::createIndex(*t, ntx, "val(InvBr)");
  return t;
}

// Appends an asset with this inventory number and writes it back.
inline void appendAsset(store::DbfTable& t, const std::string& invBr) {
  ASSERT_TRUE(t.append(true));
  t.putString("InvBr", invBr);
  t.putString("Naziv", "Sredstvo " + invBr);
  t.unlock();
  t.commit();
}

// Inventory numbers met in index order from the top, hidden records skipped by the table.
inline std::vector<std::string> invBrInOrder(store::DbfTable& t) {
  std::vector<std::string> out;
  for (t.goTop(); !t.eof(); t.skip(1)) {
    std::string s = t.getString("InvBr");
    out.push_back(s.substr(0, s.find_last_not_of(' ') + 1));
  }
  return out;
}

inline store::ntx::NtxOrder& orderOf(store::DbfTable& t) {
  return *static_cast<store::ntx::NtxOrder*>(t.controllingOrder());
}

// The error `action` raises (GENCODE 0 when it raises none).
inline errors::Error errorRaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const errors::Error& e) {
    return e;
  }
  return errors::Error{};
}

#define EXPECT_NTX_ERROR(action, gencode, subcode)            \
  do {                                                        \
    errors::Error e_ = errorRaisedBy([&] { action; });        \
    EXPECT_EQ(e_.GENCODE, gencode) << e_.what();              \
    EXPECT_EQ(e_.SUBCODE.value_or(-1), subcode) << e_.what(); \
  } while (0)

inline std::uint16_t u16At(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::uint32_t u32At(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(u16At(bytes, at)) |
         static_cast<std::uint32_t>(u16At(bytes, at + 2)) << 16;
}

inline void putU16(std::string& bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

inline void putU32(std::string& bytes, std::size_t at, std::uint32_t v) {
  putU16(bytes, at, static_cast<std::uint16_t>(v & 0xFFFF));
  putU16(bytes, at + 2, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace kavrina::test
