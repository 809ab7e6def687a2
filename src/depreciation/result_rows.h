// The result rows under the names the reports still use.
#pragma once

#include "store/records.h"

namespace kavrina::depreciation {
using store::PaRow;
using store::RaRow;
}  // namespace kavrina::depreciation
