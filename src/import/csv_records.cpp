// Reading the text of a CSV file: encoding, separator, records.
#include "import/csv_records.h"

#include <algorithm>

#include "common/windows_1250.h"

namespace kavrina::import {

namespace {

std::string hexByte(unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

}  // namespace

DecodedText decode(std::string_view bytes, std::string& converted) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  DecodedText decoded;
  const win1250::Utf8Survey survey = win1250::surveyUtf8(bytes);
  if (survey.firstInvalid == std::string_view::npos) {
    decoded.text = bytes;
    return decoded;
  }
  if (survey.hasWideLetter) {
    // Read as Windows-1250, the UTF-8 letters would turn into pairs of wrong letters.
    const std::string_view before = bytes.substr(0, survey.firstInvalid);
    const std::size_t lineStart = before.rfind('\n') + 1;  // npos + 1 is 0
    decoded.badLine = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    decoded.problem = "bajt " + hexByte(static_cast<unsigned char>(bytes[survey.firstInvalid])) +
                      " u koloni " +
                      std::to_string(win1250::letterCount(before.substr(lineStart)) + 1) +
                      " nije UTF-8, a fajl sadrzi UTF-8 slova; sacuvajte ga ponovo kao UTF-8";
    return decoded;
  }
  decoded.windows1250 = true;
  converted = win1250::toUtf8(bytes);
  decoded.text = converted;
  return decoded;
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

void RecordReader::refuse(RawRecord& record, std::string reason) {
  record.problem = std::move(reason);
  record.fields.clear();
  const std::size_t end = text_.find('\n', at_);
  at_ = end == std::string_view::npos ? text_.size() : end + 1;
  lineStart_ = at_;
  ++line_;
}

bool RecordReader::next(RawRecord& record) {
  enum class State { Unquoted, Quoted, AfterQuote };
  while (at_ < text_.size()) {
    std::size_t count = 0;
    auto field = [&]() -> std::string& {
      if (record.fields.size() <= count) record.fields.emplace_back();
      return record.fields[count];
    };
    field().clear();
    record.line = line_;
    record.problem.clear();
    const std::size_t recordStart = at_;
    auto column = [&] {
      return std::to_string(win1250::letterCount(text_.substr(lineStart_, at_ - lineStart_)) + 1);
    };
    State state = State::Unquoted;
    bool anyText = false;
    for (; at_ < text_.size(); ++at_) {
      if (at_ - recordStart > kMaxRecordBytes) {
        refuse(record, "red je duzi od " + std::to_string(kMaxRecordBytes) +
                           " bajtova, sto nijedan red registra ne moze biti");
        return true;
      }
      const char c = text_[at_];
      if (state == State::Quoted) {
        if (c == '"') {
          if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
            field() += '"';
            ++at_;
          } else {
            state = State::AfterQuote;
          }
        } else {
          if (c == '\n') {
            ++line_;
            lineStart_ = at_ + 1;
          }
          field() += c;
        }
        continue;
      }
      if (c == separator_) {
        ++count;
        field().clear();
        anyText = true;
        state = State::Unquoted;
      } else if (c == '\n') {
        ++at_;
        ++line_;
        lineStart_ = at_;
        break;
      } else if (c == '\r' || ((c == ' ' || c == '\t') && state == State::AfterQuote)) {
        continue;
      } else if (state == State::AfterQuote) {
        refuse(record, "posle zatvorenog navodnika sledi tekst (kolona " + column() + ")");
        return true;
      } else if (c == '"') {
        if (!blankText(field())) {
          refuse(record,
                 "navodnik unutar vrednosti koja ne pocinje navodnikom (kolona " + column() + ")");
          return true;
        }
        field().clear();
        state = State::Quoted;
        anyText = true;
      } else {
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
