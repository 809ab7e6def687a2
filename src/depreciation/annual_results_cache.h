// The present values of the asset list (`OBRRASADVR`) read from the company's annual
// accounting results once per list load instead of once per asset, and kept until a
// result file changes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string_view>

#include "depreciation/present_value.h"

namespace kavrina::depreciation {

// The `RASadVr` of every asset in every annual accounting result A(year)12R.dbf of one
// company folder ("DBF" under the company prefix). Owns the values it read.
//
// refresh() lists the folder and rereads only the files that are new or changed (size,
// modification time or file identity differ) and forgets the years whose file is gone,
// so the main window calls it at the start of every asset-list load; a recalculation,
// a deleted calculation and another station's calculation are all seen at the next load.
class AnnualResultsCache {
 public:
  // Brings the values up to date with the annual accounting results in `dbfFolder`.
  // A result table that another user holds exclusively (a calculation running) cannot be
  // read: its year is left out this time and read again at the next refresh. A switch to
  // another folder (another company) drops everything first. Raises the table layer's
  // error for a damaged result file.
  void refresh(const std::filesystem::path& dbfFolder);

  // Forgets everything, so that the next refresh reads every file.
  void clear();

  // `OBRRASADVR(invBr, oldestYear, default)` for the newest year `newestYear` (`NGODINA`):
  // the `RASadVr` of the asset in the newest annual accounting result from `newestYear`
  // down to `oldestYear` that holds it, otherwise `defaultValue`. Same answers as opening
  // each A(j)12R, indexing it on the inventory number and seeking it.
  double OBRRASADVR(std::string_view invBr, int newestYear, int oldestYear,
                    double defaultValue) const {
    return values_.OBRRASADVR(invBr, newestYear, oldestYear, defaultValue);
  }

  // How many result files were read by the last refresh (0 when nothing had changed).
  int filesReadLastRefresh() const { return filesRead_; }

 private:
  struct Signature {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // modification time, nanoseconds
    std::uint64_t inode = 0;
    bool operator==(const Signature&) const = default;
  };

  std::filesystem::path folder_;
  std::map<int, Signature> years_;  // year -> signature of the file read
  AnnualPresentValues values_;
  int filesRead_ = 0;
};

}  // namespace kavrina::depreciation
