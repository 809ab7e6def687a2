// The asset list read from the register with its present values.
#include "depreciation/asset_list.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/reorder.h"
#include "common/text.h"
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

// The row of an asset whose fields are read, without its present value.
AssetListRow rowOf(AssetRecord&& a) {
  AssetListRow row;
  row.InvBr = std::move(a.InvBr);
  row.Naziv = std::move(a.Naziv);
  row.DatumN = a.DatumN;
  row.RAOsn = a.RAOsn;
  row.PAOsn = a.PAOsn;
  return row;
}

// The row's present value: by the lookup, or its `RAOsn` without one.
void setPresentValue(AssetListRow& row, const PresentValueLookup& presentValue) {
  row.presentValue =
      presentValue ? presentValue(row.InvBr, row.DatumN.year(), row.RAOsn) : row.RAOsn;
}

// The amount of amount column `column` (3 to 6).
double amountOf(const AssetListRow& row, std::size_t column) {
  switch (column) {
    case 3:
      return row.RAOsn;
    case 4:
      return row.PAOsn;
    case 5:
      return row.RAOsn - row.presentValue;
    default:
      return row.presentValue;
  }
}

// The amount rounded to the picture's two decimals; none when it does not fit the picture
// (eleven whole digits, a minus sign taking the place of one of them).
std::optional<double> pictureAmount(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = roundDecimals(value, 2);
  const double limit = rounded < 0 ? 1e10 : 1e11;
  if (std::fabs(rounded) >= limit) return std::nullopt;
  return rounded;
}

// The length of amountPicture's text without its leading blanks.
std::size_t amountTextLength(double value) {
  const std::optional<double> rounded = pictureAmount(value);
  if (!rounded) return kPictureListAmount.size();
  std::uint64_t whole = static_cast<std::uint64_t>(std::fabs(*rounded));
  std::size_t digits = 1;
  while (whole >= 10) {
    whole /= 10;
    ++digits;
  }
  const std::size_t sign = *rounded < 0 ? 1 : 0;
  return sign + digits + (digits - 1) / 3 + 3;  // with the commas and ".99"
}

// "dd.mm.yyyy"
constexpr std::size_t kDateTextLength = 10;

// `text` padded with blanks to `width` letters, into `out`.
void paddedInto(const std::string& text, std::size_t width, std::string& out) {
  out.assign(text);
  store::padToWidth(out, width);
}

// The text of a column as the register gives it, before a deletion marks it.
void registerCellInto(const AssetListRow& row, const AssetListWidths& widths, std::size_t column,
                      std::string& out) {
  switch (column) {
    case 0:
      return paddedInto(row.InvBr, widths.invBr, out);
    case 1:
      return paddedInto(row.Naziv, widths.naziv, out);
    case kAssetListDateColumn:
      out = row.DatumN.toText();
      return;
    default:
      if (column < kAssetListColumns)
        return formatPictureInto(amountOf(row, column), kPictureListAmount, out);
      out.clear();
  }
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
  std::vector<std::string> texts;
  texts.reserve(kAssetListColumns);
  for (std::size_t c = 0; c < kAssetListColumns; ++c)
    texts.push_back(assetListCell(row, widths, c));
  return texts;
}

std::string assetListCell(const AssetListRow& row, const AssetListWidths& widths,
                          std::size_t column) {
  std::string text;
  assetListCellInto(row, widths, column, text);
  return text;
}

void assetListCellInto(const AssetListRow& row, const AssetListWidths& widths, std::size_t column,
                       std::string& out) {
  registerCellInto(row, widths, column, out);
  if (!row.deleted || column >= kAssetListColumns) return;
  const std::string shown(text::trimBlanks(out));
  out.assign(1, '(').append(shown).append(1, ')');
}

std::size_t assetListCellLength(const AssetListRow& row, std::size_t column) {
  std::size_t length = 0;
  switch (column) {
    case 0:
      length = text::trimBlanks(row.InvBr).size();
      break;
    case 1:
      length = text::trimBlanks(row.Naziv).size();
      break;
    case kAssetListDateColumn:
      length = row.DatumN.empty() ? 0 : kDateTextLength;
      break;
    default:
      if (column >= kAssetListColumns) return 0;
      length = amountTextLength(amountOf(row, column));
  }
  return row.deleted ? length + 2 : length;
}

double shownAmount(double value) {
  const std::optional<double> rounded = pictureAmount(value);
  return rounded && *rounded != 0 ? *rounded : 0;
}

double assetListAmount(const AssetListRow& row, std::size_t column) {
  return row.deleted ? 0 : shownAmount(amountOf(row, column));
}

Date assetListDate(const AssetListRow& row) {
  return row.deleted ? Date() : row.DatumN;
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
  std::vector<AssetListRow>& rows = list.rows.edit();
  rows.reserve(static_cast<std::size_t>(mdos.recCount()));
  // One pass over the file: every visible record's row, and whether the filter keeps it
  // (without a filter the list reads only what its columns show). The rows are put into
  // index order, then gone through in that order: the progress moves per record, a stop
  // keeps the rows gone through, and the kept ones take their present value and close up.
  std::vector<char> kept;
  kept.reserve(rows.capacity());
  const auto order = visitAssetsInIndexOrder(
      program, options.keep ? listedFields() : columnFields(), [&](AssetRecord& asset) {
        kept.push_back(!options.keep || options.keep(asset));
        rows.push_back(rowOf(std::move(asset)));
        return true;
      });
  if (order) {
    reorderInPlace(rows, *order);
    reorderInPlace(kept, *order);
  }
  std::size_t listed = 0;
  for (std::size_t read = 0; read < rows.size();) {
    if (kept[read]) {
      if (listed != read) rows[listed] = std::move(rows[read]);
      setPresentValue(rows[listed++], options.presentValue);
    }
    ++read;
    if (options.step && !options.step(read)) break;
  }
  rows.resize(listed);
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
  std::optional<AssetList> list = loadAssetList(program, options);
  if (!list) return;
  program.AOSNOVNASREDSTVA = std::move(*list);
  if (progress) progress->setPosition(total);
}

void putCurrentAsset(store::Session& program, const PresentValueLookup& presentValue,
                     AssetList& list) {
  const store::RecordCodec<AssetRecord> reader(program.areas["MDOS"], columnFields());
  list.widths = {reader.width(&AssetRecord::InvBr), reader.width(&AssetRecord::Naziv)};
  AssetListRow row = rowOf(reader.read());
  setPresentValue(row, presentValue);
  const std::string number = assetListCell(row, list.widths, 0);
  for (AssetListRow& existing : list.rows) {
    if (assetListCell(existing, list.widths, 0) == number) {
      existing = std::move(row);
      return;
    }
  }
  list.rows.push_back(std::move(row));
}

}  // namespace kavrina::depreciation
