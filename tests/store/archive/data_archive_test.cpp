// The archive writer: what an independent unzip finds in it, files other stations hold, a
// cancel, and every write, flush and rename failing or killed in turn.
#include "store/archive/data_archive.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "archive_folder.h"
#include "common/fault_injection.h"
#include "common/os_file.h"
#include "store/archive/get_files.h"
#include "support/non_regular_files.h"
#include "support/test_seed.h"

namespace kavrina::test::archive {
namespace {

using store::archive::ArchiveOutcome;
using store::archive::GETFILES;
using store::archive::writeDataArchive;
using State = ArchiveOutcome::State;

// Bytes that deflate cannot shrink, so that a member spans several read blocks.
std::string noise(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::string out(size, '\0');
  for (char& c : out) c = static_cast<char>(random());
  return out;
}

class DataArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.makeTwoCompanies();
    // Hidden names, a hidden folder and a stray aside file: never archived.
    writeFileBytes(folder_.path() / ".skriven", "x");
    writeFileBytes(folder_.path() / "DBF/.MDOS.dbf.0123456789ab.tmp", "aside");
    fs::create_directories(folder_.path() / ".git");
    writeFileBytes(folder_.path() / ".git/config", "[core]");
    writeFileBytes(folder_.path() / "001/DBF/Prilog.bin", noise(3'500'000, 7));
    files_ = GETFILES(folder_.path());
    target_ = elsewhere_.path() / "arhiva.zip";
  }

  ArchiveOutcome write(const store::archive::ArchiveProgress& progress = {}, bool replace = false) {
    return writeDataArchive(folder_.path(), files_, target_, replace, progress);
  }

  std::vector<std::string> listedNames() const {
    std::vector<std::string> names;
    for (const fs::path& f : files_)
      names.push_back(f.lexically_relative(folder_.path()).generic_string());
    return names;
  }

  ArchiveFolder folder_;
  TempDir elsewhere_;
  std::vector<fs::path> files_;
  fs::path target_;
};

TEST_F(DataArchive, HoldsEveryListedFileByteForByteUnderItsRelativeNameAndPassesUnzipTest) {
  const ArchiveOutcome outcome = write();
  ASSERT_EQ(outcome.state, State::Written);
  EXPECT_TRUE(outcome.leftOut.empty());
  EXPECT_EQ(outcome.members, files_.size());
  EXPECT_TRUE(zipTestPasses(target_));
  EXPECT_EQ(zipNames(target_), listedNames());
  EXPECT_EQ(zipNames(target_).front(), "Kavrina.ini");
  // Every file of the folder but the hidden ones, byte for byte: both companies, their
  // standing and working indexes.
  const FolderFiles inArchive = unzipped(target_);
  EXPECT_EQ(inArchive, folder_.files());
  for (const char* name : {"DBF/Firme.dbf", "NTX/MDOS.ntx", "001/DBF/MDOS.dbf",
                           "001/NTX/BazaRA.ntx", "001/DBF/A202412R.dbf"})
    EXPECT_EQ(inArchive.count(name), 1u) << name;
  EXPECT_TRUE(ArchiveFolder::asideFiles(elsewhere_.path()).empty());
}

TEST_F(DataArchive, ATableAnotherStationHoldsExclusivelyIsLeftOutAndNamedWhileSharedOnesGoIn) {
  auto running = OtherStation::running(folder_.path());  // Firme and MDOS of "000", shared
  auto calculating = OtherStation::holding(folder_.path() / "001/DBF/A202412R.dbf", true);
  const ArchiveOutcome outcome = write();
  ASSERT_EQ(outcome.state, State::Written);
  ASSERT_EQ(outcome.leftOut.size(), 1u);
  EXPECT_EQ(outcome.leftOut[0].name, "001/DBF/A202412R.dbf");
  EXPECT_EQ(outcome.leftOut[0].error, EBUSY);
  EXPECT_EQ(store::archive::leftOutText(outcome.leftOut),
            "Fajlovi koji nisu arhivirani: 1\n001/DBF/A202412R.dbf (koristi ga drugi korisnik)");
  EXPECT_TRUE(zipTestPasses(target_));
  FolderFiles expected = folder_.files();
  expected.erase("001/DBF/A202412R.dbf");
  EXPECT_EQ(unzipped(target_), expected);
  EXPECT_EQ(outcome.members, files_.size() - 1);
}

TEST_F(DataArchive, AFileTakenExclusivelyWhileTheArchiveIsWrittenIsLeftOutAndTheRestIsWhole) {
  // After the first member another station takes the big file, listed later, alone.
  const fs::path taken = folder_.path() / "001/DBF/Prilog.bin";
  OsFile station;
  const ArchiveOutcome outcome = write([&](std::size_t done) {
    if (done >= 1 && !station.isOpen()) {
      EXPECT_EQ(station.openShareLocked(taken, OsFile::Access::ReadWrite, LockKind::Write), 0);
    }
    return true;
  });
  ASSERT_EQ(outcome.state, State::Written);
  ASSERT_EQ(outcome.leftOut.size(), 1u);
  EXPECT_EQ(outcome.leftOut[0].name, "001/DBF/Prilog.bin");
  EXPECT_TRUE(zipTestPasses(target_));
  FolderFiles expected = folder_.files();
  expected.erase("001/DBF/Prilog.bin");
  EXPECT_EQ(unzipped(target_), expected);
  EXPECT_TRUE(ArchiveFolder::asideFiles(elsewhere_.path()).empty());
}

