// The asset list read from the register with its present values.
#include "depreciation/asset_list.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "common/number_picture.h"
#include "depreciation/annual_results_cache.h"
#include "depreciation/mdos_scan.h"
#include "store/database.h"
#include "store/import_lock.h"
#include "store/record_codec.h"
#include "ui/event_pump.h"

namespace kavrina::depreciation {
namespace {

using store::AssetRecord;

constexpr std::string_view kUcitavaSe = "Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...";

// The row of an asset whose fields are read.
AssetListRow rowOf(AssetRecord&& asset, const PresentValueLookup& presentValue) {
  AssetListRow row{std::move(asset), 0};
  const AssetRecord& a = row.asset;
  row.presentValue = presentValue ? presentValue(a.InvBr, a.DatumN.year(), a.RAOsn) : a.RAOsn;
  return row;
}

}  // namespace

store::FieldSet<AssetRecord> columnFields() {
  using R = AssetRecord;
  return store::FieldSet<R>::of(&R::InvBr, &R::Naziv, &R::DatumN, &R::RAOsn, &R::PAOsn);
}

store::FieldSet<AssetRecord> listedFields() {
  using R = AssetRecord;
  return store::FieldSet<R>::of(&R::InvBr, &R::Naziv, &R::DatumN, &R::DatumO, &R::RAOsn, &R::PAOsn,
                                &R::ODeo, &R::Konto);
}

std::string amountPicture(double value) {
  return formatPicture(value, kPictureListAmount);
}

std::vector<std::string> assetListTexts(const AssetListRow& row, const AssetListWidths& widths) {
  const AssetRecord& a = row.asset;
  return {store::paddedToWidth(a.InvBr, widths.invBr),
          store::paddedToWidth(a.Naziv, widths.naziv),
          a.DatumN.toText(),
          amountPicture(a.RAOsn),
          amountPicture(a.PAOsn),
          amountPicture(a.RAOsn - row.presentValue),
          amountPicture(row.presentValue)};
}

PresentValueLookup presentValueLookup(store::Session& program) {
  static AnnualResultsCache cache;
  cache.refresh(std::filesystem::absolute(program.CSUBDIRFIRME + "DBF"));
  const int newest = program.NGODINA;
  return [newest](const std::string& invBr, int acquisitionYear, double raOsn) {
    return cache.OBRRASADVR(invBr, newest, acquisitionYear, raOsn);
  };
}

std::optional<AssetList> loadAssetList(store::Session& program, const AssetListOptions& options) {
  // The register as it stands before another station's import or after it.
  const store::RegisterReading reading(program);
  if (!reading.held()) return std::nullopt;
  if (options.begin) options.begin();
  program.areas.select("MDOS");
  store::DbfTable& mdos = program.areas["MDOS"];
  using R = AssetRecord;
  const store::RecordCodec<R> reader(mdos, store::FieldSet<R>::of(&R::InvBr, &R::Naziv));
  AssetList list;
  list.widths = {reader.width(&AssetRecord::InvBr), reader.width(&AssetRecord::Naziv)};
  list.rows.reserve(static_cast<std::size_t>(mdos.recCount()));
  std::size_t read = 0;
  // Takes one visible record's fields; false when the load is to stop.
  auto take = [&](AssetRecord&& asset) {
    if (!options.keep || options.keep(asset))
      list.rows.push_back(rowOf(std::move(asset), options.presentValue));
    return !options.step || options.step(++read);
  };

  // Without a filter the list reads only what its columns show.
  const auto fields = options.keep ? listedFields() : columnFields();
  for (AssetRecord& asset : readAssetsInIndexOrder(program, fields))
    if (!take(std::move(asset))) break;
  mdos.goTop();
  return list;
}

void UcitajOsnovnaSredstva(store::Program& program, const PresentValueLookup& presentValue,
                           const std::function<bool(const AssetRecord&)>& keep) {
  int total = 1;
  std::unique_ptr<ui::ProgressBox> progress;
  ui::EventPump pump(program.ui);
  AssetListOptions options;
  options.begin = [&] {
    total = std::max(static_cast<int>(program.areas["MDOS"].recCount()), 1);
    if (program.ui != nullptr) progress = program.ui->showProgress(kUcitavaSe, 1, total);
  };
  options.keep = keep;
  options.presentValue = presentValue;
  options.step = [&](std::size_t read) {
    if (progress) progress->setPosition(static_cast<int>(read));
    pump();
    return !(progress && progress->cancelled());
  };
  const std::optional<AssetList> list = loadAssetList(program, options);
  if (!list) return;
  program.AOSNOVNASREDSTVA.clear();
  program.AOSNOVNASREDSTVA.reserve(list->rows.size());
  for (const AssetListRow& row : list->rows)
    program.AOSNOVNASREDSTVA.push_back(assetListTexts(row, list->widths));
  if (progress) progress->setPosition(total);
}

std::vector<std::string> currentAssetListTexts(store::Session& program,
                                               const PresentValueLookup& presentValue) {
  const store::RecordCodec<AssetRecord> reader(program.areas["MDOS"], listedFields());
  const AssetListWidths widths{reader.width(&AssetRecord::InvBr),
                               reader.width(&AssetRecord::Naziv)};
  return assetListTexts(rowOf(reader.read(), presentValue), widths);
}

}  // namespace kavrina::depreciation
