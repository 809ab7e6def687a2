#include "app/list_loaders.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "settings/settings_keys.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/import_lock.h"
#include "store/rec_lock.h"
#include "store/record_codec.h"
#include "ui/event_pump.h"

namespace kavrina::app {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kQvrPro = "qvr_pro.dbf";

std::unique_ptr<ui::WaitNotice> waitNotice(const store::Program& program, std::string_view text) {
  if (program.ui == nullptr) return nullptr;
  return program.ui->showWait(text);
}

// A file of the program folder (the working directory) found in any case.
std::optional<fs::path> findInFolder(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  const std::string wanted = upperCase(name);
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
       !ec && it != end; it.increment(ec)) {
    if (upperCase(it->path().filename().string()) == wanted) return it->path();
  }
  return std::nullopt;
}

// A company code from the companion table: a numeric field gives three digits with
// leading zeros; a text field is taken as stored.
std::string companionCode(store::DbfTable& table, int field) {
  if (table.fields()[static_cast<std::size_t>(field)].def.type == 'N') {
    char text[32];
    std::snprintf(text, sizeof text, "%03.0f", table.getNumber(field));
    return text;
  }
  return trimmed(table.getString(field));
}

// The first start: company "000" from the companion settings file, then the companies of
// the companion table "qvr_pro.dbf".
void createFirstCompanies(store::Program& program) {
  const std::string naziv = settings::read(settings::kCompanionNaziv);
  const std::string mesto = companionPlace(settings::read(settings::kCompanionMesto));
  using C = store::CompanyRecord;
  const store::RecordCodec<C> writer(program.areas["Firme"],
                                     store::FieldSet<C>::of(&C::Sifra, &C::Naziv, &C::Mesto));
  store::writeRecord(program, "Firme", true, [&](store::DbfTable&) {
    writer.write({"000", naziv, mesto, {}});
  });

  const auto qvr = findInFolder(".", kQvrPro);
  if (!qvr) return;
  if (!store::useTable(program, *qvr, "QvrPro", {.shared = true, .readOnly = true})) return;
  store::DbfTable& source = program.areas["QvrPro"];
  const int sifra = source.fieldIndex("SIFRA_PRO");
  const int nazivField = source.fieldIndex("FRNAZIVSKR");
  const int mestoField = source.fieldIndex("FRMESTO");
  if (sifra >= 0) {
    for (source.goTop(); !source.eof(); source.skip()) {
      const std::string code = companionCode(source, sifra);
      const std::string name = nazivField >= 0 ? source.getString(nazivField) : std::string();
      const std::string place = mestoField >= 0 ? source.getString(mestoField) : std::string();
      store::writeRecord(program, "Firme", true, [&](store::DbfTable&) {
        writer.write({code, name, place, {}});
      });
    }
  }
  program.areas.close("QvrPro");
  program.areas.select("Firme");
}

}  // namespace

std::string companionPlace(const std::string& mesto) {
  const auto marker = mesto.find(" / Sifra Opstine:");
  if (marker == std::string::npos) return {};
  return mesto.substr(0, marker + 1);
}

void UcitajFirme(store::Program& program, const CompanyFilter& filter) {
  auto notice = waitNotice(program, "Ucitava se Spisak Firmi. Molim sacekajte...");
  program.areas.select("Firme");
  store::DbfTable& firme = program.areas["Firme"];
  if (firme.recCount() == 0) createFirstCompanies(program);

  program.AFIRME.clear();
  using C = store::CompanyRecord;
  const store::RecordCodec<C> reader(firme);
  for (firme.goTop(); !firme.eof(); firme.skip()) {
    const C company = reader.read();
    if (filter && !filter(company)) continue;
    program.AFIRME.push_back({reader.padded(&C::Sifra, company), reader.padded(&C::Naziv, company),
                              reader.padded(&C::Mesto, company)});
  }
  firme.goTop();
  notice.reset();

  if (program.CKORISNIKNAZIV.empty() && program.CKORISNIKMESTO.empty() && !program.AFIRME.empty()) {
    program.CKORISNIKNAZIV = trimmed(program.AFIRME.front()[1]);
    program.CKORISNIKMESTO = trimmed(program.AFIRME.front()[2]);
  }
}

void UcitajObracune(store::Program& program) {
  const fs::path folder = program.CSUBDIRFIRME + "DBF";
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  // A listing in name order, as the program's original file system gives it.
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return upperCase(a) < upperCase(b); });
  std::vector<std::string> upperNames;
  for (const std::string& n : names) upperNames.push_back(upperCase(n));
  auto exists = [&](const std::string& name) {
    return std::find(upperNames.begin(), upperNames.end(), upperCase(name)) != upperNames.end();
  };

  auto notice = waitNotice(program, "Ucitava se Spisak Obracuna. Molim sacekajte...");
  program.AOBRACUNI.clear();
  for (const std::string& name : names) {
    if (!isCalculationFileName(name)) continue;
    for (ListRow& row : calculationRows(name, exists)) program.AOBRACUNI.push_back(std::move(row));
  }
}

}  // namespace kavrina::app
