// Windows-1250, the code page of the tables: checked against the system's own converter,
// byte for byte both ways, and for the letters a Serbian user types.
#include "common/windows_1250.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace kavrina {
namespace {

// The system converter's reading of one Windows-1250 byte; empty when it knows none.
std::string systemReading(unsigned char byte) {
  iconv_t cd = ::iconv_open("UTF-8", "WINDOWS-1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  const std::size_t done = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  ::iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return {};
  return std::string(out, sizeof out - outLeft);
}

TEST(Windows1250, EveryByteMeansWhatTheSystemConverterSaysAndWritesBackAsItself) {
  int compared = 0;
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    all += static_cast<char>(byte);
    const std::string letter = win1250::toUtf8(std::string(1, static_cast<char>(byte)));
    const std::string expected = systemReading(byte);
    if (!expected.empty()) {
      EXPECT_EQ(letter, expected) << "byte " << b;
      ++compared;
    }
    EXPECT_EQ(win1250::fromUtf8(letter), std::string(1, static_cast<char>(byte))) << "byte " << b;
  }
  EXPECT_GE(compared, 251) << "only the five unassigned bytes lack a reading";
  // A text of every byte, read and written back, is unchanged (nothing is lost on the way
  // through the program, whatever another program stored).
  EXPECT_EQ(win1250::fromUtf8(win1250::toUtf8(all)), all);
}

TEST(Windows1250, SerbianLettersTakeOneByteAndForeignLettersAreRefused) {
  EXPECT_EQ(win1250::fromUtf8("ŠšĐđČčĆćŽž"), "\x8A\x9A\xD0\xF0\xC8\xE8\xC6\xE6\x8E\x9E");
  EXPECT_EQ(win1250::fromUtf8("Račun 5€"), "Ra\xE8un 5\x80");

  EXPECT_EQ(win1250::fromUtf8("Жарко"), std::nullopt) << "Cyrillic has no place";
  EXPECT_EQ(win1250::fromUtf8("mañana"), std::nullopt);
  EXPECT_EQ(win1250::firstUnstorableLetter("Marko Жарковић"), "Ж");
  EXPECT_EQ(win1250::firstUnstorableLetter("Đorđe Šćepanović"), std::nullopt);
  // Bytes that are not UTF-8: a lone lead byte, an overlong '/', a surrogate.
  EXPECT_TRUE(win1250::isUtf8("Čačak €"));
  for (const char* broken : {"ab\xC5", "\xC0\xAF", "\xED\xA0\x80", "\x9A"}) {
    EXPECT_FALSE(win1250::isUtf8(broken)) << broken;
    EXPECT_EQ(win1250::fromUtf8(broken), std::nullopt) << broken;
    EXPECT_EQ(win1250::firstUnstorableLetter(broken), "\xEF\xBF\xBD");
  }
}

TEST(Windows1250, AsciiIsToldByEveryByteOfTheText) {
  EXPECT_TRUE(win1250::isAscii(""));
  for (std::size_t length = 1; length <= 40; ++length) {
    std::string text(length, 'a');
    EXPECT_TRUE(win1250::isAscii(text)) << length;
    for (std::size_t at = 0; at < length; ++at) {
      text[at] = '\x8A';  // Š
      EXPECT_FALSE(win1250::isAscii(text)) << length << ' ' << at;
      text[at] = '\x7F';
      EXPECT_TRUE(win1250::isAscii(text)) << length << ' ' << at;
    }
  }
}

TEST(Windows1250, TextsAreCountedAndCutByLetters) {
  EXPECT_EQ(win1250::letterCount("čćžšđ"), 5u);
  EXPECT_EQ(win1250::cutToLetters("čćžšđ", 3), "čćž");
  EXPECT_EQ(win1250::cutToLetters("ab", 30), "ab");
  EXPECT_EQ(win1250::cutToLetters("žž", 0), "");
}

}  // namespace
}  // namespace kavrina
