// `UCITAJPAMRAM`: the assets under the rules from 2019 (`NoviPrav`) of one calculation, with
// their tax and accounting depreciation side by side, read from its two result tables into
// one list keyed by inventory number. The register of assets acquired from 2019 and form
// POA are printed from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/program.h"

namespace kavrina::depreciation {

// One asset of the list, its columns in the documented order. Amounts as stored (three
// decimals); 0 for the side whose result table has no record of the asset.
struct PamRamRow {
  std::string InvBr;          // inventory number, 30 characters as stored
  double PAm = 0;             // tax depreciation
  double RAm = 0;             // accounting depreciation
  double PASadVr = 0;         // tax closing value
  double RASadVr = 0;         // accounting closing value
  std::string datumObracuna;  // start of the accounting depreciation "dd.mm.yy"; empty
                              // when the asset has no accounting record
};

// What the loader hands back.
struct PamRam {
  // Tax-result records in file order, then the assets found only in the accounting result.
  std::vector<PamRamRow> rows;
  // The load stopped because another user holds one of the tables exclusively (a
  // calculation of that period running); the user has been told.
  bool tableInUse = false;
};

// The texts shown when a result table of the period is missing, e.g. "Ne postoje podaci
// Poreske amoritzacije" CR "za godinu 2023 (meseci 12)." (the program's spelling).
std::string missingTaxResultMessage(std::string_view year, std::string_view months);
std::string missingAccountingResultMessage(std::string_view year, std::string_view months);

// Loads the list for `year` and `months` written as the calculation list shows them
// ("2023", "12"); the result tables are prefix + "DBF/A" + year + months + "P.dbf" and
// "...R.dbf", found in any case. A missing table is told with its message (error box) and
// gives an empty list. Both tables are opened shared and read-only, without an index, so
// that stations printing at the same time do not refuse each other; a table held
// exclusively by another user is told with the table-in-use message and gives an empty
// list with `tableInUse` set. Records marked deleted are left out. Closes what it opened,
// also when the table layer raises an error. Talks through `program.ui`.
PamRam UCITAJPAMRAM(store::Session& program, std::string_view year, std::string_view months);

// An amount as stored (three decimals) in whole thousandths, so that sums of many amounts
// are exact.
std::int64_t thousandths(double amount);

}  // namespace kavrina::depreciation
