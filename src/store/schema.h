// The structure of every table the program keeps, as structure arrays.
#pragma once

#include "store/dbf/dbf_header.h"

namespace kavrina::store::schema {

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

}  // namespace kavrina::store::schema
