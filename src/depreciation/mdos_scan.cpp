// The asset register in index order from one sequential pass.
#include "depreciation/mdos_scan.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "common/reorder.h"
#include "depreciation/result_tables.h"
#include "errors/error.h"
#include "errors/network_error.h"
#include "store/ntx/ntx_order.h"
#include "store/record_codec.h"

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

  // The keys side by side in one buffer, keySize bytes each.
  const store::ntx::KeyExpression& expression = order->expression();
  const std::size_t keySize = expression.keySize();
  std::vector<char> keys;
  std::size_t taken = 0;
  keys.reserve(static_cast<std::size_t>(scan->recCount()) * keySize);
  for (scan->goTop(); !scan->eof(); scan->skip()) {
    if (scan->hideDeleted() && scan->deleted()) continue;
    if (take(*scan)) {
      ++taken;
      keys.resize(keys.size() + keySize);
      expression.evaluate(scan->recordBuffer(), keys.data() + keys.size() - keySize);
    }
  }
  scan->close();
  std::vector<std::size_t> positions(taken);
  for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = i;
  const char* base = keys.data();
  const auto before = [&](std::size_t a, std::size_t b) {
    return std::memcmp(base + a * keySize, base + b * keySize, keySize) < 0;
  };
  // A register is mostly entered in the order of its numbers: then the file's order is the
  // index's already, and one look at each neighbour saves the sort.
  if (!std::is_sorted(positions.begin(), positions.end(), before))
    std::stable_sort(positions.begin(), positions.end(), before);
  return positions;
}

std::optional<std::vector<std::size_t>> visitAssetsInIndexOrder(
    store::Session& program, const store::FieldSet<store::AssetRecord>& fields,
    const std::function<bool(store::AssetRecord&)>& take, const std::function<void()>& step) {
  store::AssetRecord asset;
  // On the scan's own table, known at its first record.
  std::optional<store::RecordCodec<store::AssetRecord>> reader;
  auto order = scanMdosInIndexOrder(program, [&](store::DbfTable& record) {
    if (!reader || &reader->table() != &record) reader.emplace(record, fields);
    reader->read(asset);
    const bool kept = take(asset);
    if (step) step();
    return kept;
  });
  if (order) return order;

  store::DbfTable& mdos = program.areas["MDOS"];
  const store::RecordCodec<store::AssetRecord> standing(mdos, fields);
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    if (mdos.hideDeleted() && mdos.deleted()) continue;
    standing.read(asset);
    take(asset);
    if (step) step();
  }
  return std::nullopt;
}

std::vector<store::AssetRecord> readAssetsInIndexOrder(
    store::Session& program, const store::FieldSet<store::AssetRecord>& fields,
    const std::function<void()>& step) {
  std::vector<store::AssetRecord> assets;
  assets.reserve(program.areas["MDOS"].recCount());
  const auto order = visitAssetsInIndexOrder(
      program, fields,
      [&assets](store::AssetRecord& asset) {
        assets.push_back(std::move(asset));
        return true;
      },
      step);
  if (order) reorderInPlace(assets, std::move(*order));
  return assets;
}

}  // namespace kavrina::depreciation
