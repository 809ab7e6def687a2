// kavrina-cli as a real process, killed with SIGKILL at random moments (the seed is printed
// and can be given back in $KAVRINA_TEST_SEED), and killed or refused disk space at chosen
// system calls from outside with strace: every table is its old or its complete new self,
// and the next run succeeds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_run.h"
#include "durability/durability_folder.h"
#include "settings/ini_files.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"
#include "support/test_seed.h"

namespace kavrina::test::durability {
namespace {

using Clock = std::chrono::steady_clock;

class RealProcess : public ::testing::Test {
 protected:
  std::vector<std::string> withDir(std::vector<std::string> args) {
    args.push_back("--dir");
    args.push_back(folder_.work().string());
    return args;
  }

  // Runs the command to its end from the template; keeps what it leaves as "after".
  void referenceRun(const std::vector<std::string>& args) {
    folder_.keepAsTemplate();
    folder_.restoreTemplate();
    const auto start = Clock::now();
    const CliRun run = runKavrinaCli(withDir(args), folder_.work());
    duration_ = Clock::now() - start;
    ASSERT_EQ(run.exitCode, 0) << run.err;
    after_ = folder_.files();
  }

  void expectOldOrNew(const std::vector<std::string>& tables, const std::string& when) {
    const FolderFiles now = folder_.files();
    const FolderFiles before = folder_.templateFiles();
    for (const std::string& table : tables) {
      const bool isOld = before.count(table) ? now.count(table) && now.at(table) == before.at(table)
                                             : !now.count(table);
      const bool isNew = now.count(table) && sameTable(now.at(table), after_.at(table));
      EXPECT_TRUE(isOld || isNew) << table << " is neither old nor new " << when;
    }
  }

  void expectRecovered(const std::vector<std::string>& args, const std::vector<std::string>& tables,
                       const std::string& when) {
    const CliRun run = runKavrinaCli(withDir(args), folder_.work());
    EXPECT_EQ(run.exitCode, 0) << "the next run " << when << ": " << run.err;
    const FolderFiles now = folder_.files();
    for (const std::string& table : tables)
      EXPECT_TRUE(now.count(table) && sameTable(now.at(table), after_.at(table)))
          << table << " after the next run " << when;
  }

  // Kills the command at random moments within its usual running time.
  void killAtRandom(const std::vector<std::string>& args, const std::vector<std::string>& tables) {
    const std::uint32_t seed = test::testSeed();
    SCOPED_TRACE(test::seedNote(seed));
    std::mt19937 random(seed);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(duration_).count();
    for (int round = 0; round < 8; ++round) {
      folder_.restoreTemplate();
      const long delay = std::uniform_int_distribution<long>(0, span)(random);
      const std::string when =
          "killed after " + std::to_string(delay) + " us (seed " + std::to_string(seed) + ")";
      const pid_t pid = startCli(withDir(args), folder_.work());
      std::this_thread::sleep_for(std::chrono::microseconds(delay));
      ::kill(pid, SIGKILL);
      int status = 0;
      ::waitpid(pid, &status, 0);
      expectOldOrNew(tables, when);
      expectRecovered(args, tables, when);
      if (HasFailure()) return;
    }
  }

