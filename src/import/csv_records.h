// The text of a CSV file as the import reads it: its encoding, its separator, its records
// one after the other, and the small text checks the values need.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kavrina::import {

// The longest record a file may hold, in bytes: far more than any row of the register
// (eighteen values of at most thirty letters) with every value quoted and blanks around it.
inline constexpr std::size_t kMaxRecordBytes = 16 * 1024;

// One record of the file: its first line and its fields as written (quotes removed), or
// why it cannot be read (`problem`, with the position in it; the fields are then empty).
struct RawRecord {
  int line = 0;
  std::vector<std::string> fields;
  std::string problem;
};

// The text of the file as UTF-8, and which encoding it was read in.
struct DecodedText {
  std::string_view text;
  bool windows1250 = false;
  int badLine = 0;      // not 0: a byte that is not UTF-8 in a file holding UTF-8 letters
  std::string problem;  // then why, with the byte's column and value
};

// The bytes themselves (without a byte-order mark) when they are UTF-8; their conversion in
// `converted` when they are not UTF-8 at all (no letter beyond ASCII written as UTF-8) and
// are read as Windows-1250. A file holding UTF-8 letters and a byte that is not UTF-8 is
// neither: it is refused at that byte.
DecodedText decode(std::string_view bytes, std::string& converted);

// Whether the text holds nothing but blanks, tabs and carriage returns.
bool blankText(std::string_view text);

// The separator the header (the first line holding more than blanks) uses most.
char separatorOf(std::string_view text);

// The text without the blanks and tabs at either end.
std::string trimmed(std::string_view text);

bool isDigit(char c);
// Whether the text is one or more digits and nothing else.
bool allDigits(std::string_view text);

// The records of the text one after the other; a line break inside quotes belongs to the
// value. Lines that hold nothing are passed over. A quote left open runs to the end of the
// file. A value is quoted only from its start (blanks before the quote allowed); a quote
// inside an unquoted value, text after a closing quote, or a record longer than
// kMaxRecordBytes make the record a problem with its position, and reading goes on at the
// next line. The fields' strings are reused from record to record.
class RecordReader {
 public:
  RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

  // The next record into `record`; false at the end of the text.
  bool next(RawRecord& record);

 private:
  // Marks `record` a problem at the byte `at_` and moves to the next line.
  void refuse(RawRecord& record, std::string reason);

  std::string_view text_;
  char separator_;
  std::size_t at_ = 0;
  std::size_t lineStart_ = 0;  // where the physical line of at_ begins
  int line_ = 1;
};

}  // namespace kavrina::import
