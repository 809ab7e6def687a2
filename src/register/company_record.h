// The company register's side of the company form: reading and writing one `Firme` record
// by its code, and keeping the company list (`AFIRME`) in step with what was written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/program.h"
#include "store/records.h"

namespace kavrina::reg {

// Seeks `code` in `Firme` (open, with its index on the code) and answers its record, or no
// value when there is no such company.
std::optional<store::CompanyRecord> loadCompany(store::Program& program, std::string_view code);

// Writes the company by the record-writing rule: the record of `values.Sifra` when it
// exists, else a new one; then replaces the list row of that code in `AFIRME` with (code,
// name, place) as stored, or appends it. Answers false, with nothing written and the list
// unchanged, when a new record could not be appended (another station held the lock).
bool saveCompany(store::Program& program, const store::CompanyRecord& values);

// Replaces the first row of `rows` whose first cell equals `row`'s first cell, or appends
// `row` when there is none.
void replaceOrAppendRow(std::vector<std::vector<std::string>>& rows, std::vector<std::string> row);

}  // namespace kavrina::reg
