// UcitajFirme and UcitajObracune: the company list and the calculation list read from the
// tables and the company's folder into the program-wide arrays (the asset list:
// depreciation/asset_list.h).
#pragma once

#include <functional>
#include <string>

#include "app/list_rows.h"
#include "store/program.h"
#include "store/records.h"

namespace kavrina::store {
class DbfTable;
}

namespace kavrina::app {

// Which companies the company list keeps, in force for one load.
using CompanyFilter = std::function<bool(const store::CompanyRecord&)>;

// Rebuilds `AFIRME` from the visible `Firme` records in code order (only those the
// filter keeps), under the wait notice "Ucitava se Spisak Firmi. Molim sacekajte...".
// When `Firme` has no records at all it first creates company "000" from the companion
// settings file and copies the companies of "qvr_pro.dbf" when that table exists. Then,
// when the active company's name and place are both empty, takes them from the first row.
// Needs `Firme` open.
void UcitajFirme(store::Program& program, const CompanyFilter& filter = {});

// Rebuilds `AOBRACUNI` from the result tables in the active company's "DBF/" folder,
// in the order of their names, under the wait notice "Ucitava se Spisak Obracuna. Molim
// sacekajte...". A missing folder gives an empty list.
void UcitajObracune(store::Program& program);

// The place of company "000" taken from the companion file's "Mesto": the text up to and
// including the blank before " / Sifra Opstine:", or empty when that marker is missing.
std::string companionPlace(const std::string& mesto);

}  // namespace kavrina::app
