// A program folder with an open database and helpers that write the asset register and
// the group resets into the real tables, and read result tables back as rows.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "depreciation/calculation_input.h"
#include "depreciation/result_tables.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/program_folder.h"
#include "store/rec_lock.h"
#include "store/records.h"
#include "store/schema.h"

namespace kavrina::depreciation::testing {

class RegisterFolder {
 public:
  RegisterFolder() {
    program().areas.setHideDeleted(true);
    store::DBOPENALL(program());
    setupEvents_ = ui().events().size();
  }

  // What the user was shown since the folder was made ready, as transcript lines.
  std::vector<std::string> shown() {
    std::vector<std::string> lines = ui().transcript();
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(setupEvents_));
    return lines;
  }

  store::Program& program() { return folder_.program(); }
  ui::ScriptedUi& ui() { return folder_.ui(); }
  const std::filesystem::path& path() const { return folder_.path(); }

  // Appends the assets to `MDOS` of the active company, each under the writing rule.
  void addAssets(const std::vector<store::AssetRecord>& assets) {
    for (const store::AssetRecord& a : assets) {
      ASSERT_TRUE(store::writeRecord(program(), "MDOS", true, [&](store::DbfTable& t) {
        store::RecordCodec<store::AssetRecord>(t, calculationFields()).write(a);
      }));
    }
  }

  // Marks the asset `invBr` in `MDOS` deleted.
  void deleteAsset(const std::string& invBr) {
    store::DbfTable& mdos = program().areas["MDOS"];
    ASSERT_TRUE(mdos.seek(invBrValue(invBr)));
    ASSERT_TRUE(mdos.lockRecord());
    mdos.deleteRecord();
    mdos.unlock();
    mdos.commit();
  }

  // Appends records to the company's `MDNG` (opened exclusively for the while).
  void addResets(const std::vector<std::pair<std::string, std::string>>& records) {
    auto t = store::DbfTable::open(store::dataPath(program(), "MDNG.dbf"), {.shared = false});
    ASSERT_TRUE(t);
    for (const auto& [invBr, year] : records) {
      ASSERT_TRUE(t->append());
      store::RecordCodec<store::GroupResetMark>(*t).write({invBr, year});
    }
    t->close();
  }

  std::filesystem::path resultFile(int year, int months, ResultKind kind) {
    return store::dataPath(program(), resultTableName(year, months, kind));
  }

  // Writes a result table of `year` and `months` directly, as a calculation would leave it,
  // with `rows` in this order (the inventory numbers as given, padded to 30 characters).
  void writeRaResult(int year, int months, std::vector<store::RaRow> rows) {
    auto t = createResult(year, months, ResultKind::Accounting, store::schema::resultRa());
    const store::RecordCodec<store::RaRow> writer(*t);
    for (store::RaRow& r : rows) {
      r.InvBr.resize(30, ' ');
      ASSERT_TRUE(t->append());
      writer.write(r);
    }
  }
  void writePaResult(int year, int months, std::vector<store::PaRow> rows) {
    auto t = createResult(year, months, ResultKind::Tax, store::schema::resultPa());
    const store::RecordCodec<store::PaRow> writer(*t);
    for (store::PaRow& r : rows) {
      r.InvBr.resize(30, ' ');
      ASSERT_TRUE(t->append());
      writer.write(r);
    }
  }

  // The visible records of a result table in record order.
  std::vector<store::RaRow> raRows(int year, int months = 12) {
    auto t = openResult(year, months, ResultKind::Accounting);
    return readRaRows(*t);
  }
  std::vector<store::PaRow> paRows(int year, int months = 12) {
    auto t = openResult(year, months, ResultKind::Tax);
    return readPaRows(*t);
  }

 private:
  std::unique_ptr<store::DbfTable> createResult(int year, int months, ResultKind kind,
                                                const store::Structure& structure) {
    const auto file = resultFile(year, months, kind);
    EXPECT_TRUE(store::DbfTable::create(file, structure)) << file;
    return store::DbfTable::open(file, {.shared = false});
  }

  static double invBrValue(const std::string& invBr) { return std::stod(invBr); }

  std::unique_ptr<store::DbfTable> openResult(int year, int months, ResultKind kind) {
    auto t =
        store::DbfTable::open(resultFile(year, months, kind), {.shared = true, .readOnly = true});
    if (!t) throw std::runtime_error("result table missing");
    t->setHideDeleted(true);
    return t;
  }

  test::ProgramFolder folder_;
  std::size_t setupEvents_ = 0;
};

}  // namespace kavrina::depreciation::testing
