// The text of a CSV file as the import reads it: its encoding, its separator, its records
// one after the other, and the small text checks the values need.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kavrina::import {

// One record of the file: its first line and its fields as written (quotes removed).
struct RawRecord {
  int line = 0;
  std::vector<std::string> fields;
};

// The text of the file as UTF-8: the bytes themselves (without a byte-order mark), or their
// conversion in `converted` when they are not UTF-8 and are read as Windows-1250.
std::string_view decode(std::string_view bytes, std::string& converted, bool& windows1250);

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
// file. The fields' strings are reused from record to record.
class RecordReader {
 public:
  RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

  // The next record into `record`; false at the end of the text.
  bool next(RawRecord& record);

 private:
  std::string_view text_;
  char separator_;
  std::size_t at_ = 0;
  int line_ = 1;
};

}  // namespace kavrina::import
