#include "store/dbf/dbf_header.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "common/little_endian.h"
#include "common/text.h"

namespace kavrina::store {
namespace {

std::uint16_t readU16(std::span<const char> b, std::size_t at) {
  return le::readU16(b.data() + at);
}

std::uint32_t readU32(std::span<const char> b, std::size_t at) {
  return le::readU32(b.data() + at);
}

using le::writeU16;
using le::writeU32;

bool isTypeLetter(char t) {
  return t == 'C' || t == 'N' || t == 'D' || t == 'L' || t == 'M';
}

using text::upper;

std::string trimBlanks(std::string_view s) {
  return std::string(text::trimBlanks(s));
}

}  // namespace

bool DbfHeader::hasMemo() const {
  return std::any_of(fields.begin(), fields.end(),
                     [](const FieldLayout& f) { return f.def.type == 'M'; });
}

bool sameFieldName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

DbfHeader headerForStructure(const Structure& structure, std::string& problem) {
  DbfHeader header;
  problem.clear();
  if (structure.empty()) {
    problem = "no fields";
    return header;
  }
  std::size_t offset = 1;
  for (const FieldDef& in : structure) {
    FieldDef f;
    f.name = upper(trimBlanks(in.name));
    f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(in.type)));
    f.width = in.width;
    f.decimals = in.decimals;
    if (f.name.empty() || f.name.size() > dbf::kMaxNameLength) {
      problem = "bad field name '" + in.name + "'";
      return {};
    }
    switch (f.type) {
      case 'D':
        f.width = dbf::kDateWidth;
        f.decimals = 0;
        break;
      case 'L':
        f.width = dbf::kLogicalWidth;
        f.decimals = 0;
        break;
      case 'M':
        f.width = dbf::kMemoWidth;
        f.decimals = 0;
        break;
      case 'C':
        f.decimals = 0;
        if (f.width < 1 || f.width > 0xFFFF) problem = "bad width of " + f.name;
        break;
      case 'N':
        if (f.width < 1 || f.width > 0xFF || f.decimals < 0 || f.decimals >= f.width)
          problem = "bad width of " + f.name;
        break;
      default:
        problem = "bad type of " + f.name;
    }
    if (!problem.empty()) return {};
    header.fields.push_back({f, offset});
    offset += static_cast<std::size_t>(f.width);
  }
  std::size_t headerLength = dbf::kHeaderFixedSize + dbf::kDescriptorSize * structure.size() + 2;
  if (offset > 0xFFFF || headerLength > 0xFFFF) {
    problem = "record too long";
    return {};
  }
  header.recordLength = static_cast<std::uint16_t>(offset);
  header.headerLength = static_cast<std::uint16_t>(headerLength);
  header.version = header.hasMemo() ? dbf::kVersionWithMemo : dbf::kVersionPlain;
  return header;
}

std::size_t headerLengthToRead(std::span<const char> first32) {
  if (first32.size() < dbf::kHeaderFixedSize) return 0;
  return readU16(first32, dbf::kOffHeaderLength);
}

