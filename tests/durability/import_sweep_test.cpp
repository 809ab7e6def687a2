// An import of a CSV file interrupted at every write, flush, rename and truncate (made to
// fail with a full disk or an I/O error, or killed there): the register holds none of the
// file's assets or all of them, its header counts exactly what it shows, its index is sound
// after the next open, and importing the same file again ends with the register of a run
// that was never interrupted. And readers started while an import is half done wait for it.
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>

#include "common/fault_injection.h"
#include "depreciation/obracun.h"
#include "durability/durability_folder.h"
#include "import/asset_import.h"
#include "store/archive/data_archive.h"
#include "store/archive/get_files.h"
#include "support/process.h"

namespace kavrina::test::durability {
namespace {

constexpr int kOldAssets = 40;
constexpr int kNewAssets = 25;
constexpr std::array<faults::Op, 4> kKinds = {faults::Op::Write, faults::Op::Flush,
                                              faults::Op::Rename, faults::Op::Truncate};

std::uint32_t le(const std::string& bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// What a reader sees of a table file: its header without the date of the last update, and
// the records its count covers; "" when the count runs past the end of the file.
std::string visibleTable(const std::string& bytes) {
  if (bytes.size() < 32) return {};
  const std::uint32_t count = le(bytes, 4, 4);
  const std::uint32_t headerLength = le(bytes, 8, 2);
  const std::uint32_t recordLength = le(bytes, 10, 2);
  const std::uint64_t end = headerLength + static_cast<std::uint64_t>(count) * recordLength;
  if (end > bytes.size()) return {};
  return bytes.substr(0, 1) + bytes.substr(4, static_cast<std::size_t>(end) - 4);
}

std::uint32_t countOf(const std::string& bytes) {
  return le(bytes, 4, 4);
}

std::string csvOfNewAssets() {
  std::string csv = "InvBr;Naziv;DatumN;RAOsn;PAOsn;PAgrupa\n";
  for (int i = 1; i <= kNewAssets; ++i)
    csv += std::to_string(1000 + i) + ";Uvezeno sredstvo " + std::to_string(i) + ";0" +
           std::to_string(1 + i % 9) + ".03.2024;" + std::to_string(1000 * i) + ",50;" +
           std::to_string(900 * i) + ";" + std::to_string(1 + i % 5) + "\n";
  return csv;
}

void openAndClose() {
  Station station;
  station.open();
  station.close();
}

// Set in a child that is to be held during its import, once its station is open.
bool importing = false;

void importTheFile() {
  Station station;
  station.open();
  importing = true;
  const import::ImportResult result = import::importAssetFile(station.program, "uvoz.csv", false);
  if (!result.failure.empty() || !result.bad.empty())
    throw std::runtime_error("the import was refused: " + result.failure);
  if (!result.written && !result.alreadyIn) throw std::runtime_error("nothing imported");
  station.close();
}

// The importer held after its header counts the new records and before the index has their
// keys: the moment a reader that did not wait would see a register half imported.
bool atTheIndexUpdate(faults::Op op, std::string_view) {
  static int flushes = 0;
  return importing && op == faults::Op::Flush && ++flushes == 2;
}

class ImportInterrupted : public ::testing::Test {
 protected:
  void SetUp() override {
    openAndClose();
    writeRandomAssets("DBF/MDOS.dbf", kOldAssets, 31);
    openAndClose();  // the index of the register built
    writeFileBytes("uvoz.csv", csvOfNewAssets());
    folder_.keepAsTemplate();
    before_ = visibleTable(folder_.templateFiles().at("DBF/MDOS.dbf"));
  }

  // Runs `reader` while an import stands held at its index update, letting the import go on
  // a moment after the reader has started; answers the import's exit code.
  int whileAnImportIsHeld(const std::function<void()>& reader) {
    folder_.restoreTemplate();
    importing = false;
    HeldChild importer(importTheFile, atTheIndexUpdate);
    if (!importer.waitUntilHeld()) return -1;
    int importExit = -1;
    std::thread release([&importer, &importExit] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      importExit = importer.releaseAndWait();
    });
    reader();
    release.join();
    return importExit;
  }

  std::string register_() const { return folder_.files().at("DBF/MDOS.dbf"); }

  void expectNoneOrAll(const char* when) {
    const std::string now = visibleTable(register_());
    EXPECT_NE(now, "") << "the header counts records the file does not hold, " << when;
    EXPECT_TRUE(now == before_ || now == after_)
        << "the register holds " << countOf(register_()) << " records " << when;
  }

  // The same file imported again: the register of a run never interrupted, a sound index.
  void expectRerunSucceeds() {
    folder_.newUserInterface();
    try {
      importTheFile();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "the next import fails: " << e.what();
      return;
    }
    EXPECT_EQ(visibleTable(register_()), after_) << "differs from a run never interrupted";
    EXPECT_EQ(indexProblem("DBF/MDOS.dbf", "NTX/MDOS.ntx"), "");
  }

  DurabilityFolder folder_;
  std::string before_;
  std::string after_;
};

TEST_F(ImportInterrupted, EveryFailureAndKillLeavesNoneOrAllAndTheRerunSucceeds) {
  folder_.restoreTemplate();
  faults::resetCounts();
  importTheFile();
  std::array<std::uint64_t, kKinds.size()> total{};
  for (std::size_t k = 0; k < kKinds.size(); ++k) total[k] = faults::seen(kKinds[k]);
  after_ = visibleTable(register_());
  ASSERT_EQ(countOf(register_()), static_cast<std::uint32_t>(kOldAssets + kNewAssets));
  ASSERT_GT(total[0], 0u);
  std::cout << "operations of a complete import: " << total[0] << " writes, " << total[1]
            << " flushes, " << total[2] << " renames, " << total[3] << " truncates\n";

  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    for (std::uint64_t n = 1; n <= total[k]; ++n) {
      SCOPED_TRACE("operation " + std::to_string(static_cast<int>(kKinds[k])) + ", " +
                   std::to_string(n) + " of " + std::to_string(total[k]));
      folder_.restoreTemplate();
      armFailureAt(kKinds[k], n);
      try {
        importTheFile();
      } catch (...) {
      }
      faults::disarm();
      expectNoneOrAll("after the failure");
      expectRerunSucceeds();

      folder_.restoreTemplate();
      ASSERT_TRUE(runKilledAt(importTheFile, static_cast<int>(kKinds[k]), n));
      expectNoneOrAll("after the kill");
      expectRerunSucceeds();
      if (HasFailure()) return;  // one point is enough to look at
    }
  }
}

TEST_F(ImportInterrupted, ACalculationStartedDuringAnImportSeesTheRegisterAfterIt) {
  EXPECT_EQ(whileAnImportIsHeld([] {
              Station station;
              station.open();
              calculate(station.program, 2025);
              station.close();
            }),
            0);
  const std::string raced = readFileBytes("DBF/A202512R.dbf");
  ASSERT_EQ(countOf(register_()), static_cast<std::uint32_t>(kOldAssets + kNewAssets));
  {
    Station station;  // the same calculation alone, after the import
    station.open();
    calculate(station.program, 2025);
    station.close();
  }
  EXPECT_TRUE(sameTable(raced, readFileBytes("DBF/A202512R.dbf")))
      << "the raced calculation read a register between before and after";
}

TEST_F(ImportInterrupted, AnArchiveTakenDuringAnImportHoldsTheRegisterAndIndexAfterIt) {
  const fs::path zip = folder_.work().parent_path() / "arhiva.zip";
  store::archive::ArchiveOutcome outcome;
  EXPECT_EQ(whileAnImportIsHeld([&] {
              outcome = store::archive::writeDataArchive(
                  folder_.work(), store::archive::GETFILES(folder_.work()), zip, false,
                  [](std::size_t) { return true; });
            }),
            0);
  ASSERT_EQ(outcome.state, store::archive::ArchiveOutcome::State::Written);
  EXPECT_TRUE(outcome.leftOut.empty());

  const fs::path out = folder_.work().parent_path() / "izvadjeno";
  ASSERT_EQ(
      runProcess("/usr/bin/python3",
                 {"-c", "import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])",
                  zip.string(), out.string()}),
      0);
  EXPECT_EQ(countOf(readFileBytes(out / "DBF/MDOS.dbf")),
            static_cast<std::uint32_t>(kOldAssets + kNewAssets));
  EXPECT_EQ(indexProblem(out / "DBF/MDOS.dbf", out / "NTX/MDOS.ntx"), "")
      << "the archive holds the index of a register half imported";
}

}  // namespace
}  // namespace kavrina::test::durability
