// Reading the calculation's inputs out of open tables: `MDOS` as asset records, `MDNG` as
// group resets, the result tables as rows, all through the tables' one record reader.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "depreciation/group_resets.h"
#include "store/dbf/dbf_table.h"
#include "store/record_codec.h"
#include "store/records.h"

namespace kavrina::depreciation {

// Called once per record read or written, so that long loops can let window events run;
// a read calls it after the record is taken, with the table still on that record.
using RecordStep = std::function<void()>;

// The fields of `MDOS` the calculation reads: the inventory number, the dates, the bases
// and the value adjustment, the rates, the accounting method and the tax group.
store::FieldSet<store::AssetRecord> calculationFields();

// Every visible record of the result table from its first record in the order that
// controls its moves. Records marked deleted are left out when the table hides them.
// Raises the table's errors. `fields`: the fields read (the others keep their defaults).
std::vector<store::RaRow> readRaRows(
    store::DbfTable& table, const RecordStep& step = {},
    const store::FieldSet<store::RaRow>& fields = store::FieldSet<store::RaRow>::all());
std::vector<store::PaRow> readPaRows(
    store::DbfTable& table, const RecordStep& step = {},
    const store::FieldSet<store::PaRow>& fields = store::FieldSet<store::PaRow>::all());
// The same records handed to `visit` one by one, read into one row in turn: for a reader
// that sums them or keeps a little of each. Row: store::RaRow or store::PaRow.
template <class Row>
void visitResultRows(store::DbfTable& table, const std::function<void(const Row&)>& visit,
                     const RecordStep& step = {},
                     const store::FieldSet<Row>& fields = store::FieldSet<Row>::all());
// The first visible record from the first in the controlling order whose inventory number
// is `invBr` exactly as stored (30 characters, blanks included); no value when the table
// has none. Reads only the inventory number of the other records.
std::optional<store::RaRow> findRaRow(store::DbfTable& table, const std::string& invBr);
std::optional<store::PaRow> findPaRow(store::DbfTable& table, const std::string& invBr);
GroupResets readGroupResets(store::DbfTable& mdng, const RecordStep& step = {});

}  // namespace kavrina::depreciation
