// Windows-1250, the code page of the text in the tables: one byte a letter, as the Windows
// program's files hold it. The program itself works in UTF-8 and converts at the table
// boundary, so that a field's width counts letters and bytes alike.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavrina::win1250 {

// The text as Windows-1250 bytes; nothing when it holds a letter Windows-1250 has no place
// for (Cyrillic, say) or is not valid UTF-8. Never drops or replaces a letter.
std::optional<std::string> fromUtf8(std::string_view utf8);

// Windows-1250 bytes as UTF-8. Every byte has a letter; the five bytes the code page leaves
// unassigned (0x81, 0x83, 0x88, 0x90, 0x98) read as the control characters of the same
// number, as Windows reads them, so that a text read and written back is unchanged.
std::string toUtf8(std::string_view bytes);

// Whether every byte is ASCII, where Windows-1250 and UTF-8 hold the same bytes.
bool isAscii(std::string_view text);

// The first letter of the text that Windows-1250 cannot hold, as UTF-8 (for a message); a
// byte that is not valid UTF-8 is given as U+FFFD. Nothing when the whole text fits.
std::optional<std::string> firstUnstorableLetter(std::string_view utf8);

// Whether the text is valid UTF-8 (every text of the program is; a text from a file written
// by a Windows program may instead be Windows-1250).
bool isUtf8(std::string_view text);

// What a look at a text as UTF-8 found: the offset of its first byte that begins no valid
// sequence (npos when there is none), and whether it holds a letter beyond ASCII written as
// valid UTF-8 (then an invalid byte is a fault of the file, not another encoding).
struct Utf8Survey {
  std::size_t firstInvalid = std::string_view::npos;
  bool hasWideLetter = false;
};
Utf8Survey surveyUtf8(std::string_view text);

// The number of letters (code points) of a UTF-8 text.
std::size_t letterCount(std::string_view utf8);

// The text cut to at most `letters` letters, never in the middle of one.
std::string cutToLetters(std::string_view utf8, std::size_t letters);

}  // namespace kavrina::win1250
