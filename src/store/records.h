// One record type per table the program keeps: the asset register `MDOS`, the company
// register `Firme`, the group-reset marks `MDNG` and the accounting and tax result tables.
// Each names its fields as the table does; its layout (schema.cpp) binds them to the
// table's structure, and RecordCodec reads and writes them.
#pragma once

#include <string>

#include "common/date.h"
#include "store/record_layout.h"

namespace kavrina::store {

// A record of `MDOS`. Texts are held without the blanks that pad them to their width (the
// inventory number "201", not "201" and 27 blanks); amounts are the stored values. An empty
// `DatumN` counts as acquired before every year (year 0), an empty `DatumO` means the asset
// is in use.
struct AssetRecord {
  std::string InvBr;      // C 30 inventory number: the digits of a whole number
  std::string Naziv;      // C 30
  Date DatumN;            // D acquisition date
  Date DatumO;            // D write-off date
  std::string Dobavljac;  // C 30 supplier
  std::string Dokument;   // C 30 acquisition document
  double RAOsn = 0;       // N 15.3 accounting base
  double PAOsn = 0;       // N 15.3 tax base
  double IspVr = 0;       // N 15.3 value adjustment at entry, taken off both bases
  double PKVT = 0;        // N 6.2 useful life in years
  double RAStopa = 0;     // N 7.3 accounting rate, percent per year
  int RAtip = 1;          // N 1 accounting method: 1 straight-line, above 1 declining
  double PAStopa = 0;     // N 7.3 tax rate, percent per year
  int PAgrupa = 1;        // N 1 tax group 1..5
  double ODeo = 0;        // N 3 organisational unit
  double Kolicina = 0;    // N 4 quantity
  double Konto = 0;       // N 10 account, as a number
  int DuzKonta = 0;       // N 2 digits of the account as typed (leading zeros)

  static const RecordLayout<AssetRecord>& layout();
};

// A record of `Firme`; texts without their padding blanks.
struct CompanyRecord {
  std::string Sifra;  // C 3 three digits with leading zeros
  std::string Naziv;  // C 30
  std::string Mesto;  // C 30
  std::string PIB;    // C 13

  static const RecordLayout<CompanyRecord>& layout();
};

// A record of `MDNG`: the asset whose tax group is reset, and from which year.
struct GroupResetMark {
  std::string InvBr;     // C 30, as in `MDOS`
  std::string GodinaNG;  // C 4, the reset year as four digits

  static const RecordLayout<GroupResetMark>& layout();
};

// A record of an accounting result table A(year)(months)R.dbf (`BazaRA`). Every amount
// holds the value as stored: three decimals.
struct RaRow {
  std::string InvBr;      // C 30
  double RAPrVr = 0;      // N 15.3 opening present value
  double RAOsn = 0;       // N 15.3 base of the year
  double RAStopa = 0;     // N 7.3
  int RATip = 0;          // N 1
  int BrMes = 0;          // N 2 months depreciated
  double RAm = 0;         // N 15.3 depreciation
  double RASadVr = 0;     // N 15.3 closing present value
  bool RANab = false;     // acquired in the year
  bool RAOtp = false;     // written off in the year
  bool NoviPrav = false;  // acquired after 2018

  static const RecordLayout<RaRow>& layout();
};

// A record of a tax result table A(year)(months)P.dbf (`BazaPA`). Every amount holds the
// value as stored: three decimals.
struct PaRow {
  std::string InvBr;      // C 30
  double PAPrVr = 0;      // N 15.3 opening present value
  double PAOsn = 0;       // N 15.3 base of the year
  double PAOtpVr = 0;     // N 15.3 value taken out of the group on write-off
  double PAStopa = 0;     // N 7.3
  int PAGrupa = 0;        // N 1
  int BrMes = 0;          // N 2 months depreciated
  int BrDan = 0;          // N 3 days depreciated
  double PAm = 0;         // N 15.3 depreciation
  double PASadVr = 0;     // N 15.3 closing present value
  bool PANab = false;     // acquired in the year
  bool PAOtp = false;     // written off in the year
  bool NoviPrav = false;  // acquired after 2018

  static const RecordLayout<PaRow>& layout();
};

}  // namespace kavrina::store
