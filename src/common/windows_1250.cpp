#include "common/windows_1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace kavrina::win1250 {
namespace {

// The letters of bytes 0x80 to 0xFF (bytes below 0x80 are ASCII). The unassigned bytes
// 0x81, 0x83, 0x88, 0x90 and 0x98 stand for the control characters of their own number.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

constexpr char32_t kInvalid = 0xFFFFFFFF;
constexpr char32_t kReplacement = 0xFFFD;

// The letters of the upper half sorted by code point, with their bytes, for the way back.
using Entry = std::pair<char32_t, unsigned char>;
const std::array<Entry, 128>& byLetter() {
  static const std::array<Entry, 128> table = [] {
    std::array<Entry, 128> t{};
    for (std::size_t i = 0; i < t.size(); ++i)
      t[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(t.begin(), t.end());
    return t;
  }();
  return table;
}

// The byte of a letter, or -1 when Windows-1250 has none.
int byteOf(char32_t letter) {
  if (letter < 0x80) return static_cast<int>(letter);
  const auto& table = byLetter();
  const auto it = std::lower_bound(table.begin(), table.end(), Entry{letter, 0});
  return it != table.end() && it->first == letter ? it->second : -1;
}

// Decodes the letter at `at` and moves past it; kInvalid (moving one byte) for a byte
// sequence that is not UTF-8: a stray continuation byte, a cut sequence, an overlong form,
// a surrogate or a value beyond U+10FFFF.
char32_t nextLetter(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  std::size_t extra = 0;
  char32_t letter = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    letter = lead & 0x1F;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    letter = lead & 0x0F;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    letter = lead & 0x07;
    smallest = 0x10000;
  } else {
    ++at;
    return kInvalid;
  }
  if (at + extra >= text.size()) {
    ++at;
    return kInvalid;
  }
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return kInvalid;
    }
    letter = (letter << 6) | (next & 0x3F);
  }
  if (letter < smallest || letter > 0x10FFFF || (letter >= 0xD800 && letter <= 0xDFFF)) {
    ++at;
    return kInvalid;
  }
  at += extra + 1;
  return letter;
}

void appendUtf8(std::string& out, char32_t letter) {
  if (letter < 0x80) {
    out += static_cast<char>(letter);
  } else if (letter < 0x800) {
    out += static_cast<char>(0xC0 | (letter >> 6));
    out += static_cast<char>(0x80 | (letter & 0x3F));
  } else if (letter < 0x10000) {
    out += static_cast<char>(0xE0 | (letter >> 12));
    out += static_cast<char>(0x80 | ((letter >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (letter & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (letter >> 18));
    out += static_cast<char>(0x80 | ((letter >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((letter >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (letter & 0x3F));
  }
}

}  // namespace

bool isAscii(std::string_view text) {
  // Eight bytes at a time: a text field is read on every record of every list.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t at = 0;
  std::uint64_t high = 0;
  for (; at + sizeof high <= text.size(); at += sizeof high) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    high |= word;
  }
  for (; at < text.size(); ++at) high |= static_cast<unsigned char>(text[at]);
  return (high & kHighBits) == 0;  // the trailing bytes sit in the lowest byte
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t letter = nextLetter(utf8, at);
    const int byte = letter == kInvalid ? -1 : byteOf(letter);
    if (byte < 0) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

std::string toUtf8(std::string_view bytes) {
  if (isAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    appendUtf8(out, byte < 0x80 ? char32_t{byte} : kHighHalf[byte - 0x80]);
  }
  return out;
}

std::optional<std::string> firstUnstorableLetter(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t letter = nextLetter(utf8, at);
    if (letter == kInvalid || byteOf(letter) < 0) {
      std::string shown;
      appendUtf8(shown, letter == kInvalid ? kReplacement : letter);
      return shown;
    }
  }
  return std::nullopt;
}

bool isUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();)
    if (nextLetter(text, at) == kInvalid) return false;
  return true;
}

Utf8Survey surveyUtf8(std::string_view text) {
  Utf8Survey survey;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t letter = nextLetter(text, at);
    if (letter == kInvalid && survey.firstInvalid == std::string_view::npos)
      survey.firstInvalid = start;
    if (letter != kInvalid && letter >= 0x80) survey.hasWideLetter = true;
    if (survey.hasWideLetter && survey.firstInvalid != std::string_view::npos) break;
  }
  return survey;
}

std::size_t letterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < utf8.size(); ++count) nextLetter(utf8, at);
  return count;
}

std::string cutToLetters(std::string_view utf8, std::size_t letters) {
  std::size_t at = 0;
  for (std::size_t count = 0; count < letters && at < utf8.size(); ++count) nextLetter(utf8, at);
  return std::string(utf8.substr(0, at));
}

}  // namespace kavrina::win1250
