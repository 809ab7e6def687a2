// `OBRACUN`: the depreciation calculation of the active company for one year and number
// of months, its accounting part (A(Y)(P)R.dbf) and its tax part (A(Y)(P)P.dbf). The
// dialogs are in OBRACUN(); the work is runObracun(), which the command-line tool calls
// directly, so both run the same code.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "depreciation/calc_params.h"
#include "store/program.h"

namespace kavrina::depreciation {

// One calculation: year Y, months P (12 annual, 1..11 periodic) and the parts to run.
struct ObracunRequest {
  int year = 0;
  int months = 12;
  bool accounting = true;
  bool tax = true;
};

// How a run ended. When another user holds one of the tables the run needs, nothing has
// been written and `tableInUse` names that table; otherwise `done` is true.
struct ObracunResult {
  bool done = false;
  std::filesystem::path tableInUse;
  std::size_t accountingRows = 0;
  std::size_t taxRows = 0;
};

// The tax settings of section "Programska podesavanja" through READINI: "PA-pocetak",
// "PA-kraj", "PA-kodOtpisa", "PA-korekcija", "ProsecnaZaradaX5", each with its default.
TaxRules readTaxRules();

// The calculation without any dialog. Needs the active company's `MDOS` open (DBOPENALL)
// and a request that passed the checks of calculation_input.h.
//
// First opens every table the run needs, each exclusively as the working-table rule says
// (fresh index on the inventory number): the previous year's annual results A(Y−1)12R / A(Y−1)12P
// when they exist, `MDNG` (created when missing), and the result tables, created or upgraded with
// CREATEDBF. If another user holds any of them, closes what it opened and answers with
// `tableInUse` set, having written nothing. Otherwise reads `MDOS` in index order and the
// inputs, computes steps R1..R3 and T1..T5 with the calculation core, empties each result
// table and appends one record per row under the record-writing rule, commits, and closes
// every table it opened (also when an error is raised). Lets window events run while it
// works. Raises the table layer's errors (a value too wide for its field among them).
ObracunResult runObracun(store::Session& program, const ObracunRequest& request,
                         const TaxRules& rules);

// What the user is told when another user holds `table`.
std::string tableInUseMessage(const std::filesystem::path& table);

// The calculation as the main window starts it: asks for the year (`NGODINA`) and, for a
// periodic calculation, the months (`NMESECI`), checks them ("Pogresan unos."), asks for
// confirmation, runs under the wait notice "Obracun u toku. Molim sacekajte..." and ends
// with "Obracun je zavrsen." (or the table-in-use error). Cancel or No end without effect.
// With neither part wanted, both run. `NGODINA` and `NMESECI` take the values entered only
// when they are valid.
void OBRACUN(store::Session& program, bool accounting, bool tax, bool periodic);

}  // namespace kavrina::depreciation
