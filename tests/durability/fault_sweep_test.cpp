// Every file operation of three tasks made to fail, and the process killed at every one of
// them: a structure upgrade, a calculation redone, a first index build. After each, every
// table is its old self or its complete new self, and the next run succeeds and ends with
// the complete new files.
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "common/fault_injection.h"
#include "durability/durability_folder.h"
#include "settings/ini_files.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"

namespace kavrina::test::durability {
namespace {

constexpr std::array<faults::Op, 4> kKinds = {faults::Op::Write, faults::Op::Flush,
                                              faults::Op::Rename, faults::Op::Truncate};

const char* kindName(faults::Op op) {
  switch (op) {
    case faults::Op::Write:
      return "write";
    case faults::Op::Flush:
      return "flush";
    case faults::Op::Rename:
      return "rename";
    case faults::Op::Truncate:
      return "truncate";
  }
  return "?";
}

// A task whose interruption is tested, with the files it may change: each must be, at any
// moment, as in the template or as after a complete run.
struct Task {
  std::function<void(DurabilityFolder&)> setUp;
  std::function<void()> run;
  std::vector<std::string> tables;   // tables the task rewrites
  std::vector<std::string> indexes;  // pairs "table|index" that must be sound after a run
};

class FaultSweep : public ::testing::Test {
 protected:
  // Runs the task with every operation of every kind failing in turn, then killed in turn.
  void sweep(const Task& task) {
    task.setUp(folder_);
    folder_.keepAsTemplate();
    const FolderFiles before = folder_.templateFiles();

    folder_.restoreTemplate();
    faults::resetCounts();
    task.run();
    std::array<std::uint64_t, kKinds.size()> total{};
    for (std::size_t k = 0; k < kKinds.size(); ++k) total[k] = faults::seen(kKinds[k]);
    after_ = folder_.files();
    for (const auto& pair : task.indexes) expectSoundIndex(pair, "after a complete run");
    ASSERT_GT(total[0], 0u);
    std::cout << "operations of a complete run: " << total[0] << " writes, " << total[1]
              << " flushes, " << total[2] << " renames, " << total[3] << " truncates\n";

    for (std::size_t k = 0; k < kKinds.size(); ++k) {
      for (std::uint64_t n = 1; n <= total[k]; ++n) {
        SCOPED_TRACE(std::string(kindName(kKinds[k])) + " " + std::to_string(n) + " of " +
                     std::to_string(total[k]));
        // The operation fails: a full disk (every later write too) or an I/O error.
        folder_.restoreTemplate();
        armFailureAt(kKinds[k], n);
        bool failed = false;
        try {
          task.run();
        } catch (...) {
          failed = true;
        }
        faults::disarm();
        EXPECT_TRUE(failed) << "the failure is reported, not passed over";
        expectOldOrNew(task, before, "after the failure");
        EXPECT_TRUE(folder_.asideFiles().empty()) << "a failed run removes what it wrote aside";
        recover(task);

        // The process is killed before the operation.
        folder_.restoreTemplate();
        ASSERT_TRUE(runKilledAt(task.run, static_cast<int>(kKinds[k]), n));
        expectOldOrNew(task, before, "after the kill");
        recover(task);
        if (HasFailure()) return;  // one point is enough to look at
      }
    }
  }

  void expectOldOrNew(const Task& task, const FolderFiles& before, const char* when) {
    const FolderFiles now = folder_.files();
    for (const std::string& table : task.tables) {
      const auto at = now.find(table);
      const auto old = before.find(table);
      const bool isOld =
          old == before.end() ? at == now.end() : at != now.end() && at->second == old->second;
      const bool isNew = at != now.end() && sameTable(at->second, after_.at(table));
      EXPECT_TRUE(isOld || isNew) << table << " is neither the old nor the new table " << when;
    }
  }

