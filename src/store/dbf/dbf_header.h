// The header of a DBF table file: the fixed 32 bytes, the field descriptors and their
// terminator, as laid out in FORMAT.md. Parsing checks every rule the reading code relies on.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavrina::store {

// One field of a structure array: name, type letter, width, decimals.
struct FieldDef {
  std::string name;
  char type = 'C';
  int width = 0;
  int decimals = 0;
};
using Structure = std::vector<FieldDef>;

// A field as it lies in the record: its definition and its offset from the record start
// (the deletion flag is byte 0, so the first field starts at 1).
struct FieldLayout {
  FieldDef def;
  std::size_t offset = 0;
};

namespace dbf {
constexpr std::size_t kHeaderFixedSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kOffVersion = 0;
constexpr std::size_t kOffUpdateYear = 1;
constexpr std::size_t kOffUpdateMonth = 2;
constexpr std::size_t kOffUpdateDay = 3;
constexpr std::size_t kOffRecordCount = 4;
constexpr std::size_t kOffHeaderLength = 8;
constexpr std::size_t kOffRecordLength = 10;
constexpr std::size_t kOffKeptBytes = 28;  // two bytes left as read from the file
constexpr std::size_t kDescName = 0;
constexpr std::size_t kDescNameSize = 11;
constexpr std::size_t kDescType = 11;
constexpr std::size_t kDescWidth = 16;
constexpr std::size_t kDescDecimals = 17;
constexpr std::size_t kMaxNameLength = 10;
constexpr std::uint8_t kVersionPlain = 0x03;
constexpr std::uint8_t kVersionWithMemo = 0x83;
constexpr char kDescriptorEnd = 0x0D;
constexpr char kEndOfFile = 0x1A;
constexpr char kLiveFlag = ' ';
constexpr char kDeletedFlag = '*';
constexpr int kDateWidth = 8;
constexpr int kLogicalWidth = 1;
constexpr int kMemoWidth = 10;
}  // namespace dbf

struct DbfHeader {
  std::uint8_t version = dbf::kVersionPlain;
  std::uint32_t recordCount = 0;
  std::uint16_t headerLength = 0;
  std::uint16_t recordLength = 0;
  std::array<char, 2> keptBytes{};
  std::vector<FieldLayout> fields;

  bool hasMemo() const;
};

// The header for a new table: names upper case, D/L/M widths forced to 8/1/10, offsets
// laid out. Returns an empty optional-like header with no fields and sets `problem` when the
// structure cannot be stored (empty, bad name, type or width, record too long).
DbfHeader headerForStructure(const Structure& structure, std::string& problem);

// Checks the fixed 32 bytes and says how many header bytes to read; 0 when they are unusable.
std::size_t headerLengthToRead(std::span<const char> first32);

// Parses and checks a whole header (`bytes` holds at least the header length). Sets
// `problem` to a short English reason and returns false when the header is not usable.
bool parseHeader(std::span<const char> bytes, DbfHeader& header, std::string& problem);

// The 32 fixed bytes with the given date of the last update.
std::array<char, dbf::kHeaderFixedSize> encodeFixedHeader(const DbfHeader& header, int year,
                                                          int month, int day);
// The whole header of a new table: fixed bytes, descriptors, 0x0D and 0x00.
std::vector<char> encodeHeader(const DbfHeader& header, int year, int month, int day);

// Case-insensitive equality of field names.
bool sameFieldName(std::string_view a, std::string_view b);

}  // namespace kavrina::store