  DurabilityFolder folder_;
  FolderFiles after_;
  Clock::duration duration_{};
};

void openOnce() {
  Station station;
  station.open();
  station.close();
}

TEST_F(RealProcess, CalculationKilledAtRandomKeepsOldOrNewResults) {
  openOnce();
  writeRandomAssets("DBF/MDOS.dbf", 4000, 31);
  ASSERT_EQ(runKavrinaCli(withDir({"obracun", "--godina", "2024"}), folder_.work()).exitCode, 0);
  ASSERT_EQ(runKavrinaCli(withDir({"obracun", "--godina", "2025"}), folder_.work()).exitCode, 0);
  {
    auto table = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    table->goTo(10);
    table->putNumber("RAOsn", 99999.99);
    table->close();
  }
  referenceRun({"obracun", "--godina", "2025"});
  killAtRandom({"obracun", "--godina", "2025"},
               {"DBF/A202512R.dbf", "DBF/A202512P.dbf", "DBF/MDOS.dbf", "DBF/A202412R.dbf"});
}

TEST_F(RealProcess, UpgradeKilledAtRandomKeepsTheWholeRegister) {
  openOnce();
  store::Structure older = store::schema::mdos();
  older[1].width = 20;
  store::DbfTable::create("DBF/MDOS.dbf", older);
  writeRandomAssets("DBF/MDOS.dbf", 6000, 37);
  std::filesystem::remove("NTX/MDOS.ntx");
  settings::WRITEINI("Program", "Verzija", "1.06");
  referenceRun({"izvoz", "Firme"});
  killAtRandom({"izvoz", "Firme"}, {"DBF/MDOS.dbf", "NTX/MDOS.ntx"});
}

TEST_F(RealProcess, FirstIndexBuildKilledAtRandomLeavesNoIndexOrAWholeOne) {
  openOnce();
  writeRandomAssets("DBF/MDOS.dbf", 30000, 41);
  std::filesystem::remove("NTX/MDOS.ntx");
  referenceRun({"izvoz", "Firme"});
  killAtRandom({"izvoz", "Firme"}, {"NTX/MDOS.ntx"});
}

// strace runs the command and acts at its N-th system call of a kind.
class Strace : public RealProcess {
 protected:
  void SetUp() override {
    if (std::system("strace -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace is not installed";
  }

  int straced(const std::vector<std::string>& straceArgs, const std::vector<std::string>& args) {
    std::string command = "cd '" + folder_.work().string() + "' && strace -f -qq";
    for (const std::string& a : straceArgs) command += " " + a;
    command += " " + std::string(KAVRINA_CLI);
    for (const std::string& a : withDir(args)) command += " '" + a + "'";
    command += " >/dev/null 2>" + (folder_.work().parent_path() / "stderr").string();
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // 500 assets calculated for 2025, then one changed: the command that redoes the year.
  std::vector<std::string> calculatedThenChanged(std::uint32_t seed) {
    openOnce();
    writeRandomAssets("DBF/MDOS.dbf", 500, seed);
    EXPECT_EQ(runKavrinaCli(withDir({"obracun", "--godina", "2025"}), folder_.work()).exitCode, 0);
    auto table = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    table->goTo(7);
    table->putNumber("RAOsn", 4321.5);
    table->close();
    return {"obracun", "--godina", "2025"};
  }

  // How many calls of the kind a complete run makes.
  int countCalls(const std::string& call, const std::vector<std::string>& args) {
    const std::string log = (folder_.work().parent_path() / "calls").string();
    straced({"-o", log, "-e", "trace=" + call}, args);
    std::ifstream in(log);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
      if (line.find(call + "(") != std::string::npos) ++lines;
    return lines;
  }
};

TEST_F(Strace, CalculationKilledAtChosenWritesFlushesAndRenames) {
  const std::vector<std::string> args = calculatedThenChanged(43);
  const std::vector<std::string> tables{"DBF/A202512R.dbf", "DBF/A202512P.dbf", "DBF/MDOS.dbf"};
  referenceRun(args);
  for (const std::string call : {"pwrite64", "fsync", "rename"}) {
    folder_.restoreTemplate();
    const int total = countCalls(call, args);
    ASSERT_GT(total, 0) << call;
    for (int n : {1, total / 3, total / 2, total - 1, total}) {
      if (n < 1) continue;
      folder_.restoreTemplate();
      const std::string when =
          "killed at " + call + " " + std::to_string(n) + " of " + std::to_string(total);
      straced({"-o", "/dev/null", "-e", "trace=" + call, "-e",
               "inject=" + call + ":signal=KILL:when=" + std::to_string(n)},
              args);
      expectOldOrNew(tables, when);
      expectRecovered(args, tables, when);
      EXPECT_EQ(folder_.asideFiles(), std::vector<std::string>{}) << "after the next run " << when;
    }
  }
}

// The first calculation of a year killed at every write in turn: its results are absent or
// whole, absent ones are told missing by their documents, and the next run leaves nothing
// of the killed one aside.
TEST_F(Strace, FirstCalculationKilledAtEveryWriteLeavesNoPartAndNoStray) {
  openOnce();
  writeRandomAssets("DBF/MDOS.dbf", 200, 59);
  const std::vector<std::string> args{"obracun", "--godina", "2025"};
  const std::vector<std::string> tables{"DBF/A202512R.dbf", "DBF/A202512P.dbf", "DBF/MDOS.dbf"};
  referenceRun(args);
  folder_.restoreTemplate();
  const int total = countCalls("pwrite64", args);
  ASSERT_GT(total, 0);
  const std::string pdf = (folder_.work().parent_path() / "ora.pdf").string();
  for (int n = 1; n <= total; ++n) {
    folder_.restoreTemplate();
    const std::string when =
        "killed at write " + std::to_string(n) + " of " + std::to_string(total);
    straced({"-o", "/dev/null", "-e", "trace=pwrite64", "-e",
             "inject=pwrite64:signal=KILL:when=" + std::to_string(n)},
            args);
    expectOldOrNew(tables, when);
    if (!std::filesystem::exists("DBF/A202512R.dbf")) {
      const CliRun printed = runKavrinaCli(
          withDir({"stampa", "ora", "--godina", "2025", "--pdf", pdf}), folder_.work());
      EXPECT_EQ(printed.exitCode, 1) << when;
      EXPECT_EQ(printed.err.rfind("Nema obracuna amortizacije za 2025. godinu", 0), 0u)
          << when << ": " << printed.err;
    }
    expectRecovered(args, tables, when);
    EXPECT_EQ(folder_.asideFiles(), std::vector<std::string>{}) << "after the next run " << when;
    if (HasFailure()) return;
  }
}

// The booking note written over an older file, as XLSX and as CSV, killed at every write,
// flush and rename of the run in turn: the file is the old one or the whole new one.
TEST_F(Strace, BookingFilesKilledAtEveryWriteAreTheOldFileOrTheWholeNewOne) {
  calculatedThenChanged(53);
  for (const std::string ext : {"xlsx", "csv"}) {
    const std::string file = (folder_.work().parent_path() / ("nalog." + ext)).string();
    const std::vector<std::string> args{"stampa",   "nalog", "--godina",  "2025",
                                        "--" + ext, file,    "--presnimi"};
    ASSERT_EQ(runKavrinaCli(withDir(args), folder_.work()).exitCode, 0);
    const std::string whole = readFileBytes(file);
    // A workbook holds the time it was made (its compressed size may differ by a byte): a
    // whole one is a ZIP ended by its central directory.
    auto isWhole = [&](const std::string& bytes) {
      if (ext == "csv") return bytes == whole;
      return bytes.size() + 64 > whole.size() && bytes.starts_with("PK") &&
             bytes.compare(bytes.size() - 22, 4, "PK\x05\x06") == 0;
    };
    for (const std::string call : {"pwrite64", "fsync", "rename"}) {
      writeFileBytes(file, "old");
      const int total = countCalls(call, args);
      ASSERT_GT(total, 0) << call;
      for (int n = 1; n <= total; ++n) {
        writeFileBytes(file, "old");
        const std::string when = ext + " killed at " + call + " " + std::to_string(n);
        straced({"-o", "/dev/null", "-e", "trace=" + call, "-e",
                 "inject=" + call + ":signal=KILL:when=" + std::to_string(n)},
                args);
        const std::string left = readFileBytes(file);
        EXPECT_TRUE(left == "old" || isWhole(left)) << when << ": " << left.size() << " bytes";
      }
    }
  }
}

TEST_F(Strace, AFullDiskEndsTheRunWithAMessageAndTheOldResults) {
  const std::vector<std::string> args = calculatedThenChanged(47);
  referenceRun(args);
  folder_.restoreTemplate();
  const int total = countCalls("pwrite64", args);
  for (int n : {total / 4, total / 2, total - 2}) {
    folder_.restoreTemplate();
    const int code = straced({"-o", "/dev/null", "-e", "trace=pwrite64", "-e",
                              "inject=pwrite64:error=ENOSPC:when=" + std::to_string(n) + "+"},
                             args);
    EXPECT_EQ(code, 1) << "disk full at write " << n;
    const std::string shown = readFileBytes(folder_.work().parent_path() / "stderr");
    EXPECT_TRUE(shown.find("(DBF/") != std::string::npos ||
                shown.find("(NTX/") != std::string::npos)
        << "the message names the file: " << shown;
    expectOldOrNew({"DBF/A202512R.dbf", "DBF/A202512P.dbf"}, "at a full disk");
    EXPECT_EQ(folder_.files().at("DBF/MDOS.dbf"), folder_.templateFiles().at("DBF/MDOS.dbf"));
    EXPECT_TRUE(folder_.asideFiles().empty())
        << "the run unwound and removed what it wrote aside (write " << n << ")";
    expectRecovered(args, {"DBF/A202512R.dbf", "DBF/A202512P.dbf"}, "after the full disk");
  }
}

// An I/O error at a write, a flush or a rename is told as a failure to write, naming the
// file, never as one to read.
TEST_F(Strace, AnIoErrorWhileWritingIsToldAsAWriteFailureNamingTheFile) {
  const std::vector<std::string> args = calculatedThenChanged(61);
  referenceRun(args);
  for (const std::string call : {"pwrite64", "fsync", "rename"}) {
    folder_.restoreTemplate();
    const int code = straced(
        {"-o", "/dev/null", "-e", "trace=" + call, "-e", "inject=" + call + ":error=EIO:when=2"},
        args);
    EXPECT_EQ(code, 1) << call;
    const std::string shown = readFileBytes(folder_.work().parent_path() / "stderr");
    EXPECT_EQ(shown.rfind("Nije moguce upisati podatak u fajl (", 0), 0u) << call << ": " << shown;
    EXPECT_EQ(shown.find("procitati"), std::string::npos) << call << ": " << shown;
    expectOldOrNew({"DBF/A202512R.dbf", "DBF/A202512P.dbf"}, "after an I/O error at " + call);
  }
}

}  // namespace
}  // namespace kavrina::test::durability
