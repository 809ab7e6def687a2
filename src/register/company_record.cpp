// Reading and writing a company record for the company form.
#include "register/company_record.h"

#include "store/rec_lock.h"
#include "store/record_codec.h"

namespace kavrina::reg {

namespace {
constexpr std::string_view kFirme = "Firme";
}

std::optional<store::CompanyRecord> loadCompany(store::Program& program, std::string_view code) {
  program.areas.select(kFirme);
  store::DbfTable& table = program.areas[kFirme];
  if (!table.seek(std::string(code))) return std::nullopt;
  return store::RecordCodec<store::CompanyRecord>(table).read();
}

bool saveCompany(store::Program& program, const store::CompanyRecord& values) {
  using C = store::CompanyRecord;
  program.areas.select(kFirme);
  store::DbfTable& table = program.areas[kFirme];
  const store::RecordCodec<C> codec(table);
  const bool found = table.seek(values.Sifra);
  // Texts cut to their fields' widths by letters as they are stored.
  const bool written =
      store::writeRecord(program, kFirme, !found, [&](store::DbfTable&) { codec.write(values); });
  if (!written) return false;
  const C stored = codec.read();
  replaceOrAppendRow(program.AFIRME,
                     {codec.padded(&C::Sifra, stored), codec.padded(&C::Naziv, stored),
                      codec.padded(&C::Mesto, stored)});
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
