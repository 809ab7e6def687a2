#include "app/list_rows.h"

#include <cctype>
#include <cstdio>

#include "common/text.h"

namespace kavrina::app {

bool isCalculationFileName(std::string_view name) {
  if (name.size() != 12) return false;
  if (std::toupper(static_cast<unsigned char>(name[0])) != 'A' || name[1] != '2' || name[2] != '0')
    return false;
  std::string ext(name.substr(8));
  return upperCase(ext) == ".DBF";
}

// From one file name "A" yyyy mm k ".dbf", in this order:
//   1. always: "Godisnji"/"Periodicni" + " obracun " + "Racunovodstvene"/"Poreske" + "
//   amortizacije";
//   2. tax only: "Obrazac OA " + ("" or "(Periodicni)");
//   3. tax of a year after 2018 whose accounting table exists: "Obrazac POA " + ("" or
//   "(Periodicni)");
//   4. under the same condition: "Evidencija OS stecenih od 01.01.2019 " + ("" or "(Periodicna)").
ListRows calculationRows(const std::string& fileName,
                         const std::function<bool(const std::string&)>& accountingExists) {
  if (!isCalculationFileName(fileName)) return {};
  const std::string year = fileName.substr(1, 4);
  const std::string months = fileName.substr(5, 2);
  const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(fileName[7])));
  for (char c : year + months)
    if (!std::isdigit(static_cast<unsigned char>(c))) return {};
  const bool annual = months == "12";
  auto row = [&](std::string description) {
    return ListRow{fileName, std::move(description), year, months};
  };
  ListRows rows;
  rows.push_back(row(std::string(annual ? "Godisnji" : "Periodicni") + " obracun " +
                     (kind == 'R' ? "Racunovodstvene" : "Poreske") + " amortizacije"));
  if (kind != 'P') {
    rows.push_back(row(std::string(kNalogZaKnjizenje) + (annual ? "" : " (Periodicni)")));
    return rows;
  }
  rows.push_back(row(std::string("Obrazac OA ") + (annual ? "" : "(Periodicni)")));
  if (std::stoi(year) > 2018 && accountingExists &&
      accountingExists("A" + year + months + "R.dbf")) {
    rows.push_back(row(std::string("Obrazac POA ") + (annual ? "" : "(Periodicni)")));
    rows.push_back(
        row(std::string("Evidencija OS stecenih od 01.01.2019 ") + (annual ? "" : "(Periodicna)")));
  }
  return rows;
}

std::string deleteAllCode(const Date& today) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d", today.day(), today.month(), today.year() % 100);
  return text;
}

std::string trimmed(std::string_view text) {
  return std::string(text::trimBlanks(text));
}

std::string upperCase(std::string_view text) {
  return text::upper(text);
}

std::string padded(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

}  // namespace kavrina::app