TEST_F(DataArchive, ACancelStopsItAndLeavesNothingUnderTheNameNorAside) {
  std::size_t calls = 0;
  const ArchiveOutcome outcome = write([&](std::size_t done) {
    ++calls;
    return done < 3;
  });
  EXPECT_EQ(outcome.state, State::Cancelled);
  EXPECT_GE(calls, 3u);
  EXPECT_FALSE(fs::exists(target_));
  EXPECT_TRUE(ArchiveFolder::asideFiles(elsewhere_.path()).empty());
}

// The earlier archive under the name gives way to a named pipe while the new one is
// written: even asked to replace, the archive does not take the pipe's place.
TEST_F(DataArchive, AReplacedNameThatBecameANamedPipeMeanwhileIsNotReplaced) {
  writeFileBytes(target_, "prosla arhiva");
  bool swapped = false;
  const ArchiveOutcome outcome = write(
      [&](std::size_t) {
        if (!swapped) swapped = fs::remove(target_) && makeNamedPipe(target_);
        return true;
      },
      /*replace=*/true);
  ASSERT_TRUE(swapped);
  EXPECT_EQ(outcome.state, State::Failed);
  EXPECT_EQ(outcome.error, EPERM);
  EXPECT_TRUE(isNamedPipe(target_));
  EXPECT_TRUE(ArchiveFolder::asideFiles(elsewhere_.path()).empty());
}

// Every write, flush and rename of the archive file made to fail in turn (an I/O error, a
// disk that fills up): the archive never appears under its name, and nothing stays aside.
TEST_F(DataArchive, EveryFailingWriteFlushOrRenameLeavesNothingBehind) {
  faults::resetCounts();
  ASSERT_EQ(write().state, State::Written);
  fs::remove(target_);
  const std::uint64_t writes = faults::seen(faults::Op::Write);
  const std::uint64_t flushes = faults::seen(faults::Op::Flush);
  const std::uint64_t renames = faults::seen(faults::Op::Rename);
  ASSERT_GE(writes, 4u);   // more than one block: the big member spans several
  ASSERT_GE(flushes, 2u);  // the file, then its folder
  ASSERT_EQ(renames, 1u);
  struct Run {
    faults::Op op;
    std::uint64_t count;
    int error;
    bool sticky;
  };
  for (const Run& run :
       {Run{faults::Op::Write, writes, EIO, false}, Run{faults::Op::Write, writes, ENOSPC, true},
        Run{faults::Op::Flush, flushes, EIO, false},
        Run{faults::Op::Rename, renames, EIO, false}}) {
    for (std::uint64_t n = 1; n <= run.count; ++n) {
      faults::arm({run.op, n, faults::Effect::Fail, run.error, run.sticky});
      const ArchiveOutcome outcome = write();
      faults::disarm();
      SCOPED_TRACE("operation " + std::to_string(static_cast<int>(run.op)) + " number " +
                   std::to_string(n));
      EXPECT_EQ(outcome.state, State::Failed);
      EXPECT_EQ(outcome.error, run.error);
      EXPECT_FALSE(fs::exists(target_));
      EXPECT_TRUE(ArchiveFolder::asideFiles(elsewhere_.path()).empty());
    }
  }
}

// A process killed in the middle (at a write chosen by the seed) leaves no archive under the
// name; what it left aside is hidden from every listing and cleared by a later archive into
// that folder once it is old and unheld.
TEST_F(DataArchive, AKillLeavesNothingUnderTheNameAndTheStrayIsClearedLater) {
  faults::resetCounts();
  ASSERT_EQ(write().state, State::Written);
  fs::remove(target_);
  const std::uint64_t writes = faults::seen(faults::Op::Write);
  const std::uint32_t seed = testSeed();
  SCOPED_TRACE(seedNote(seed));
  const std::uint64_t killAt = 1 + seed % writes;
  const pid_t child = ::fork();
  if (child == 0) {
    faults::arm({faults::Op::Write, killAt, faults::Effect::Kill});
    write();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "seed " << seed;
  EXPECT_FALSE(fs::exists(target_)) << "seed " << seed;
  const std::vector<std::string> strays = ArchiveFolder::asideFiles(elsewhere_.path());
  ASSERT_EQ(strays.size(), 1u) << "seed " << seed;
  fs::last_write_time(strays[0], fs::file_time_type::clock::now() - std::chrono::minutes(2));
  ASSERT_EQ(write().state, State::Written);
  EXPECT_TRUE(ArchiveFolder::asideFiles(elsewhere_.path()).empty());
  EXPECT_TRUE(zipTestPasses(target_));
}

}  // namespace
}  // namespace kavrina::test::archive
