// Test helper that writes a register asset the way an accountant describes it:
// assetNo("7").acquired("15.03.2020").accounting(120000, 10, 1).tax(120000, 2, 10).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/date.h"
#include "store/records.h"

namespace kavrina::depreciation::testing {

class AssetBuilder {
 public:
  explicit AssetBuilder(std::string_view invBr) { asset_.InvBr = std::string(invBr); }

  // Dates as "dd.mm.yyyy"; an empty text leaves the date empty.
  AssetBuilder& acquired(std::string_view date) {
    asset_.DatumN = Date::fromText(date);
    return *this;
  }
  AssetBuilder& writtenOff(std::string_view date) {
    asset_.DatumO = Date::fromText(date);
    return *this;
  }
  AssetBuilder& accounting(double base, double rate, int method) {
    asset_.RAOsn = base;
    asset_.RAStopa = rate;
    asset_.RAtip = method;
    return *this;
  }
  AssetBuilder& tax(double base, int group, double rate) {
    asset_.PAOsn = base;
    asset_.PAgrupa = group;
    asset_.PAStopa = rate;
    return *this;
  }
  AssetBuilder& adjustment(double ispVr) {
    asset_.IspVr = ispVr;
    return *this;
  }

  operator store::AssetRecord() const { return asset_; }  // NOLINT: reads like a value in tables

 private:
  store::AssetRecord asset_;
};

inline AssetBuilder assetNo(std::string_view invBr) {
  return AssetBuilder(invBr);
}

// `count` assets "1".."count" acquired on `date`, each of 12,000.00 a side depreciated at
// 10 %: straight-line in the accounts, tax group II.
inline std::vector<store::AssetRecord> alikeAssets(int count, std::string_view date) {
  std::vector<store::AssetRecord> assets;
  for (int i = 1; i <= count; ++i)
    assets.push_back(
        assetNo(std::to_string(i)).acquired(date).accounting(12000, 10, 1).tax(12000, 2, 10));
  return assets;
}

}  // namespace kavrina::depreciation::testing
