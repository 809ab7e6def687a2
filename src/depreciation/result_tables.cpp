// The calculation's tables read as records.
#include "depreciation/result_tables.h"

#include <optional>
#include <string>

#include "common/windows_1250.h"

namespace kavrina::depreciation {
namespace {

using store::DbfTable;
using store::RecordCodec;

// Reads every visible record from the first in the controlling order into one record in
// turn and hands it to `visit`.
template <class Record, class Visit>
void visitAll(DbfTable& table, Visit visit, const RecordStep& step,
              const store::FieldSet<Record>& fields) {
  const RecordCodec<Record> codec(table, fields);
  Record record;
  for (table.goTop(); !table.eof(); table.skip()) {
    if (table.hideDeleted() && table.deleted()) continue;
    codec.read(record);
    visit(record);
    if (step) step();
  }
}

// Every visible record from the first in the controlling order, each read into a record of
// its own (the fields not read keep their defaults).
template <class Record>
std::vector<Record> readAll(
    DbfTable& table, const RecordStep& step,
    const store::FieldSet<Record>& fields = store::FieldSet<Record>::all()) {
  const RecordCodec<Record> codec(table, fields);
  std::vector<Record> records;
  records.reserve(table.recCount());
  for (table.goTop(); !table.eof(); table.skip()) {
    if (table.hideDeleted() && table.deleted()) continue;
    codec.read(records.emplace_back());
    if (step) step();
  }
  return records;
}

// The first visible record, from the first in the controlling order, whose stored
// inventory number is `invBr` (compared as the stored bytes, blanks included); no value
// when there is none.
template <class Record>
std::optional<Record> findByInvBr(DbfTable& table, const std::string& invBr) {
  const RecordCodec<Record> codec(table);
  const int invBrField = codec.position(&Record::InvBr);
  const std::optional<std::string> key = win1250::fromUtf8(invBr);
  if (!key) return std::nullopt;  // a text no stored inventory number can hold
  for (table.goTop(); !table.eof(); table.skip()) {
    if (table.rawField(invBrField) != *key) continue;
    if (table.hideDeleted() && table.deleted()) continue;
    return codec.read();
  }
  return std::nullopt;
}

}  // namespace

store::FieldSet<store::AssetRecord> calculationFields() {
  using R = store::AssetRecord;
  return store::FieldSet<R>::of(&R::InvBr, &R::DatumN, &R::DatumO, &R::RAOsn, &R::PAOsn, &R::IspVr,
                                &R::RAStopa, &R::RAtip, &R::PAStopa, &R::PAgrupa);
}

std::vector<store::RaRow> readRaRows(DbfTable& table, const RecordStep& step,
                                     const store::FieldSet<store::RaRow>& fields) {
  return readAll<store::RaRow>(table, step, fields);
}

std::vector<store::PaRow> readPaRows(DbfTable& table, const RecordStep& step,
                                     const store::FieldSet<store::PaRow>& fields) {
  return readAll<store::PaRow>(table, step, fields);
}

template <class Row>
void visitResultRows(DbfTable& table, const std::function<void(const Row&)>& visit,
                     const RecordStep& step, const store::FieldSet<Row>& fields) {
  visitAll<Row>(table, visit, step, fields);
}
template void visitResultRows<store::RaRow>(DbfTable&,
                                            const std::function<void(const store::RaRow&)>&,
                                            const RecordStep&,
                                            const store::FieldSet<store::RaRow>&);
template void visitResultRows<store::PaRow>(DbfTable&,
                                            const std::function<void(const store::PaRow&)>&,
                                            const RecordStep&,
                                            const store::FieldSet<store::PaRow>&);

std::optional<store::RaRow> findRaRow(DbfTable& table, const std::string& invBr) {
  return findByInvBr<store::RaRow>(table, invBr);
}

std::optional<store::PaRow> findPaRow(DbfTable& table, const std::string& invBr) {
  return findByInvBr<store::PaRow>(table, invBr);
}

GroupResets readGroupResets(DbfTable& mdng, const RecordStep& step) {
  return GroupResets(readAll<store::GroupResetMark>(mdng, step));
}

}  // namespace kavrina::depreciation