  void recover(const Task& task) {
    folder_.newUserInterface();
    try {
      task.run();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "the next run fails: " << e.what();
      return;
    }
    const FolderFiles now = folder_.files();
    for (const std::string& table : task.tables)
      EXPECT_TRUE(now.count(table) && sameTable(now.at(table), after_.at(table)))
          << table << " differs from a run that was never interrupted";
    for (const auto& pair : task.indexes) expectSoundIndex(pair, "after the next run");
    EXPECT_EQ(folder_.asideFiles(), std::vector<std::string>{})
        << "the next run removes what an interrupted one left aside";
  }

  void expectSoundIndex(const std::string& pair, const char* when) {
    const std::size_t bar = pair.find('|');
    EXPECT_EQ(indexProblem(pair.substr(0, bar), pair.substr(bar + 1)), "") << pair << " " << when;
  }

  DurabilityFolder folder_;
  FolderFiles after_;
};

void openAndClose() {
  Station station;
  station.open();
  station.close();
}

void calculate2025() {
  Station station;
  station.open();
  calculate(station.program, 2025);
  station.close();
}

TEST_F(FaultSweep, StructureUpgrade) {
  Task task;
  task.setUp = [](DurabilityFolder&) {
    openAndClose();
    // The register as an older version kept it: a shorter name field, and its index.
    store::Structure older = store::schema::mdos();
    older[1].width = 20;
    store::DbfTable::create("DBF/MDOS.dbf", older);
    writeRandomAssets("DBF/MDOS.dbf", 40, 7);
    {
      auto table = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
      store::ntx::createIndex(*table, "NTX/MDOS", "val(InvBr)");
      table->close();
    }
    settings::WRITEINI("Program", "Verzija", "1.06");
  };
  task.run = openAndClose;
  task.tables = {"DBF/MDOS.dbf", "DBF/Firme.dbf", "DBF/MDNG.dbf"};
  task.indexes = {"DBF/MDOS.dbf|NTX/MDOS.ntx", "DBF/Firme.dbf|NTX/Firme.ntx"};
  sweep(task);
  EXPECT_EQ(settings::READINI("Program", "Verzija", "0.00"), "1.07");
}

TEST_F(FaultSweep, CalculationRedone) {
  Task task;
  task.setUp = [](DurabilityFolder&) {
    openAndClose();
    writeRandomAssets("DBF/MDOS.dbf", 40, 11);
    {
      Station station;
      station.open();
      calculate(station.program, 2024);
      calculate(station.program, 2025);
      station.close();
    }
    // The register changed since: the results of 2025 are redone.
    auto table = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    table->goTo(3);
    table->putNumber("RAOsn", 123456.78);
    table->close();
    openAndClose();
  };
  task.run = calculate2025;
  task.tables = {"DBF/A202512R.dbf", "DBF/A202512P.dbf", "DBF/A202412R.dbf", "DBF/MDOS.dbf"};
  task.indexes = {"DBF/A202512R.dbf|NTX/BazaRA.ntx", "DBF/A202512P.dbf|NTX/BazaPA.ntx"};
  sweep(task);
}

// The first calculation of a year: its results are absent until they are complete.
TEST_F(FaultSweep, FirstCalculation) {
  Task task;
  task.setUp = [](DurabilityFolder&) {
    openAndClose();
    writeRandomAssets("DBF/MDOS.dbf", 40, 17);
    openAndClose();
  };
  task.run = calculate2025;
  task.tables = {"DBF/A202512R.dbf", "DBF/A202512P.dbf", "DBF/MDOS.dbf"};
  task.indexes = {"DBF/A202512R.dbf|NTX/BazaRA.ntx", "DBF/A202512P.dbf|NTX/BazaPA.ntx"};
  sweep(task);
}

TEST_F(FaultSweep, FirstIndexBuild) {
  Task task;
  task.setUp = [](DurabilityFolder&) {
    openAndClose();
    writeRandomAssets("DBF/MDOS.dbf", 600, 13);
    std::filesystem::remove("NTX/MDOS.ntx");
  };
  task.run = openAndClose;
  task.tables = {"NTX/MDOS.ntx", "DBF/MDOS.dbf"};
  task.indexes = {"DBF/MDOS.dbf|NTX/MDOS.ntx"};
  sweep(task);
}

}  // namespace
}  // namespace kavrina::test::durability
