// The booking note's CSV.
#include "reports/booking_note_csv.h"

#include "common/output_file.h"

namespace kavrina::reports {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string bookingNoteCsv(const depreciation::BookingNote& note) {
  const std::string datum = note.datum.toText();
  const std::string zero = depreciation::parasText(0);
  std::string csv(kNalogCsvHeader);
  csv += kLineEnd;
  auto line = [&](const std::string& konto, const std::string& opis, const std::string& duguje,
                  const std::string& potrazuje) {
    csv += datum + ',' + csvField(konto) + ',' + csvField(opis) + ',' + duguje + ',' + potrazuje;
    csv += kLineEnd;
  };
  for (const depreciation::BookingLine& l : note.lines) {
    const std::string opis = depreciation::bookingLineText(note, l);
    const std::string amount = depreciation::parasText(l.paras);
    line(note.trosak, opis, amount, zero);
    line(l.ispravka, opis, zero, amount);
  }
  return csv;
}

std::optional<std::string> writeBookingNoteCsv(const depreciation::BookingNote& note,
                                               const std::filesystem::path& path,
                                               const std::filesystem::path& programFolder,
                                               bool replace, std::string* warning) {
  return output::writeWholeText(path, programFolder, replace, bookingNoteCsv(note), warning);
}

}  // namespace kavrina::reports
