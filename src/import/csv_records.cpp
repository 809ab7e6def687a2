// Reading the text of a CSV file: encoding, separator, records.
#include "import/csv_records.h"

#include "common/windows_1250.h"

namespace kavrina::import {

// The text of the file as UTF-8: the bytes themselves (without a byte-order mark), or their
// conversion in `converted` when they are not UTF-8 and are read as Windows-1250.
std::string_view decode(std::string_view bytes, std::string& converted, bool& windows1250) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  windows1250 = !win1250::isUtf8(bytes);
  if (!windows1250) return bytes;
  converted = win1250::toUtf8(bytes);
  return converted;
}

bool blankText(std::string_view text) {
  return text.find_first_not_of(" \t\r") == std::string_view::npos;
}

// The separator the header (the first line holding more than blanks) uses most.
char separatorOf(std::string_view text) {
  std::string_view header;
  do {
    const auto end = text.find('\n');
    header = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  } while (!text.empty() && blankText(header));
  std::size_t semicolons = 0, commas = 0;
  bool quoted = false;
  for (char c : header) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == ';') ++semicolons;
    if (c == ',') ++commas;
  }
  return semicolons > commas ? ';' : ',';
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!isDigit(c)) return false;
  return true;
}

bool RecordReader::next(RawRecord& record) {
  while (at_ < text_.size()) {
    std::size_t count = 0;
    auto field = [&]() -> std::string& {
      if (record.fields.size() <= count) record.fields.emplace_back();
      return record.fields[count];
    };
    field().clear();
    record.line = line_;
    bool quoted = false;
    bool anyText = false;
    for (; at_ < text_.size(); ++at_) {
      const char c = text_[at_];
      if (quoted) {
        if (c == '"') {
          if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
            field() += '"';
            ++at_;
          } else {
            quoted = false;
          }
        } else {
          if (c == '\n') ++line_;
          field() += c;
        }
        continue;
      }
      if (c == '"') {
        quoted = true;
        anyText = true;
      } else if (c == separator_) {
        ++count;
        field().clear();
        anyText = true;
      } else if (c == '\n') {
        ++at_;
        ++line_;
        break;
      } else if (c != '\r') {
        field() += c;
        if (c != ' ' && c != '\t') anyText = true;
      }
    }
    record.fields.resize(count + 1);
    if (anyText) return true;
  }
  return false;
}

}  // namespace kavrina::import
