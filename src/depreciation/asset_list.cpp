// The asset list's rows with their present values.
#include "depreciation/asset_list.h"

#include <chrono>
#include <cmath>
#include <memory>

#include "common/decimal.h"
#include "depreciation/working_tables.h"
#include "store/database.h"
#include "ui/current_ui.h"

namespace kavrina::depreciation {
namespace {

constexpr std::size_t kPictureWidth = 17;  // "99,999,999,999.99"
constexpr int kPictureWholeDigits = 11;
constexpr std::string_view kUcitavaSe = "Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...";

}  // namespace

std::string amountPicture(double value) {
  const std::string plain = formatFixed(value, 2);  // "-1234567.89"
  const bool negative = !plain.empty() && plain[0] == '-';
  const std::string digits = plain.substr(negative ? 1 : 0);
  const std::size_t point = digits.find('.');
  const std::string whole = digits.substr(0, point);
  std::string grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  std::string text = (negative ? "-" : "") + grouped + digits.substr(point);
  // The picture holds 11 whole digits; a minus sign takes the place of a digit.
  if (whole.size() + (negative ? 1 : 0) > static_cast<std::size_t>(kPictureWholeDigits) ||
      text.size() > kPictureWidth)
    return std::string(kPictureWidth, '*');
  return std::string(kPictureWidth - text.size(), ' ') + text;
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

std::vector<AssetRow> loadAssetRows(store::Program& program, AnnualResultsCache& presentValues,
                                    const AssetListOptions& options) {
  presentValues.refresh(store::dataPath(program, ""));
  program.areas.select("MDOS");
  store::DbfTable& mdos = program.areas["MDOS"];
  const int invBr = mdos.fieldIndex("InvBr"), naziv = mdos.fieldIndex("Naziv"),
            datumN = mdos.fieldIndex("DatumN"), raOsn = mdos.fieldIndex("RAOsn"),
            paOsn = mdos.fieldIndex("PAOsn");
  std::vector<AssetRow> rows;
  rows.reserve(mdos.recCount());
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    if (options.filter && !options.filter(mdos)) continue;
    const std::string number = mdos.getString(invBr);
    const Date acquired = mdos.getDate(datumN);
    const double ra = mdos.getNumber(raOsn);
    const double present =
        presentValues.OBRRASADVR(number, program.NGODINA, acquired.year(), ra);
    rows.push_back(assetRow(number, mdos.getString(naziv), acquired, ra, mdos.getNumber(paOsn),
                            present));
    if (options.step && !options.step(rows.size())) break;
  }
  return rows;
}

void UcitajOsnovnaSredstva(store::Program& program, AnnualResultsCache& presentValues,
                           const std::function<bool(store::DbfTable& mdos)>& filter) {
  ui::UserInterface& ui = ui::current();
  const int count = static_cast<int>(program.areas["MDOS"].recCount());
  const std::unique_ptr<ui::ProgressBox> progress = ui.showProgress(kUcitavaSe, 1, count);
  EventPump pump;
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
