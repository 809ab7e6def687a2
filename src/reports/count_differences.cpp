// The comparison of a count with the register: an index of the register by inventory
// number, one pass over the scanned lines, one pass over the register.
#include "reports/count_differences.h"

#include <cctype>
#include <unordered_map>

namespace kavrina::reports {
namespace {

// The number of a location as `ODeo` holds it, or -1 when the text is no number.
int unitNumber(const std::string& location) {
  if (location.empty() || location.size() > 6) return -1;
  int value = 0;
  for (char c : location) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

struct CodeTally {
  int scans = 0;
  ScanLine first;
  std::optional<std::string> movedTo;
  ScanLine movedAt;
};

}  // namespace

bool belongsToCount(const CountAsset& asset, Date date) {
  return asset.listed && asset.DatumN <= date && (asset.DatumO.empty() || asset.DatumO > date);
}

CountDifferences compareCount(const std::vector<CountAsset>& assets,
                              const std::vector<ScanLine>& scans, Date date) {
  std::unordered_map<std::string, std::size_t> byNumber;
  for (std::size_t i = 0; i < assets.size(); ++i) byNumber.emplace(assets[i].InvBr, i);

  CountDifferences out;
  std::unordered_map<std::string, CodeTally> tally;
  // The unreadable lines and the first reading of each code, in reading order.
  std::vector<const ScanLine*> readOrder;
  for (const ScanLine& scan : scans) {
    if (scan.location) out.locationsRead = true;
    if (!scan.readable) {
      ++out.unreadableLines;
      readOrder.push_back(&scan);
      continue;
    }
    CodeTally& t = tally[scan.code];
    if (t.scans++ == 0) {
      t.first = scan;
      readOrder.push_back(&scan);
    }
    const auto at = byNumber.find(scan.code);
    if (scan.location && !t.movedTo && at != byNumber.end() &&
        unitNumber(*scan.location) != assets[at->second].ODeo) {
      t.movedTo = scan.location;
      t.movedAt = scan;
    }
  }

  for (const ScanLine* scan : readOrder) {
    if (!scan->readable) {
      out.surplus.push_back({scan->code, {}, SurplusReason::Unreadable, {}, *scan});
      continue;
    }
    const std::string& code = scan->code;
    const CodeTally& t = tally.at(code);
    const auto at = byNumber.find(code);
    const CountAsset* asset = at == byNumber.end() ? nullptr : &assets[at->second];
    if (t.scans > 1) out.repeated.push_back({code, asset ? asset->Naziv : "", t.scans, t.first});
    if (asset && belongsToCount(*asset, date)) continue;
    CountSurplus surplus{
        code, asset ? asset->Naziv : "", SurplusReason::NotInRegister, {}, t.first};
    if (asset && !asset->listed) {
      surplus.reason = SurplusReason::NotListed;
    } else if (asset && !asset->DatumO.empty() && asset->DatumO <= date) {
      surplus.reason = SurplusReason::WrittenOff;
      surplus.date = asset->DatumO;
    } else if (asset) {
      surplus.reason = SurplusReason::AcquiredLater;
      surplus.date = asset->DatumN;
    }
    out.surplus.push_back(std::move(surplus));
  }

  for (const CountAsset& asset : assets) {
    if (!belongsToCount(asset, date)) continue;
    const auto t = tally.find(asset.InvBr);
    if (t == tally.end()) {
      out.missing.push_back(asset);
      continue;
    }
    out.found.push_back({asset, t->second.scans});
    if (t->second.movedTo) out.moved.push_back({asset, *t->second.movedTo, t->second.movedAt});
  }
  return out;
}

std::string surplusNote(const CountSurplus& surplus) {
  switch (surplus.reason) {
    case SurplusReason::NotInRegister:
      return "nije u registru";
    case SurplusReason::WrittenOff:
      return "otpisano " + surplus.date.toText();
    case SurplusReason::AcquiredLater:
      return "nabavljeno " + surplus.date.toText() + ", posle dana popisa";
    case SurplusReason::NotListed:
      return "nije u izabranom spisku";
    case SurplusReason::Unreadable:
      return "neispravan red";
  }
  return {};
}

}  // namespace kavrina::reports
