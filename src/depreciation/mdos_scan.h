// Reading the whole asset register in the order of its index without moving through the
// index record by record: one sequential pass over the file, then a sort by the index's
// own key. Used by the calculation and the asset list, which both read every asset.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "store/program.h"
#include "store/records.h"

namespace kavrina::depreciation {

// Goes through the active company's `MDOS` file in record order through a second shared
// read-only handle (visible records only, as the standing table shows them) and calls
// `take` on each with that handle positioned on the record; `take` answers whether it kept
// the record. Answers the kept records' positions (0 for the first kept, 1 for the next...)
// in the order of the standing table's index: by its key, and by record number among equal
// keys, as the index holds them. Answers nothing, having called `take` for no record, when
// the standing table has no index or the second handle cannot be had; the caller then
// moves through the standing table instead.
std::optional<std::vector<std::size_t>> scanMdosInIndexOrder(
    store::Session& program, const std::function<bool(store::DbfTable& record)>& take);

// Every visible record of the active company's `MDOS` in the order of its index, with the
// chosen fields read through the register's record reader: one pass over the file when
// scanMdosInIndexOrder can make it, moves through the standing table otherwise. Calls
// `step` after each record read. Raises the table layer's errors.
std::vector<store::AssetRecord> readAssetsInIndexOrder(
    store::Session& program, const store::FieldSet<store::AssetRecord>& fields,
    const std::function<void()>& step = {});

}  // namespace kavrina::depreciation
