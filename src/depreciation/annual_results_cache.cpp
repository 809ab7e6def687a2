// Reading the annual accounting results for the asset list's present values.
#include "depreciation/annual_results_cache.h"

#include <sys/stat.h>

#include <cctype>
#include <memory>
#include <optional>
#include <system_error>

#include "errors/error.h"
#include "errors/os_code.h"
#include "store/dbf/dbf_table.h"
#include "store/record_codec.h"
#include "store/records.h"
#include "store/schema.h"

namespace kavrina::depreciation {
namespace {

namespace fs = std::filesystem;

// The year of an annual accounting result file name "A" + yyyy + "12R.dbf" in any case,
// or nothing for any other name.
std::optional<int> annualAccountingYear(const std::string& name) {
  if (name.size() != 12) return std::nullopt;
  auto up = [&](std::size_t i) { return std::toupper(static_cast<unsigned char>(name[i])); };
  if (up(0) != 'A' || name[5] != '1' || name[6] != '2' || up(7) != 'R' || name[8] != '.' ||
      up(9) != 'D' || up(10) != 'B' || up(11) != 'F')
    return std::nullopt;
  int year = 0;
  for (std::size_t i = 1; i <= 4; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
    year = year * 10 + (name[i] - '0');
  }
  return year;
}

std::optional<std::pair<std::int64_t, std::uint64_t>> statFile(const fs::path& file,
                                                               std::uintmax_t& size) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  size = static_cast<std::uintmax_t>(st.st_size);
  const std::int64_t ns =
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return std::make_pair(ns, static_cast<std::uint64_t>(st.st_ino));
}

// Opens a result table for reading, shared so that stations loading their lists at once do
// not refuse each other. Nothing when another user holds it exclusively.
std::unique_ptr<store::DbfTable> openForReading(const fs::path& file) {
  try {
    return store::DbfTable::open(file, {.shared = true, .readOnly = true});
  } catch (const errors::Error& e) {
    if (e.GENCODE == errors::gen::kOpen && e.OSCODE == errors::os::kSharingViolation)
      return nullptr;
    throw;
  }
}

}  // namespace

void AnnualResultsCache::clear() {
  years_.clear();
  values_.clear();
  folder_.clear();
}

void AnnualResultsCache::refresh(const fs::path& dbfFolder) {
  filesRead_ = 0;
  if (dbfFolder != folder_) {
    clear();
    folder_ = dbfFolder;
  }

  // The files present now; when two names differ only in case, the first listed counts.
  std::map<int, std::pair<fs::path, Signature>> present;
  std::error_code ec;
  for (fs::directory_iterator it(dbfFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto year = annualAccountingYear(it->path().filename().string());
    if (!year || present.count(*year)) continue;
    Signature sig;
    const auto st = statFile(it->path(), sig.size);
    if (!st) continue;
    sig.modified = st->first;
    sig.inode = st->second;
    present.emplace(*year, std::make_pair(it->path(), sig));
  }

  for (auto it = years_.begin(); it != years_.end();) {
    const auto now = present.find(it->first);
    if (now == present.end() || !(now->second.second == it->second)) {
      values_.dropYear(it->first);
      it = years_.erase(it);
    } else {
      ++it;
    }
  }

  for (const auto& [year, entry] : present) {
    if (years_.count(year)) continue;
    const std::unique_ptr<store::DbfTable> table = openForReading(entry.first);
    if (!table) continue;  // being calculated: read at the next refresh
    table->setHideDeleted(true);
    table->setSnapshotScan(true);
    using R = store::RaRow;
    const store::FieldSet<R> fields = store::FieldSet<R>::of(&R::InvBr, &R::RASadVr);
    store::schema::check(*table, store::structureOf(fields));
    const store::RecordCodec<R> reader(*table, fields);
    R row;
    values_.reserve(static_cast<std::size_t>(table->recCount()));
    // Record order: the first record of a number is the one a seek on the index finds.
    for (table->goTop(); !table->eof(); table->skip()) {
      reader.read(row);
      values_.add(year, row.InvBr, row.RASadVr);
    }
    table->close();
    // The signature taken before reading: a change while reading shows at the next refresh.
    years_[year] = entry.second;
    ++filesRead_;
  }
}

}  // namespace kavrina::depreciation
