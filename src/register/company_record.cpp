// Reading and writing a company record for the company form.
#include "register/company_record.h"

#include "register/field_text.h"
#include "store/rec_lock.h"

namespace kavrina::reg {

namespace {
constexpr std::string_view kFirme = "Firme";
}

std::optional<CompanyValues> loadCompany(store::Program& program, std::string_view code) {
  program.areas.select(kFirme);
  store::DbfTable& table = program.areas[kFirme];
  if (!table.seek(std::string(code))) return std::nullopt;
  return CompanyValues{table.getString("Sifra"), table.getString("Naziv"), table.getString("Mesto"),
                       table.getString("PIB")};
}

bool saveCompany(store::Program& program, const CompanyValues& values) {
  program.areas.select(kFirme);
  store::DbfTable& table = program.areas[kFirme];
  const bool found = table.seek(values.sifra);
  const bool written = store::writeRecord(program, kFirme, !found, [&](store::DbfTable& t) {
    t.putString("Sifra", values.sifra);
    t.putString("Naziv", fitField(values.naziv, 30));
    t.putString("Mesto", fitField(values.mesto, 30));
    t.putString("PIB", fitField(values.pib, 13));
  });
  if (!written) return false;
  replaceOrAppendRow(program.AFIRME, {table.getString("Sifra"), table.getString("Naziv"),
                                      table.getString("Mesto")});
  return true;
}

void replaceOrAppendRow(std::vector<std::vector<std::string>>& rows, std::vector<std::string> row) {
  for (auto& existing : rows) {
    if (!existing.empty() && existing.front() == row.front()) {
      existing = std::move(row);
      return;
    }
  }
  rows.push_back(std::move(row));
}

}  // namespace kavrina::reg
