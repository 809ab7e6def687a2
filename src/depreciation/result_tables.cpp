// Conversions between table records and the calculation's value types.
#include "depreciation/result_tables.h"

#include <string>

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

// Reads of fields that an older table may lack: the field's empty value then.
struct OptionalFields {
  DbfTable& table;
  double number(int index) { return index < 0 ? 0 : table.getNumber(index); }
  int whole(int index) { return static_cast<int>(number(index)); }
  bool logical(int index) { return index >= 0 && table.getLogical(index); }
  std::string text(int index) { return index < 0 ? std::string() : table.getString(index); }
  Date date(int index) { return index < 0 ? Date() : table.getDate(index); }
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
  forEachRecord(mdos, step, [&] { assets.push_back(readAsset(mdos)); });
  return assets;
}

Asset readAsset(DbfTable& mdos) {
  const int invBr = mdos.fieldIndex("InvBr"), datumN = mdos.fieldIndex("DatumN"),
            datumO = mdos.fieldIndex("DatumO"), raOsn = mdos.fieldIndex("RAOsn"),
            paOsn = mdos.fieldIndex("PAOsn"), ispVr = mdos.fieldIndex("IspVr"),
            raStopa = mdos.fieldIndex("RAStopa"), raTip = mdos.fieldIndex("RAtip"),
            paStopa = mdos.fieldIndex("PAStopa"), paGrupa = mdos.fieldIndex("PAgrupa");
  OptionalFields f{mdos};
  Asset a;
  a.InvBr = f.text(invBr);
  a.DatumN = f.date(datumN);
  a.DatumO = f.date(datumO);
  a.RAOsn = f.number(raOsn);
  a.PAOsn = f.number(paOsn);
  a.IspVr = f.number(ispVr);
  a.RAStopa = f.number(raStopa);
  a.RAtip = f.whole(raTip);
  a.PAStopa = f.number(paStopa);
  a.PAgrupa = f.whole(paGrupa);
  return a;
}

std::vector<RaRow> readRaRows(DbfTable& table, const RecordStep& step) {
  const int invBr = table.fieldIndex("InvBr"), prVr = table.fieldIndex("RAPrVr"),
            osn = table.fieldIndex("RAOsn"), stopa = table.fieldIndex("RAStopa"),
            tip = table.fieldIndex("RATip"), brMes = table.fieldIndex("BrMes"),
            am = table.fieldIndex("RAm"), sadVr = table.fieldIndex("RASadVr"),
            nab = table.fieldIndex("RANab"), otp = table.fieldIndex("RAOtp"),
            noviPrav = table.fieldIndex("NoviPrav");
  OptionalFields f{table};
  std::vector<RaRow> rows;
  rows.reserve(table.recCount());
  forEachRecord(table, step, [&] {
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
    rows.push_back(std::move(r));
  });
  return rows;
}

std::vector<PaRow> readPaRows(DbfTable& table, const RecordStep& step) {
  const int invBr = table.fieldIndex("InvBr"), prVr = table.fieldIndex("PAPrVr"),
            osn = table.fieldIndex("PAOsn"), otpVr = table.fieldIndex("PAOtpVr"),
            stopa = table.fieldIndex("PAStopa"), grupa = table.fieldIndex("PAGrupa"),
            brMes = table.fieldIndex("BrMes"), brDan = table.fieldIndex("BrDan"),
            am = table.fieldIndex("PAm"), sadVr = table.fieldIndex("PASadVr"),
            nab = table.fieldIndex("PANab"), otp = table.fieldIndex("PAOtp"),
            noviPrav = table.fieldIndex("NoviPrav");
  OptionalFields f{table};
  std::vector<PaRow> rows;
  rows.reserve(table.recCount());
  forEachRecord(table, step, [&] {
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
    rows.push_back(std::move(r));
  });
  return rows;
}

GroupResets readGroupResets(DbfTable& mdng, const RecordStep& step) {
  const int invBr = mdng.fieldIndex("InvBr"), godina = mdng.fieldIndex("GodinaNG");
  OptionalFields f{mdng};
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
