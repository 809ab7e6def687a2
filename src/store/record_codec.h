// The one reader and writer of a record type: the positions of its fields in an open table
// looked up once, then whole records (or the chosen fields) read from and written to the
// record the table is on.
#pragma once

#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "common/text.h"
#include "common/windows_1250.h"
#include "store/dbf/dbf_table.h"
#include "store/record_layout.h"

namespace kavrina::store {

// Pads `text` in place with blanks to `width` letters, as a character field of that width
// stores it.
inline void padToWidth(std::string& text, std::size_t width) {
  const std::size_t letters = win1250::letterCount(text);
  if (letters < width) text.append(width - letters, ' ');
}

// A text as a character field of `width` letters stores it: padded with blanks.
inline std::string paddedToWidth(std::string text, std::size_t width) {
  padToWidth(text, width);
  return text;
}

// Reads and writes records of type Record on one open table, which must outlive the codec.
// The table must have every chosen field under its name (its structure was checked when it
// was opened); a missing one raises the table's "no such field" error in the constructor.
// A text is read without the blanks that pad it and written padded (cut to the field's
// width by letters); a number is written rounded to the field's decimals; a whole-number
// member reads the stored number cut to its whole part.
template <class Record>
class RecordCodec {
 public:
  explicit RecordCodec(DbfTable& table, const FieldSet<Record>& wanted = FieldSet<Record>::all())
      : table_(table) {
    const RecordLayout<Record>& layout = Record::layout();
    for (std::size_t i = 0; i < layout.size(); ++i) {
      if (!wanted.has(i)) continue;
      const int index = table.fieldIndex(layout[i].def.name);
      if (index < 0) table.getString(layout[i].def.name);  // raises "no such field"
      fields_.push_back({index, &layout[i].member});
    }
  }

  // The chosen fields of the current record into `record`; the others are left as they are.
  void read(Record& record) const {
    for (const Bound& f : fields_) {
      std::visit([&](auto member) { readInto(record.*member, f.index); }, *f.member);
    }
  }
  Record read() const {
    Record record;
    read(record);
    return record;
  }

  // The chosen fields of `record` into the current record, which must be writable. Raises
  // the table's write errors (a value too wide, a letter the table cannot hold).
  void write(const Record& record) const {
    for (const Bound& f : fields_) {
      std::visit([&](auto member) { writeFrom(record.*member, f.index); }, *f.member);
    }
  }

  // The position in the table of the field held in `member` (which must be chosen).
  template <class Member>
  int position(Member Record::*member) const {
    const auto* wanted = &Record::layout()[FieldSet<Record>::positionOf(member)].member;
    for (const Bound& f : fields_)
      if (f.member == wanted) return f.index;
    throw std::logic_error("field not chosen");
  }

  // The width of that field in the table (which may differ from the declared one).
  template <class Member>
  std::size_t width(Member Record::*member) const {
    const auto at = static_cast<std::size_t>(position(member));
    return static_cast<std::size_t>(table_.fields()[at].def.width);
  }

  // A text field's value as the table stores it (padded to the field's width).
  std::string padded(std::string Record::*member, const Record& record) const {
    return paddedToWidth(record.*member, width(member));
  }

  DbfTable& table() const { return table_; }

 private:
  struct Bound {
    int index;
    const FieldMember<Record>* member;
  };

  void readInto(std::string& value, int index) const {
    value.assign(text::trimRightBlanks(table_.getText(index)));
  }
  void readInto(Date& value, int index) const { value = table_.getDate(index); }
  void readInto(double& value, int index) const { value = table_.getNumber(index); }
  void readInto(int& value, int index) const { value = static_cast<int>(table_.getNumber(index)); }
  void readInto(bool& value, int index) const { value = table_.getLogical(index); }

  void writeFrom(const std::string& value, int index) const { table_.putString(index, value); }
  void writeFrom(const Date& value, int index) const { table_.putDate(index, value); }
  void writeFrom(double value, int index) const { table_.putNumber(index, value); }
  void writeFrom(int value, int index) const { table_.putNumber(index, value); }
  void writeFrom(bool value, int index) const { table_.putLogical(index, value); }

  DbfTable& table_;
  std::vector<Bound> fields_;
};

}  // namespace kavrina::store