bool parseHeader(std::span<const char> bytes, DbfHeader& header, std::string& problem) {
  header = DbfHeader{};
  if (bytes.size() < dbf::kHeaderFixedSize) {
    problem = "truncated header";
    return false;
  }
  header.version = static_cast<std::uint8_t>(bytes[dbf::kOffVersion]);
  if (header.version != dbf::kVersionPlain && header.version != dbf::kVersionWithMemo) {
    problem = "unknown version byte";
    return false;
  }
  header.recordCount = readU32(bytes, dbf::kOffRecordCount);
  header.headerLength = readU16(bytes, dbf::kOffHeaderLength);
  header.recordLength = readU16(bytes, dbf::kOffRecordLength);
  header.keptBytes = {bytes[dbf::kOffKeptBytes], bytes[dbf::kOffKeptBytes + 1]};

  // The header length fixes the number of descriptors: 32 + 32 n + 0x0D (+ 0x00).
  const std::size_t length = header.headerLength;
  const std::size_t minimum = dbf::kHeaderFixedSize + dbf::kDescriptorSize + 1;
  if (length < minimum || bytes.size() < length) {
    problem = "header length out of range";
    return false;
  }
  const std::size_t count = (length - dbf::kHeaderFixedSize - 1) / dbf::kDescriptorSize;
  const std::size_t rest = length - dbf::kHeaderFixedSize - 1 - count * dbf::kDescriptorSize;
  if (rest > 1) {
    problem = "header length disagrees with the descriptors";
    return false;
  }
  const std::size_t terminatorAt = dbf::kHeaderFixedSize + count * dbf::kDescriptorSize;
  if (bytes[terminatorAt] != dbf::kDescriptorEnd) {
    problem = "descriptor terminator missing";
    return false;
  }

  std::size_t offset = 1;
  for (std::size_t i = 0; i < count; ++i) {
    std::span<const char> d =
        bytes.subspan(dbf::kHeaderFixedSize + i * dbf::kDescriptorSize, dbf::kDescriptorSize);
    if (d[0] == dbf::kDescriptorEnd) {
      problem = "header length disagrees with the descriptors";
      return false;
    }
    const char* nameEnd = static_cast<const char*>(std::memchr(d.data(), 0, dbf::kDescNameSize));
    if (nameEnd == nullptr || nameEnd == d.data()) {
      problem = "bad field name";
      return false;
    }
    FieldDef f;
    f.name = upper(std::string_view(d.data(), static_cast<std::size_t>(nameEnd - d.data())));
    f.type = d[dbf::kDescType];
    if (!isTypeLetter(f.type)) {
      problem = "unknown field type";
      return false;
    }
    const int low = static_cast<unsigned char>(d[dbf::kDescWidth]);
    const int high = static_cast<unsigned char>(d[dbf::kDescDecimals]);
    if (f.type == 'C') {
      f.width = low + 256 * high;
    } else {
      f.width = low;
      f.decimals = f.type == 'N' ? high : 0;
    }
    // A date is 8 wide in every table this program creates; a table written elsewhere may
    // declare it wider (10), and the date then lies in its first eight bytes.
    const bool widthOk = f.width > 0 && (f.type != 'D' || f.width >= dbf::kDateWidth) &&
                         (f.type != 'L' || f.width == dbf::kLogicalWidth) &&
                         (f.type != 'M' || f.width == dbf::kMemoWidth) &&
                         (f.type != 'N' || f.decimals < f.width);
    if (!widthOk) {
      problem = "bad width of field " + f.name;
      return false;
    }
    header.fields.push_back({f, offset});
    offset += static_cast<std::size_t>(f.width);
  }
  if (header.recordLength < offset) {
    problem = "record length smaller than the fields";
    return false;
  }
  if (header.hasMemo() != (header.version == dbf::kVersionWithMemo)) {
    // A memo field needs the memo file, and only 0x83 says there is one.
    problem = "memo fields disagree with the version byte";
    return false;
  }
  return true;
}

std::array<char, dbf::kHeaderFixedSize> encodeFixedHeader(const DbfHeader& header, int year,
                                                          int month, int day) {
  std::array<char, dbf::kHeaderFixedSize> b{};
  b[dbf::kOffVersion] = static_cast<char>(header.version);
  b[dbf::kOffUpdateYear] = static_cast<char>(year % 100);
  b[dbf::kOffUpdateMonth] = static_cast<char>(month);
  b[dbf::kOffUpdateDay] = static_cast<char>(day);
  writeU32(&b[dbf::kOffRecordCount], header.recordCount);
  writeU16(&b[dbf::kOffHeaderLength], header.headerLength);
  writeU16(&b[dbf::kOffRecordLength], header.recordLength);
  b[dbf::kOffKeptBytes] = header.keptBytes[0];
  b[dbf::kOffKeptBytes + 1] = header.keptBytes[1];
  return b;
}

std::vector<char> encodeHeader(const DbfHeader& header, int year, int month, int day) {
  std::vector<char> out(header.headerLength, 0);
  auto fixed = encodeFixedHeader(header, year, month, day);
  std::copy(fixed.begin(), fixed.end(), out.begin());
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const FieldDef& f = header.fields[i].def;
    char* d = out.data() + dbf::kHeaderFixedSize + i * dbf::kDescriptorSize;
    std::memcpy(d + dbf::kDescName, f.name.data(), std::min(f.name.size(), dbf::kMaxNameLength));
    d[dbf::kDescType] = f.type;
    if (f.type == 'C') {
      d[dbf::kDescWidth] = static_cast<char>(f.width & 0xFF);
      d[dbf::kDescDecimals] = static_cast<char>(f.width >> 8);
    } else {
      d[dbf::kDescWidth] = static_cast<char>(f.width);
      d[dbf::kDescDecimals] = static_cast<char>(f.decimals);
    }
  }
  std::size_t end = dbf::kHeaderFixedSize + header.fields.size() * dbf::kDescriptorSize;
  out[end] = dbf::kDescriptorEnd;
  if (end + 1 < out.size()) out[end + 1] = 0;
  return out;
}

}  // namespace kavrina::store
