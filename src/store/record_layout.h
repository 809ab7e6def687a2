// How a record type maps onto its table: one binding per field, in file order, from the
// field's definition (name, type, width, decimals) to the member that holds its value. The
// table's structure, its reader and its writer are all derived from this one list.
#pragma once

#include <bitset>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "common/date.h"
#include "store/dbf/dbf_header.h"

namespace kavrina::store {

// The member a field's value lives in: a text (C, without the blanks that pad it), a date
// (D), an amount or other number (N, as a double), a whole number (N without decimals, as
// an int) or a logical value (L).
template <class Record>
using FieldMember = std::variant<std::string Record::*, Date Record::*, double Record::*,
                                 int Record::*, bool Record::*>;

template <class Record>
struct FieldBinding {
  FieldDef def;
  FieldMember<Record> member;
};

template <class Record>
using RecordLayout = std::vector<FieldBinding<Record>>;

// The most fields a record type may have.
inline constexpr std::size_t kMaxRecordFields = 32;

// A choice of some fields of a record type, for a reader that needs fewer than all.
template <class Record>
class FieldSet {
 public:
  // Every field.
  static FieldSet all() {
    FieldSet set;
    set.bits_.set();
    return set;
  }
  // The fields of the members named, e.g. FieldSet<AssetRecord>::of(&AssetRecord::InvBr).
  template <class... Member>
  static FieldSet of(Member Record::*... members) {
    FieldSet set;
    (set.bits_.set(positionOf(members)), ...);
    return set;
  }

  bool has(std::size_t position) const { return bits_.test(position); }

  // The position in Record::layout() of the field held in `member`. A member that no
  // field is bound to is a programming fault: it throws std::logic_error.
  template <class Member>
  static std::size_t positionOf(Member Record::*member);

 private:
  std::bitset<kMaxRecordFields> bits_;
};

// The structure array of a record type: its fields' definitions in file order, or of the
// chosen ones only.
template <class Record>
Structure structureOf(const FieldSet<Record>& wanted = FieldSet<Record>::all()) {
  Structure structure;
  const RecordLayout<Record>& layout = Record::layout();
  for (std::size_t i = 0; i < layout.size(); ++i)
    if (wanted.has(i)) structure.push_back(layout[i].def);
  return structure;
}

template <class Record>
template <class Member>
std::size_t FieldSet<Record>::positionOf(Member Record::*member) {
  const RecordLayout<Record>& layout = Record::layout();
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const auto* bound = std::get_if<Member Record::*>(&layout[i].member);
    if (bound && *bound == member) return i;
  }
  throw std::logic_error("member without a field");
}

}  // namespace kavrina::store
