// The count's documents from the command line: the asset list loaded with the filter the
// options name, as for the inventory list, then the labels or the differences.
#include "cli/stampa_count.h"

#include <string>

#include "cli/stampa_register.h"
#include "reports/asset_labels.h"
#include "settings/ini_files.h"

namespace kavrina::cli {

std::vector<StampaDocument> countDocuments() {
  std::vector<StampaOption> labelOptions = assetFilterOptions();
  labelOptions.push_back({"--od", false});
  return {
      {"nalepnice", labelOptions,
       "[--deo-naziva T | --otpisana | --neotpisana | --lokacija N | --konto N]\n"
       "      [--od N] --pdf FAJL",
       "Nalepnice sa bar kodom (Code 128) inventarskog broja za sredstva spiska, na listu\n"
       "nalepnica iz Kavrina.ini, odeljak [Nalepnice]: Kolone, Redovi, Sirina, Visina, Levo,\n"
       "Gore, Razmak kolona, Razmak redova (mm; podrazumevano 3 x 8 nalepnica 70 x 37 mm).\n"
       "--od N: prva nalepnica je N-ta na listu (redom po redovima), za zapocet list.\n" +
           std::string(kAssetFilterHelp),
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         loadAssetList(program, o);
         const reports::LabelSheet sheet = reports::readLabelSheet(settings::programSettings());
         return reports::printAssetLabels(program, printer, sheet, o.od.value_or(1)).shown;
       }},
  };
}

}  // namespace kavrina::cli
