// The count's differences from the register ("Popisne razlike"): what the scanner read
// compared with the assets that belong to the count on its date. A pure function over typed
// rows; reading the scanner files (import/scan_file.h), reading the register
// (count_register.h) and the document (count_document.h) are elsewhere.
#pragma once

#include <string>
#include <vector>

#include "common/date.h"
#include "reports/scan_line.h"

namespace kavrina::reports {

// One asset of the register (`MDOS`) as the count sees it.
struct CountAsset {
  std::string InvBr;  // without surrounding blanks
  std::string Naziv;  // without trailing blanks
  Date DatumN;        // acquisition date (empty: before every date)
  Date DatumO;        // write-off date (empty: in use)
  int ODeo = 0;       // organisational unit, where the asset stands
  // Whether the asset list the count is taken for shows the asset (its filter).
  bool listed = true;
};

// Whether the asset belongs to a count on `date`, as on the inventory list: shown by the
// asset list, acquired on or before the date, and not written off by then.
bool belongsToCount(const CountAsset& asset, Date date);

// Why a scanned code is surplus.
enum class SurplusReason {
  NotInRegister,  // no asset has this inventory number
  WrittenOff,     // the asset was written off on or before the count's date
  AcquiredLater,  // the asset was acquired after the count's date
  NotListed,      // the asset list the count is taken for does not show it
  Unreadable,     // the line is no readable code
};

struct CountFound {
  CountAsset asset;
  int scans = 0;  // how often it was read
};

struct CountSurplus {
  std::string code;   // as read (an unreadable line shown with "\xNN")
  std::string Naziv;  // the register's name when the register holds the number
  SurplusReason reason = SurplusReason::NotInRegister;
  Date date;       // WrittenOff: the write-off date; AcquiredLater: acquisition
  ScanLine first;  // where it was read first
};

struct CountRepeat {
  std::string code;
  std::string Naziv;  // the register's name when the register holds the number
  int scans = 0;      // 2 or more
  ScanLine first;
};

struct CountMoved {
  CountAsset asset;
  std::string location;  // where it was read, not its `ODeo`
  ScanLine first;        // the first line that read it there
};

// The sections of the document, each in a fixed order: found, missing and moved in the
// register's order; surplus and repeated in the order they were first read.
struct CountDifferences {
  std::vector<CountFound> found;
  std::vector<CountAsset> missing;
  std::vector<CountSurplus> surplus;
  std::vector<CountRepeat> repeated;
  // Present only when some line named a location ("InvBr;Lokacija").
  bool locationsRead = false;
  std::vector<CountMoved> moved;
  int unreadableLines = 0;
};

// Compares the scanned lines (all files, in reading order) with the register (in the
// asset list's order) for a count on `date`. A code matches an inventory number when the
// texts are equal ("00123" is not "123": the label carries the number as stored). A code
// read more than once is found (or surplus) once and listed as repeated. A found asset read
// at a location whose number differs from its `ODeo` is moved (the first such reading).
CountDifferences compareCount(const std::vector<CountAsset>& assets,
                              const std::vector<ScanLine>& scans, Date date);

// The note of a surplus code, e.g. "otpisano 20.06.2023" or "nije u registru".
std::string surplusNote(const CountSurplus& surplus);

}  // namespace kavrina::reports
