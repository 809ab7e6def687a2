#include "store/standing_index.h"

#include <cctype>
#include <chrono>
#include <thread>

#include "common/path_case.h"
#include "errors/error.h"
#include "errors/network_error.h"
#include "errors/os_code.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_order.h"

namespace kavrina::store {

namespace fs = std::filesystem;
using State = IndexInspection::State;

namespace {

// How long a station waits for an index that another station holds alone (while it builds
// or checks it, which takes a moment) before it gives up: 100 times 0.1 s.
constexpr int kAttachAttempts = 100;
constexpr auto kAttachPause = std::chrono::milliseconds(100);

bool isSharingConflict(const errors::Error& e) {
  return e.OSCODE == errors::os::kSharingViolation &&
         (e.GENCODE == errors::gen::kOpen || e.GENCODE == errors::gen::kCreate);
}

// Whether the key expression stored in the header fits the table as the index needs it.
std::string headerProblem(const ntx::NtxFile& file, const DbfTable& table,
                          std::string_view keyExpression) {
  const ntx::NtxHeader& header = file.header();
  ntx::KeyProblem problem = ntx::KeyProblem::None;
  const auto expression = ntx::KeyExpression::compile(header.expression, table.fields(), problem);
  if (!expression) return "key expression '" + header.expression + "' does not fit the table";
  if (expression->keySize() != header.geometry.keySize ||
      expression->decimals() != static_cast<int>(header.decimals))
    return "key size or decimals disagree with the key expression";
  std::string wanted(keyExpression), stored(header.expression);
  for (auto* text : {&wanted, &stored})
    for (char& c : *text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (wanted != stored)
    return "key expression '" + header.expression + "' is not '" + std::string(keyExpression) + "'";
  return {};
}

// Whether the index can be used as other stations use it: its header fits the table and its
// root page reads.
enum class Readable { Yes, HeldAlone, Damaged };

Readable indexReadable(const DbfTable& table, const fs::path& file,
                       std::string_view keyExpression) {
  errors::HandlerSuspended quiet;
  try {
    auto probe = ntx::NtxFile::open(findCaseInsensitive(file), /*shared=*/true, /*readOnly=*/true);
    if (!headerProblem(*probe, table, keyExpression).empty()) return Readable::Damaged;
    {
      ntx::NtxFile::Access access(*probe);
      probe->page(probe->root());
    }
    probe->close();
    return Readable::Yes;
  } catch (const errors::Error& e) {
    return isSharingConflict(e) ? Readable::HeldAlone : Readable::Damaged;
  }
}

}  // namespace

IndexInspection inspectIndex(DbfTable& table, const fs::path& indexFile,
                             std::string_view keyExpression) {
  IndexInspection out;
  const fs::path file = findCaseInsensitive(indexFile);
  std::error_code ec;
  if (!fs::exists(file, ec) && !fs::is_symlink(file, ec)) {
    out.state = State::Missing;
    return out;
  }
  errors::HandlerSuspended quiet;
  try {
    auto index = ntx::NtxFile::open(file, /*shared=*/false, /*readOnly=*/false);
    out.problem = headerProblem(*index, table, keyExpression);
    if (out.problem.empty()) {
      const ntx::TreeCheck check = ntx::checkTree(*index, /*keepEntries=*/false);
      if (!check.ok())
        out.problem = check.problem;
      else if (check.itemCount != table.recCount())
        out.problem = std::to_string(check.itemCount) + " keys for " +
                      std::to_string(table.recCount()) + " records";
    }
    index->close();
  } catch (const errors::Error& e) {
    if (isSharingConflict(e)) {
      out.state = State::InUse;
      return out;
    }
    out.problem = e.what();
  }
  if (!out.problem.empty()) out.state = State::Damaged;
  return out;
}

IndexAttach attachStandingIndex(DbfTable& table, const fs::path& index,
                                std::string_view keyExpression) {
  const fs::path file = ntx::indexFilePath(index);
  for (int attempt = 1;; ++attempt) {
    const IndexInspection look = inspectIndex(table, file, keyExpression);
    if (look.state == State::Missing || look.state == State::Damaged) {
      // Built aside and renamed: a station that opens the index meanwhile gets the old file
      // or the new one whole (and while one has it open, the rename is refused softly).
      bool built = false;
      try {
        built = ntx::createIndex(table, index, keyExpression);
      } catch (const errors::Error& e) {
        if (!isSharingConflict(e)) throw;
      }
      table.clearOrders();
      (void)built;
    }
    // Attached as the other stations use it. A header or root that cannot be read stops
    // here rather than letting this station work without the index.
    const Readable readable = indexReadable(table, file, keyExpression);
    if (readable == Readable::Damaged) return IndexAttach::DamagedInUse;
    if (readable == Readable::Yes) {
      errors::setNetworkError(false);
      bool attached = false;
      try {
        attached = ntx::attachIndex(table, index);
      } catch (const errors::Error& e) {
        if (!isSharingConflict(e)) throw;
      }
      if (attached) return IndexAttach::Attached;
    }
    // Held alone by a station that is building or checking it this very moment.
    if (attempt >= kAttachAttempts) return IndexAttach::Busy;
    std::this_thread::sleep_for(kAttachPause);
  }
}

}  // namespace kavrina::store
