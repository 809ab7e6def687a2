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

// Reads every visible record of the active company's `MDOS`, with the chosen fields, into
// one record through the register's record reader and hands it to `take`, which answers
// whether it kept something of it; `step` is called after each record. One pass over the
// file when scanMdosInIndexOrder can make it, moves through the standing table in index
// order otherwise. Answers where the kept records stand in index order (position j holds
// the kept record number from[j], counted from 0), or nothing when they were handed over
// in that order already (reorderInPlace puts lists kept alongside into that order). Raises the
// table layer's errors.
std::optional<std::vector<std::size_t>> visitAssetsInIndexOrder(
    store::Session& program, const store::FieldSet<store::AssetRecord>& fields,
    const std::function<bool(store::AssetRecord&)>& take, const std::function<void()>& step = {});

// Every visible record of the active company's `MDOS` in the order of its index, with the
// chosen fields (visitAssetsInIndexOrder keeping each).
std::vector<store::AssetRecord> readAssetsInIndexOrder(
    store::Session& program, const store::FieldSet<store::AssetRecord>& fields,
    const std::function<void()>& step = {});

}  // namespace kavrina::depreciation
