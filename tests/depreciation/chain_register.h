// The small register of the year-by-year chain (2017 to 2026), shared by the chain over
// values and the chain over the real tables.
#pragma once

#include <vector>

#include "depreciation/asset_builder.h"
#include "store/records.h"

namespace kavrina::depreciation::testing {

// 1: straight-line, 15000 a year from a base of 120000 (12.5 %); tax group I, old rules.
// 2: declining 20 % on 50000 less 10000 adjusted before the register; tax group III 15 %,
//    old rules, declining.
// 3: acquired 1 July 2020: straight-line 20 %; tax group II 10 % under the new rules,
//    20 dinars a day (73000 × 10 % / 365).
// 4: written off 15 September 2022; tax group IV 20 %, old rules.
// 5: accounting rate 0; tax group V 30 %, its group reset from 2021.
// 6: acquired 10 December 2024; tax group I under the new rules.
inline std::vector<store::AssetRecord> chainRegister() {
  return {
      assetNo("1").acquired("15.03.2017").accounting(120000, 12.5, 1).tax(120000, 1, 2.5),
      assetNo("2")
          .acquired("10.06.2016")
          .accounting(50000, 20, 2)
          .tax(50000, 3, 15)
          .adjustment(10000),
      assetNo("3").acquired("01.07.2020").accounting(73000, 20, 1).tax(73000, 2, 10),
      assetNo("4")
          .acquired("20.01.2015")
          .writtenOff("15.09.2022")
          .accounting(24000, 10, 1)
          .tax(24000, 4, 20),
      assetNo("5")
          .acquired("05.05.2010")
          .accounting(10000, 0, 1)
          .tax(10000, 5, 30)
          .adjustment(4000),
      assetNo("6").acquired("10.12.2024").accounting(12000, 10, 1).tax(12000, 1, 2.5),
  };
}

// Its group reset: asset 5 from 2021.
inline constexpr const char* kChainResetInvBr = "5";
inline constexpr const char* kChainResetYear = "2021";

}  // namespace kavrina::depreciation::testing
