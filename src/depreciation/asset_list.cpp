// The asset list's rows with their present values.
#include "depreciation/asset_list.h"

#include <chrono>
#include <cmath>
#include <memory>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "depreciation/mdos_scan.h"
#include "depreciation/working_tables.h"
#include "store/database.h"
#include "store/import_lock.h"

namespace kavrina::depreciation {
namespace {

constexpr std::string_view kUcitavaSe = "Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...";

}  // namespace

std::string amountPicture(double value) {
  return formatPicture(value, kPictureListAmount);
}

AssetRow assetRow(const std::string& invBr, const std::string& naziv, const Date& datumN,
                  double raOsn, double paOsn, double presentValue) {
  return {invBr,
          naziv,
          datumN.toText(),
          amountPicture(raOsn),
          amountPicture(paOsn),
          amountPicture(raOsn - presentValue),
          amountPicture(presentValue)};
}

namespace {

// The fields of one asset that its list row shows.
struct ListedAsset {
  std::string invBr;
  std::string naziv;
  Date datumN;
  double raOsn = 0;
  double paOsn = 0;
};

class ListedAssetReader {
 public:
  explicit ListedAssetReader(store::DbfTable& mdos)
      : invBr_(mdos.fieldIndex("InvBr")),
        naziv_(mdos.fieldIndex("Naziv")),
        datumN_(mdos.fieldIndex("DatumN")),
        raOsn_(mdos.fieldIndex("RAOsn")),
        paOsn_(mdos.fieldIndex("PAOsn")) {}
  ListedAsset read(store::DbfTable& mdos) const {
    return {mdos.getString(invBr_), mdos.getString(naziv_), mdos.getDate(datumN_),
            mdos.getNumber(raOsn_), mdos.getNumber(paOsn_)};
  }

 private:
  int invBr_, naziv_, datumN_, raOsn_, paOsn_;
};

}  // namespace

std::vector<AssetRow> loadAssetRows(store::Session& program, AnnualResultsCache& presentValues,
                                    const AssetListOptions& options) {
  presentValues.refresh(store::dataPath(program, ""));
  // The register as it stands before another station's import or after it.
  const store::RegisterReading reading(program);
  if (!reading.held()) return {};
  program.areas.select("MDOS");
  store::DbfTable& mdos = program.areas["MDOS"];
  const ListedAssetReader reader(mdos);
  std::vector<AssetRow> rows;
  // Builds the row of one asset; false when the load is to stop.
  auto addRow = [&](const ListedAsset& a) {
    const double present =
        presentValues.OBRRASADVR(a.invBr, program.NGODINA, a.datumN.year(), a.raOsn);
    rows.push_back(assetRow(a.invBr, a.naziv, a.datumN, a.raOsn, a.paOsn, present));
    return !options.step || options.step(rows.size());
  };

  // The fast way: the whole register read in one pass, then the rows in index order.
  std::vector<ListedAsset> listed;
  const auto order = scanMdosInIndexOrder(program, [&](store::DbfTable& record) {
    if (options.filter && !options.filter(record)) return false;
    listed.push_back(reader.read(record));
    return true;
  });
  if (order) {
    rows.reserve(listed.size());
    for (std::size_t i : *order)
      if (!addRow(listed[i])) break;
    return rows;
  }
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    if (options.filter && !options.filter(mdos)) continue;
    if (!addRow(reader.read(mdos))) break;
  }
  return rows;
}

void UcitajOsnovnaSredstva(store::Program& program, AnnualResultsCache& presentValues,
                           const std::function<bool(store::DbfTable& mdos)>& filter) {
  ui::UserInterface& ui = program.userInterface();
  const int count = static_cast<int>(program.areas["MDOS"].recCount());
  const std::unique_ptr<ui::ProgressBox> progress = ui.showProgress(kUcitavaSe, 1, count);
  EventPump pump(program.ui);
  AssetListOptions options;
  options.filter = filter;
  options.step = [&](std::size_t read) {
    progress->setPosition(static_cast<int>(read));
    pump();
    return !progress->cancelled();
  };
  program.AOSNOVNASREDSTVA = loadAssetRows(program, presentValues, options);
  progress->setPosition(count);
}

}  // namespace kavrina::depreciation
