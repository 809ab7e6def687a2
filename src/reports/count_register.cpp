// Reading the register for a count.
#include "reports/count_register.h"

#include <string>
#include <unordered_set>

#include "common/text.h"
#include "depreciation/asset_list.h"
#include "store/dbf/dbf_table.h"
#include "store/record_codec.h"
#include "store/records.h"

namespace kavrina::reports {

std::vector<CountAsset> readCountRegister(store::Program& program) {
  std::unordered_set<std::string> listed;
  const ui::AssetList& list = program.AOSNOVNASREDSTVA;
  for (const ui::AssetListRow& row : list.rows)
    listed.emplace(text::trimBlanks(depreciation::assetListCell(row, list.widths, 0)));

  std::vector<CountAsset> assets;
  store::DbfTable& mdos = program.areas["MDOS"];
  using store::AssetRecord;
  const store::RecordCodec<AssetRecord> reader(
      mdos, store::FieldSet<AssetRecord>::of(&AssetRecord::InvBr, &AssetRecord::Naziv,
                                             &AssetRecord::DatumN, &AssetRecord::DatumO,
                                             &AssetRecord::ODeo));
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    const AssetRecord r = reader.read();
    CountAsset a;
    a.InvBr = std::string(text::trimBlanks(r.InvBr));
    a.Naziv = r.Naziv;
    a.DatumN = r.DatumN;
    a.DatumO = r.DatumO;
    a.ODeo = static_cast<int>(r.ODeo);
    a.listed = listed.count(a.InvBr) > 0;
    assets.push_back(std::move(a));
  }
  mdos.goTop();
  return assets;
}

}  // namespace kavrina::reports
