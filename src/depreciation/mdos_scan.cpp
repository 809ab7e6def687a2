// The asset register in index order from one sequential pass.
#include "depreciation/mdos_scan.h"

#include <algorithm>
#include <memory>
#include <string>

#include "errors/error.h"
#include "errors/network_error.h"
#include "store/ntx/ntx_order.h"

namespace kavrina::depreciation {

std::optional<std::vector<std::size_t>> scanMdosInIndexOrder(
    store::Session& program, const std::function<bool(store::DbfTable& record)>& take) {
  store::DbfTable& standing = program.areas["MDOS"];
  const auto* order = dynamic_cast<store::ntx::NtxOrder*>(standing.controllingOrder());
  if (!order) return std::nullopt;
  std::unique_ptr<store::DbfTable> scan;
  errors::setNetworkError(false);
  try {
    scan = store::DbfTable::open(standing.path(), {.shared = true, .readOnly = true});
  } catch (const errors::Error&) {
    scan.reset();
  }
  if (!scan) return std::nullopt;
  scan->setHideDeleted(standing.hideDeleted());
  scan->setSnapshotScan(true);  // one pass from top to bottom: blocks read ahead

  const store::ntx::KeyExpression& expression = order->expression();
  std::vector<std::string> keys;
  for (scan->goTop(); !scan->eof(); scan->skip()) {
    if (scan->hideDeleted() && scan->deleted()) continue;
    if (take(*scan)) keys.push_back(expression.evaluate(scan->recordBuffer()));
  }
  scan->close();
  std::vector<std::size_t> positions(keys.size());
  for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = i;
  std::stable_sort(positions.begin(), positions.end(),
                   [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return positions;
}

}  // namespace kavrina::depreciation
