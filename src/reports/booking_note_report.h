// The booking note of a calculation as a document ("Nalog za knjizenje amortizacije"): read
// from the row's accounting result table and the register's accounts, drawn through the
// page model (preview, print, PDF) and given as a workbook for "Excel".
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "depreciation/booking_note.h"
#include "reports/statements.h"
#include "settings/booking_accounts.h"
#include "store/program.h"
#include "ui/printer.h"
#include "ui/user_interface.h"

namespace kavrina::reports {

// The document title (the print job's name).
inline constexpr std::string_view kNalogTitle = "NalogZaKnjizenjeAmortizacije";
inline constexpr std::string_view kNalogHeading = "Nalog za knjizenje amortizacije";

// The note of the accounting result table of `row` (a calculation list row of an "R" table:
// prefix + "DBF/" + the file name, found in any case, read shared and read-only) with the
// accounts of the register's assets (`MDOS`, open) and `accounts`. A table held by another
// user is told with the table-in-use message naming the table (after `wait`, when given, is
// closed), and gives no value. Talks to the user through `program.userInterface()`.
std::optional<depreciation::BookingNote> readBookingNote(
    store::Program& program, const CalculationRow& row, const settings::BookingAccounts& accounts,
    bool perAsset, std::unique_ptr<ui::WaitNotice>* wait = nullptr);

// `StampaNaloga`: under the wait notice, reads the note and draws it: the company heading,
// the year, months and date of booking, one line per account pair (or per asset) with its
// amount, the totals of debit and credit, the lines without an accumulated-depreciation
// account under "Bez konta ispravke" with their sum, and the signature lines; 50 lines a
// page. Gives the note's workbook with the document and previews it. Answers whether a
// document was composed.
bool StampaNaloga(store::Program& program, ui::Printer& printer, const CalculationRow& row,
                  const settings::BookingAccounts& accounts, bool perAsset);

// The note as a workbook: sheet "Nalog" with the lines booked and their total, and sheet
// "Bez konta ispravke" when some lines have no accumulated-depreciation account.
sheet::Workbook bookingNoteWorkbook(const depreciation::BookingNote& note,
                                    const store::Program& program);

}  // namespace kavrina::reports
