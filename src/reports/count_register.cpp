// Reading the register for a count.
#include "reports/count_register.h"

#include <string>
#include <unordered_set>

#include "common/text.h"
#include "reports/list_report.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::reports {

std::vector<CountAsset> readCountRegister(store::Program& program) {
  std::unordered_set<std::string> listed;
  for (const auto& row : program.AOSNOVNASREDSTVA)
    listed.emplace(text::trimBlanks(listCell(row, 1)));

  std::vector<CountAsset> assets;
  store::DbfTable& mdos = program.areas["MDOS"];
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    CountAsset a;
    a.InvBr = std::string(text::trimBlanks(mdos.getString("InvBr")));
    a.Naziv = std::string(text::trimRightBlanks(mdos.getString("Naziv")));
    a.DatumN = mdos.getDate("DatumN");
    a.DatumO = mdos.getDate("DatumO");
    a.ODeo = static_cast<int>(mdos.getNumber("ODeo"));
    a.listed = listed.count(a.InvBr) > 0;
    assets.push_back(std::move(a));
  }
  mdos.goTop();
  return assets;
}

}  // namespace kavrina::reports
