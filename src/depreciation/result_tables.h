// Reading the calculation's inputs out of open tables and writing its result records into
// them: `MDOS` as assets, `MDNG` as group resets, the result tables as rows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "depreciation/asset.h"
#include "depreciation/group_resets.h"
#include "depreciation/result_rows.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::depreciation {

// Called once per record read or written, so that long loops can let window events run;
// a read calls it after the record is taken, with the table still on that record.
using RecordStep = std::function<void()>;

// Every visible record of the table from its first record in the order that controls its
// moves (for `MDOS` its index on the numeric inventory number). Records marked deleted are
// left out when the table hides them. Raises the table's errors.
// The asset of the record the table is on.
Asset readAsset(store::DbfTable& mdos);
std::vector<Asset> readAssets(store::DbfTable& mdos, const RecordStep& step = {});
std::vector<RaRow> readRaRows(store::DbfTable& table, const RecordStep& step = {});
std::vector<PaRow> readPaRows(store::DbfTable& table, const RecordStep& step = {});
// The first visible record from the first in the controlling order whose inventory number
// is `invBr` exactly as stored (30 characters, blanks included); no value when the table
// has none. Reads only the inventory number of the other records.
std::optional<RaRow> findRaRow(store::DbfTable& table, const std::string& invBr);
std::optional<PaRow> findPaRow(store::DbfTable& table, const std::string& invBr);
GroupResets readGroupResets(store::DbfTable& mdng, const RecordStep& step = {});

// The assets of the records a table of the register's structure is on, with the field
// positions looked up once (the table must outlive the reader).
class AssetReader {
 public:
  explicit AssetReader(store::DbfTable& mdos);
  Asset read();
  store::DbfTable& table() { return table_; }

 private:
  store::DbfTable& table_;
  int invBr_, datumN_, datumO_, raOsn_, paOsn_, ispVr_, raStopa_, raTip_, paStopa_, paGrupa_;
};

// The field positions of a result table, looked up once so that the writing loop does not
// search the field names for every value.
class RaWriter {
 public:
  explicit RaWriter(store::DbfTable& table);
  // Stores every field of `row` into the current record (which must be writable).
  void put(const RaRow& row);

 private:
  store::DbfTable& table_;
  int invBr_, prVr_, osn_, stopa_, tip_, brMes_, am_, sadVr_, nab_, otp_, noviPrav_;
};

class PaWriter {
 public:
  explicit PaWriter(store::DbfTable& table);
  void put(const PaRow& row);

 private:
  store::DbfTable& table_;
  int invBr_, prVr_, osn_, otpVr_, stopa_, grupa_, brMes_, brDan_, am_, sadVr_, nab_, otp_,
      noviPrav_;
};

}  // namespace kavrina::depreciation
