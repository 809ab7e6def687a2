// Form OA as a workbook: the four group rows II to V with their amounts as numbers and the
// totals as SUM formulas.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/workbook.h"
#include "store/program.h"

namespace kavrina::reports {

// The six amounts of one group row, in thousandths, in the form's column order: opening
// balance (2), acquired (3), disposed (4), base (5), depreciation (7), closing value (8).
using OaGroupAmounts = std::array<std::int64_t, 6>;

// The form's sheet "OA": the company, its place, the title `title` and the period line
// `period` above the columns 1 to 8 of the form; the group rows in order II, III, IV, V.
sheet::Workbook oaWorkbook(const store::Program& program, const std::string& title,
                           const std::string& period, const std::array<OaGroupAmounts, 4>& groups);

}  // namespace kavrina::reports
