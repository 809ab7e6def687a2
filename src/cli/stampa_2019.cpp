// The register of 2019 and form POA from the command line: the calculation of --godina and
// --meseci, written as the calculation list shows them ("2023", "06").
#include "cli/stampa_2019.h"

#include <cstdio>
#include <string>

#include "reports/evidencija_2019.h"
#include "reports/obrazac_poa.h"

namespace kavrina::cli {
namespace {

std::string digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

const std::vector<StampaOption> kPeriodOptions{{"--godina", true}, {"--meseci", false}};

}  // namespace

std::vector<StampaDocument> documents2019() {
  return {
      {"evidencija2019", kPeriodOptions, "--godina Y [--meseci P] --pdf FAJL",
       "Evidencija osnovnih sredstava stecenih od 01.01.2019 (polozen A4) iz obracuna\n"
       "godine Y i P meseci (podrazumevano 12): A + Y + P + P.dbf i A + Y + P + R.dbf.",
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         return reports::EVIDENCIJAOS01012019(program, printer, digits(*o.godina, 4),
                                              digits(o.meseci, 2));
       }},
      {"poa", kPeriodOptions, "--godina Y [--meseci P] --pdf FAJL",
       "Obrazac POA iz obracuna godine Y i P meseci (podrazumevano 12; periodicni kada\n"
       "P nije 12): A + Y + P + P.dbf i A + Y + P + R.dbf.",
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         return reports::OBRAZACPOA(program, printer, digits(*o.godina, 4), digits(o.meseci, 2));
       }},
  };
}

}  // namespace kavrina::cli
