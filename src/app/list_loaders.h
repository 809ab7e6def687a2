// UcitajFirme, UcitajOsnovnaSredstva and UcitajObracune: the three lists read from the
// tables and the company's folder into the program-wide arrays.
#pragma once

#include <functional>
#include <string>

#include "app/list_rows.h"
#include "store/program.h"

namespace kavrina::store {
class DbfTable;
}

namespace kavrina::app {

// Which records a list keeps: a temporary filter on the table, in force for one load.
using RecordFilter = std::function<bool(store::DbfTable&)>;

// The accounting present value of an asset for the list: inventory number as stored,
// acquisition year, and the default (its `RAOsn`) when no annual result holds it.
using PresentValueLookup =
    std::function<double(const std::string& invBr, int acquisitionYear, double raOsn)>;

// Rebuilds `AFIRME` from the visible `Firme` records in code order (only those the
// filter keeps), under the wait notice "Ucitava se Spisak Firmi. Molim sacekajte...".
// When `Firme` has no records at all it first creates company "000" from the companion
// settings file and copies the companies of "qvr_pro.dbf" when that table exists. Then,
// when the active company's name and place are both empty, takes them from the first row.
// Needs `Firme` open.
void UcitajFirme(store::Program& program, const RecordFilter& filter = {});

// Rebuilds `AOSNOVNASREDSTVA` from the visible `MDOS` records in the order of their
// inventory numbers (only those the filter keeps) under a cancellable progress box;
// a cancel keeps the rows read so far. Needs `MDOS` open.
void UcitajOsnovnaSredstva(store::Program& program, const PresentValueLookup& presentValue,
                           const RecordFilter& filter = {});

// Rebuilds `AOBRACUNI` from the result tables in the active company's "DBF/" folder,
// in the order of their names, under the wait notice "Ucitava se Spisak Obracuna. Molim
// sacekajte...". A missing folder gives an empty list.
void UcitajObracune(store::Program& program);

// The place of company "000" taken from the companion file's "Mesto": the text up to and
// including the blank before " / Sifra Opstine:", or empty when that marker is missing.
std::string companionPlace(const std::string& mesto);

}  // namespace kavrina::app
