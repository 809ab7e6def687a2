// Conversions between table records and the calculation's value types.
#include "depreciation/result_tables.h"

#include <optional>
#include <string>

#include "common/text.h"
#include "common/windows_1250.h"

namespace kavrina::depreciation {
namespace {

using store::DbfTable;

// The position of a field the table must have; a missing one raises the table's
// "no such field" error through its by-name access.
int requireIndex(DbfTable& table, const char* name) {
  const int index = table.fieldIndex(name);
  if (index < 0) table.getString(name);  // raises
  return index;
}

// Reads of the fields by position; the table was checked against its structure when it
// was opened, and a field it lacks raises the table's "no such field" error here too.
struct Fields {
  DbfTable& table;
  double number(int index) { return table.getNumber(index); }
  int whole(int index) { return static_cast<int>(number(index)); }
  bool logical(int index) { return table.getLogical(index); }
  // Without the blanks that pad it to the field's width: the calculation compares
  // inventory numbers without them, a field written back is padded again, and a number
  // this short needs no allocation of its own (a million assets, four lists of them).
  std::string text(int index) { return std::string(text::trimRightBlanks(table.getText(index))); }
  Date date(int index) { return table.getDate(index); }
};

// Visits every visible record from the first in the controlling order.
template <class Visit>
void forEachRecord(DbfTable& table, const RecordStep& step, Visit visit) {
  for (table.goTop(); !table.eof(); table.skip()) {
    if (table.hideDeleted() && table.deleted()) continue;
    visit();
    if (step) step();
  }
}

}  // namespace

std::vector<Asset> readAssets(DbfTable& mdos, const RecordStep& step) {
  std::vector<Asset> assets;
  assets.reserve(mdos.recCount());
  AssetReader reader(mdos);
  forEachRecord(mdos, step, [&] { assets.push_back(reader.read()); });
  return assets;
}

Asset readAsset(DbfTable& mdos) {
  return AssetReader(mdos).read();
}

AssetReader::AssetReader(DbfTable& mdos)
    : table_(mdos),
      invBr_(requireIndex(mdos, "InvBr")),
      datumN_(requireIndex(mdos, "DatumN")),
      datumO_(requireIndex(mdos, "DatumO")),
      raOsn_(requireIndex(mdos, "RAOsn")),
      paOsn_(requireIndex(mdos, "PAOsn")),
      ispVr_(requireIndex(mdos, "IspVr")),
      raStopa_(requireIndex(mdos, "RAStopa")),
      raTip_(requireIndex(mdos, "RAtip")),
      paStopa_(requireIndex(mdos, "PAStopa")),
      paGrupa_(requireIndex(mdos, "PAgrupa")) {}

Asset AssetReader::read() {
  Fields f{table_};
  Asset a;
  a.InvBr = f.text(invBr_);
  a.DatumN = f.date(datumN_);
  a.DatumO = f.date(datumO_);
  a.RAOsn = f.number(raOsn_);
  a.PAOsn = f.number(paOsn_);
  a.IspVr = f.number(ispVr_);
  a.RAStopa = f.number(raStopa_);
  a.RAtip = f.whole(raTip_);
  a.PAStopa = f.number(paStopa_);
  a.PAgrupa = f.whole(paGrupa_);
  return a;
}

namespace {

// The positions of the fields of an accounting result table, looked up once.
struct RaFields {
  explicit RaFields(DbfTable& table)
      : invBr(requireIndex(table, "InvBr")),
        prVr(requireIndex(table, "RAPrVr")),
        osn(requireIndex(table, "RAOsn")),
        stopa(requireIndex(table, "RAStopa")),
        tip(requireIndex(table, "RATip")),
        brMes(requireIndex(table, "BrMes")),
        am(requireIndex(table, "RAm")),
        sadVr(requireIndex(table, "RASadVr")),
        nab(requireIndex(table, "RANab")),
        otp(requireIndex(table, "RAOtp")),
        noviPrav(requireIndex(table, "NoviPrav")) {}
  RaRow read(Fields f) const {
    RaRow r;
    r.InvBr = f.text(invBr);
    r.RAPrVr = f.number(prVr);
    r.RAOsn = f.number(osn);
    r.RAStopa = f.number(stopa);
    r.RATip = f.whole(tip);
    r.BrMes = f.whole(brMes);
    r.RAm = f.number(am);
    r.RASadVr = f.number(sadVr);
    r.RANab = f.logical(nab);
    r.RAOtp = f.logical(otp);
    r.NoviPrav = f.logical(noviPrav);
    return r;
  }
  int invBr, prVr, osn, stopa, tip, brMes, am, sadVr, nab, otp, noviPrav;
};

// The positions of the fields of a tax result table, looked up once.
struct PaFields {
  explicit PaFields(DbfTable& table)
      : invBr(requireIndex(table, "InvBr")),
        prVr(requireIndex(table, "PAPrVr")),
        osn(requireIndex(table, "PAOsn")),
        otpVr(requireIndex(table, "PAOtpVr")),
        stopa(requireIndex(table, "PAStopa")),
        grupa(requireIndex(table, "PAGrupa")),
        brMes(requireIndex(table, "BrMes")),
        brDan(requireIndex(table, "BrDan")),
        am(requireIndex(table, "PAm")),
        sadVr(requireIndex(table, "PASadVr")),
        nab(requireIndex(table, "PANab")),
        otp(requireIndex(table, "PAOtp")),
        noviPrav(requireIndex(table, "NoviPrav")) {}
  PaRow read(Fields f) const {
    PaRow r;
    r.InvBr = f.text(invBr);
    r.PAPrVr = f.number(prVr);
    r.PAOsn = f.number(osn);
    r.PAOtpVr = f.number(otpVr);
    r.PAStopa = f.number(stopa);
    r.PAGrupa = f.whole(grupa);
    r.BrMes = f.whole(brMes);
    r.BrDan = f.whole(brDan);
    r.PAm = f.number(am);
    r.PASadVr = f.number(sadVr);
    r.PANab = f.logical(nab);
    r.PAOtp = f.logical(otp);
    r.NoviPrav = f.logical(noviPrav);
    return r;
  }
  int invBr, prVr, osn, otpVr, stopa, grupa, brMes, brDan, am, sadVr, nab, otp, noviPrav;
};

// The first visible record, from the first in the controlling order, whose stored
// inventory number is `invBr` (compared as the stored bytes, blanks included), read by
// `fields`; no value when there is none.
template <class Row, class RowFields>
std::optional<Row> findRow(DbfTable& table, const std::string& invBr) {
  const RowFields fields(table);
  const std::optional<std::string> key = win1250::fromUtf8(invBr);
  if (!key) return std::nullopt;  // a text no stored inventory number can hold
  for (table.goTop(); !table.eof(); table.skip()) {
    if (table.rawField(fields.invBr) != *key) continue;
    if (table.hideDeleted() && table.deleted()) continue;
    return fields.read(Fields{table});
  }
  return std::nullopt;
}

}  // namespace

std::vector<RaRow> readRaRows(DbfTable& table, const RecordStep& step) {
  const RaFields fields(table);
  std::vector<RaRow> rows;
  rows.reserve(table.recCount());
  forEachRecord(table, step, [&] { rows.push_back(fields.read(Fields{table})); });
  return rows;
}

std::optional<RaRow> findRaRow(DbfTable& table, const std::string& invBr) {
  return findRow<RaRow, RaFields>(table, invBr);
}

std::vector<PaRow> readPaRows(DbfTable& table, const RecordStep& step) {
  const PaFields fields(table);
  std::vector<PaRow> rows;
  rows.reserve(table.recCount());
  forEachRecord(table, step, [&] { rows.push_back(fields.read(Fields{table})); });
  return rows;
}

std::optional<PaRow> findPaRow(DbfTable& table, const std::string& invBr) {
  return findRow<PaRow, PaFields>(table, invBr);
}

GroupResets readGroupResets(DbfTable& mdng, const RecordStep& step) {
  const int invBr = requireIndex(mdng, "InvBr"), godina = requireIndex(mdng, "GodinaNG");
  Fields f{mdng};
  std::vector<GroupResets::Record> records;
  forEachRecord(mdng, step, [&] { records.push_back({f.text(invBr), f.text(godina)}); });
  return GroupResets(std::move(records));
}

RaWriter::RaWriter(DbfTable& table)
    : table_(table),
      invBr_(requireIndex(table, "InvBr")),
      prVr_(requireIndex(table, "RAPrVr")),
      osn_(requireIndex(table, "RAOsn")),
      stopa_(requireIndex(table, "RAStopa")),
      tip_(requireIndex(table, "RATip")),
      brMes_(requireIndex(table, "BrMes")),
      am_(requireIndex(table, "RAm")),
      sadVr_(requireIndex(table, "RASadVr")),
      nab_(requireIndex(table, "RANab")),
      otp_(requireIndex(table, "RAOtp")),
      noviPrav_(requireIndex(table, "NoviPrav")) {}

void RaWriter::put(const RaRow& row) {
  table_.putString(invBr_, row.InvBr);
  table_.putNumber(prVr_, row.RAPrVr);
  table_.putNumber(osn_, row.RAOsn);
  table_.putNumber(stopa_, row.RAStopa);
  table_.putNumber(tip_, row.RATip);
  table_.putNumber(brMes_, row.BrMes);
  table_.putNumber(am_, row.RAm);
  table_.putNumber(sadVr_, row.RASadVr);
  table_.putLogical(nab_, row.RANab);
  table_.putLogical(otp_, row.RAOtp);
  table_.putLogical(noviPrav_, row.NoviPrav);
}

PaWriter::PaWriter(DbfTable& table)
    : table_(table),
      invBr_(requireIndex(table, "InvBr")),
      prVr_(requireIndex(table, "PAPrVr")),
      osn_(requireIndex(table, "PAOsn")),
      otpVr_(requireIndex(table, "PAOtpVr")),
      stopa_(requireIndex(table, "PAStopa")),
      grupa_(requireIndex(table, "PAGrupa")),
      brMes_(requireIndex(table, "BrMes")),
      brDan_(requireIndex(table, "BrDan")),
      am_(requireIndex(table, "PAm")),
      sadVr_(requireIndex(table, "PASadVr")),
      nab_(requireIndex(table, "PANab")),
      otp_(requireIndex(table, "PAOtp")),
      noviPrav_(requireIndex(table, "NoviPrav")) {}

void PaWriter::put(const PaRow& row) {
  table_.putString(invBr_, row.InvBr);
  table_.putNumber(prVr_, row.PAPrVr);
  table_.putNumber(osn_, row.PAOsn);
  table_.putNumber(otpVr_, row.PAOtpVr);
  table_.putNumber(stopa_, row.PAStopa);
  table_.putNumber(grupa_, row.PAGrupa);
  table_.putNumber(brMes_, row.BrMes);
  table_.putNumber(brDan_, row.BrDan);
  table_.putNumber(am_, row.PAm);
  table_.putNumber(sadVr_, row.PASadVr);
  table_.putLogical(nab_, row.PANab);
  table_.putLogical(otp_, row.PAOtp);
  table_.putLogical(noviPrav_, row.NoviPrav);
}

}  // namespace kavrina::depreciation
