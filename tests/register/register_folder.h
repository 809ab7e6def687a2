// A program folder with the database open, as the main window leaves it at start, and
// helpers that put and find records straight in the tables, without the code under test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/date.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/program_folder.h"
#include "store/rec_lock.h"
#include "store/record_codec.h"
#include "store/schema.h"

namespace kavrina::test {

class RegisterFolder {
 public:
  explicit RegisterFolder(int year = 2024) {
    program().areas.setHideDeleted(true);
    store::DBOPENALL(program());
    program().NGODINA = year;
  }

  store::Program& program() { return folder_.program(); }
  ui::ScriptedUi& ui() { return folder_.ui(); }
  const std::filesystem::path& path() const { return folder_.path(); }
  store::DbfTable& firme() { return program().areas["Firme"]; }
  store::DbfTable& mdos() { return program().areas["MDOS"]; }

  void putCompany(std::string_view code, std::string_view naziv, std::string_view mesto,
                  std::string_view pib) {
    const store::CompanyRecord company{std::string(code), std::string(naziv), std::string(mesto),
                                       std::string(pib)};
    store::writeRecord(program(), "Firme", true, [&](store::DbfTable& t) {
      store::RecordCodec<store::CompanyRecord>(t).write(company);
    });
  }

  // An asset with the fields a test cares about; the others keep the blank record's values.
  struct Asset {
    std::string invBr;
    std::string naziv = "Racunar";
    Date datumN = Date::fromYmd(2020, 3, 15);
    double raOsn = 120000;
    double paOsn = 100000;
    int paGrupa = 1;
    double paStopa = 2.5;
    double konto = 0;
    int duzKonta = 0;
    Date datumO = Date();
  };
  void putAsset(const Asset& a) {
    using R = store::AssetRecord;
    R r;
    r.InvBr = a.invBr;
    r.Naziv = a.naziv;
    r.DatumN = a.datumN;
    r.RAOsn = a.raOsn;
    r.PAOsn = a.paOsn;
    r.PAgrupa = a.paGrupa;
    r.PAStopa = a.paStopa;
    r.RAtip = 1;
    r.Kolicina = 1;
    r.Konto = a.konto;
    r.DuzKonta = a.duzKonta;
    r.DatumO = a.datumO;
    // The others keep the blank record's values.
    const auto fields = store::FieldSet<R>::of(&R::InvBr, &R::Naziv, &R::DatumN, &R::RAOsn,
                                               &R::PAOsn, &R::PAgrupa, &R::PAStopa, &R::RAtip,
                                               &R::Kolicina, &R::Konto, &R::DuzKonta, &R::DatumO);
    store::writeRecord(program(), "MDOS", true,
                       [&](store::DbfTable& t) { store::RecordCodec<R>(t, fields).write(r); });
  }

  // Positions `table` on the live record whose `field`, without trailing blanks, equals
  // `value`, visiting the records in file order; false when there is none.
  static bool find(store::DbfTable& table, std::string_view field, std::string_view value) {
    for (std::uint32_t n = 1; n <= table.recCount(); ++n) {
      table.goTo(n);
      if (table.deleted()) continue;
      std::string text = table.getString(field);
      text.erase(text.find_last_not_of(' ') + 1);
      if (text == value) return true;
    }
    return false;
  }

  // Live records of a table.
  static int liveRecords(store::DbfTable& table) {
    int n = 0;
    for (std::uint32_t r = 1; r <= table.recCount(); ++r) {
      table.goTo(r);
      if (!table.deleted()) ++n;
    }
    return n;
  }

  // The annual accounting result of `year`: one record per (inventory number, RASadVr).
  void putAnnualResult(int year,
                       std::initializer_list<std::pair<std::string_view, double>> values) {
    const auto file = store::dataPath(program(), "A" + std::to_string(year) + "12R.dbf");
    ASSERT_TRUE(store::DbfTable::create(file, store::schema::resultRa()));
    auto table = store::DbfTable::open(file, {.shared = false, .readOnly = false});
    ASSERT_TRUE(table);
    for (const auto& [invBr, raSadVr] : values) {
      using R = store::RaRow;
      R row;
      row.InvBr = invBr;
      row.RASadVr = raSadVr;
      table->append();
      store::RecordCodec<R>(*table, store::FieldSet<R>::of(&R::InvBr, &R::RASadVr)).write(row);
    }
    table->close();
  }

 private:
  ProgramFolder folder_;
};

}  // namespace kavrina::test
