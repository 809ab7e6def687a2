// The structure of every table the program keeps, as structure arrays derived from the
// record types' layouts (records.h), and the key expressions of their indexes.
#pragma once

#include <string_view>

#include "store/dbf/dbf_table.h"

namespace kavrina::store::schema {

// The key of `Firme`'s standing index: the company code.
inline constexpr std::string_view kCompanyKey = "Sifra";
// The key of `MDOS`'s standing index: the inventory number's numeric value.
inline constexpr std::string_view kAssetKey = "val(InvBr)";
// The key of a working index (a result table, `MDNG`): the inventory number as stored.
inline constexpr std::string_view kWorkingKey = "InvBr";

// Company register `Firme`: Sifra, Naziv, Mesto, PIB.
Structure firme();
// Fixed-asset register `MDOS` of a company.
Structure mdos();
// Tax groups reset `MDNG`: InvBr, GodinaNG.
Structure mdng();
// Accounting result table (alias `BazaRA`).
Structure resultRa();
// Tax result table (alias `BazaPA`).
Structure resultPa();

// The structure a table opened under `alias` has ("Firme", "MDOS", "MDNG", "BazaRA",
// "BazaPreRA", "BazaPA", "BazaPrePA", in any case); empty for any other alias.
Structure ofAlias(std::string_view alias);

// Checks an open table against the structure the program reads it by: every field must be
// there under its name with its type (a table may have more fields, and other widths: the
// values are read as text). Raises the corruption error with sub-code 1013 naming the file
// and the field, so that a missing field is never read as an empty value.
void check(const DbfTable& table, const Structure& expected);

}  // namespace kavrina::store::schema
