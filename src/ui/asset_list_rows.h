// The asset list the main window keeps (`AOSNOVNASREDSTVA`): one typed row per asset, with
// the fields its columns show and its accounting present value. The texts of a row are made
// from it only where they are shown or printed (depreciation/asset_list.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/date.h"
#include "common/shared_vector.h"

namespace kavrina::ui {

// One asset of the list. The texts are as stored, without their padding blanks.
struct AssetListRow {
  std::string InvBr;
  std::string Naziv;
  Date DatumN;
  double RAOsn = 0;
  double PAOsn = 0;
  double presentValue = 0;  // OBRRASADVR
  // Deleted from the register while listed: every text is shown in parentheses.
  bool deleted = false;
};

// The widths in letters the list pads `InvBr` and `Naziv` to: the widths of the table read.
struct AssetListWidths {
  std::size_t invBr = 30;
  std::size_t naziv = 30;
};

// The rows in the order the list shows them, and the widths of their texts. A copy shares the
// rows until either changes them: a document printed from the list keeps them so.
struct AssetList {
  SharedVector<AssetListRow> rows;
  AssetListWidths widths;

  std::size_t size() const { return rows.size(); }
  bool empty() const { return rows.empty(); }
  void clear() { rows.clear(); }
};

}  // namespace kavrina::ui
