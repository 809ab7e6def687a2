// The booking note as CSV for a bookkeeping program: one line per account and side, columns
// `Datum,Konto,Opis,Duguje,Potrazuje`, UTF-8, comma-separated, amounts with a decimal point
// and two decimals. Only the lines booked: those without an accumulated-depreciation account
// are not in it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "depreciation/booking_note.h"

namespace kavrina::reports {

inline constexpr std::string_view kNalogCsvHeader = "Datum,Konto,Opis,Duguje,Potrazuje";

// The whole file: the header line, then for each line of the note its debit line (the
// expense account) and its credit line (the accumulated-depreciation account), each ended
// by CR LF. A text holding a comma, a quote or a line break is quoted, its quotes doubled.
std::string bookingNoteCsv(const depreciation::BookingNote& note);

// Writes the file at `path` as output files are written (common/output_file.h): aside, then
// renamed; never in or below `programFolder`; over an existing regular file only with
// `replace`. No value when written, otherwise the message saying why not; `warning`, when
// given, gets a note on a file written whose folder could not be flushed.
std::optional<std::string> writeBookingNoteCsv(const depreciation::BookingNote& note,
                                               const std::filesystem::path& path,
                                               const std::filesystem::path& programFolder,
                                               bool replace, std::string* warning = nullptr);

}  // namespace kavrina::reports
