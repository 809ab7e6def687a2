// The count's documents from the command line: the asset list loaded with the filter the
// options name, as for the inventory list, then the labels or the differences (the CSV of
// the differences written beside the PDF when asked for).
#include "cli/stampa_count.h"

#include <string>

#include "app/count_run.h"
#include "cli/stampa_register.h"
#include "reports/asset_labels.h"
#include "settings/ini_files.h"
#include "ui/current_ui.h"

namespace kavrina::cli {

namespace {

void tell(const std::string& text, ui::MessageKind kind) {
  ui::current().messageBox(text, kind, ui::MessageButtons::Ok);
}

// The differences of the scanner files of --skenirano on --na-dan, printed, and written as
// CSV to --csv when it is given; the summary goes to the console.
bool composeDifferences(store::Program& program, ui::Printer& printer, const CliOptions& o) {
  loadAssetList(program, o);
  const std::vector<std::filesystem::path> files(o.skenirano.begin(), o.skenirano.end());
  const Date date = Date::fromText(*o.naDan);
  const auto run = app::runCount(program, files, date);
  if (!run) return false;
  if (o.csv) {
    if (const auto error =
            app::writeCountCsv(run->sections, *o.csv, program.info.folder, o.presnimi)) {
      tell(*error, ui::MessageKind::Error);
      return false;
    }
    tell("Sacuvan CSV: " + *o.csv, ui::MessageKind::Information);
  }
  tell(app::countSummary(run->differences), ui::MessageKind::Information);
  return reports::printCountDifferences(program, printer, run->sections, date).shown;
}

}  // namespace

std::vector<StampaDocument> countDocuments() {
  std::vector<StampaOption> labelOptions = assetFilterOptions();
  labelOptions.push_back({"--od", false});
  std::vector<StampaOption> differenceOptions = assetFilterOptions();
  differenceOptions.insert(differenceOptions.begin(),
                           {{"--na-dan", true}, {"--skenirano", true}, {"--csv", false}});
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
      {"razlike", differenceOptions,
       "--na-dan dd.mm.yyyy --skenirano FAJL [--skenirano FAJL...]\n"
       "      [--deo-naziva T | --otpisana | --neotpisana | --lokacija N | --konto N]\n"
       "      [--csv FAJL.csv] --pdf FAJL",
       "Popisne razlike: fajlovi skenera (jedan kod u redu, ili InvBr;Lokacija) uporedjeni\n"
       "sa registrom na dan popisa. Odeljci: pronadjena sredstva, manjak (u registru, nisu\n"
       "skenirana), visak (skenirano, a nije u registru ili je otpisano), skenirano vise\n"
       "puta i, kada fajl navodi lokaciju, na drugoj lokaciji od Org.dela iz registra.\n"
       "Sredstva popisa su sredstva spiska nabavljena do dana popisa i neotpisana tog dana.\n"
       "Prazni redovi, CR LF i BOM se prihvataju; neispravni redovi se navode kao visak.\n"
       "--csv FAJL.csv: isti odeljci i kao CSV (UTF-8). Registar se ne menja.\n" +
           std::string(kAssetFilterHelp),
       composeDifferences},
  };
}

}  // namespace kavrina::cli
