// Moving the finished archive: on one file system, across file systems (a real second file
// system when there is one, and the copy forced by a cross-device error injected under the
// file layer), and onto a target without room.
#include "store/archive/archive_move.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "archive_folder.h"
#include "common/fault_injection.h"
#include "support/non_regular_files.h"

namespace kavrina::test::archive {
namespace {

using store::archive::moveArchive;

class ArchiveMove : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 random(11);
    content_.resize(2'600'000);  // several copy blocks
    for (char& c : content_) c = static_cast<char>(random());
    from_ = here_.path() / "Arhiva-Kavrina-1_07-20231016_100509.zip";
    writeFileBytes(from_, content_);
  }
  void TearDown() override { faults::disarm(); }

  // The move arrived whole, the original is gone and nothing stays aside at the target.
  void expectArrived(const fs::path& to) {
    EXPECT_EQ(readFileBytes(to), content_);
    EXPECT_FALSE(fs::exists(from_));
    EXPECT_TRUE(ArchiveFolder::asideFiles(to.parent_path()).empty());
  }

  TempDir here_;
  TempDir there_;
  std::string content_;
  fs::path from_;
};

TEST_F(ArchiveMove, OnOneFileSystemItIsARenameThatReplacesOnlyWhenAsked) {
  const fs::path to = there_.path() / "kopija.zip";
  writeFileBytes(to, "stara");
  EXPECT_EQ(moveArchive(from_, to, /*replace=*/false), EEXIST);
  EXPECT_EQ(readFileBytes(to), "stara");
  EXPECT_EQ(readFileBytes(from_), content_);
  faults::resetCounts();
  EXPECT_EQ(moveArchive(from_, to, /*replace=*/true), 0);
  EXPECT_EQ(faults::seen(faults::Op::Write), 0u);  // no copy
  expectArrived(to);
}

TEST_F(ArchiveMove, ANamedPipeOrADeviceNodeIsNotReplacedEvenWhenAsked) {
  std::vector<fs::path> places = {there_.path() / "cev.zip"};
  ASSERT_TRUE(makeNamedPipe(places.front()));
  if (const fs::path device = deviceNodeIn(there_.path()); !device.empty())
    places.push_back(device);
  for (const fs::path& place : places) {
    EXPECT_EQ(moveArchive(from_, place, /*replace=*/true), EPERM) << place;
    EXPECT_EQ(readFileBytes(from_), content_);
  }
  EXPECT_TRUE(isNamedPipe(places.front()));
  EXPECT_TRUE(places.size() == 1 || isDeviceNode(places.back()));
}

TEST_F(ArchiveMove, AcrossFileSystemsItIsCopiedFlushedAndThenTheOriginalGoes) {
  // The copy path forced: the rename answers that the target lies on another device.
  const fs::path to = there_.path() / "kopija.zip";
  writeFileBytes(to, "stara");
  faults::arm({faults::Op::Rename, 1, faults::Effect::Fail, EXDEV});
  EXPECT_EQ(moveArchive(from_, to, /*replace=*/true), 0);
  EXPECT_GE(faults::seen(faults::Op::Write), 3u);
  EXPECT_GE(faults::seen(faults::Op::Flush), 2u);  // the copy before its rename, its folder
  expectArrived(to);

  // A real second file system, where there is one (/dev/shm against the temporary folder).
  TempDir memory(memoryFolderOrTemp());
  if (!onOtherFileSystem(here_.path(), memory.path())) GTEST_SKIP() << "no second file system";
  writeFileBytes(from_, content_);
  const fs::path elsewhere = memory.path() / "kopija.zip";
  EXPECT_EQ(moveArchive(from_, elsewhere, /*replace=*/false), 0);
  expectArrived(elsewhere);
}

// A target without room: the move fails, the archive stays where it was, and a file that
// already had the target's name stays whole.
TEST_F(ArchiveMove, ATargetWithoutRoomFailsAndLosesNothing) {
  SmallFileSystem small;
  TempDir memory(memoryFolderOrTemp());
  fs::path to;
  if (small.mounted()) {
    to = small.path() / "kopija.zip";
  } else if (onOtherFileSystem(here_.path(), memory.path())) {
    to = memory.path() / "kopija.zip";
    faults::arm({faults::Op::Write, 2, faults::Effect::Fail, ENOSPC, /*sticky=*/true});
  } else {
    GTEST_SKIP() << "neither a small file system nor a second one";
  }
  writeFileBytes(to, "stara");
  EXPECT_EQ(moveArchive(from_, to, /*replace=*/true), ENOSPC);
  EXPECT_EQ(readFileBytes(to), "stara");
  EXPECT_EQ(readFileBytes(from_), content_);
  EXPECT_TRUE(ArchiveFolder::asideFiles(to.parent_path()).empty());
}

// Onto a second file system, every write, flush and rename of the copy made to fail in turn.
TEST_F(ArchiveMove, EveryFailingStepOfTheCopyKeepsTheArchiveAndTheTargetAsTheyWere) {
  TempDir memory(memoryFolderOrTemp());
  if (!onOtherFileSystem(here_.path(), memory.path())) GTEST_SKIP() << "no second file system";
  const fs::path to = memory.path() / "kopija.zip";
  writeFileBytes(to, "stara");
  faults::resetCounts();
  ASSERT_EQ(moveArchive(from_, to, true), 0);
  const std::uint64_t writes = faults::seen(faults::Op::Write);
  const std::uint64_t flushes = faults::seen(faults::Op::Flush);
  const std::uint64_t renames = faults::seen(faults::Op::Rename);
  ASSERT_EQ(renames, 2u);  // the move's own (cross-device), then the copy's
  ASSERT_EQ(flushes, 3u);  // the copy, its folder after the rename, the original's folder
  for (const auto& [op, count] :
       {std::pair{faults::Op::Write, writes}, std::pair{faults::Op::Flush, flushes},
        std::pair{faults::Op::Rename, renames}}) {
    for (std::uint64_t n = op == faults::Op::Rename ? 2 : 1; n <= count; ++n) {
      writeFileBytes(from_, content_);
      writeFileBytes(to, "stara");
      faults::arm({op, n, faults::Effect::Fail, EIO});
      const int err = moveArchive(from_, to, true);
      faults::disarm();
      SCOPED_TRACE(std::to_string(static_cast<int>(op)) + " number " + std::to_string(n));
      if (op == faults::Op::Flush && n == 3) {
        // The original's folder, after the copy took its name: the move is done.
        EXPECT_EQ(err, 0);
        expectArrived(to);
        continue;
      }
      if (op == faults::Op::Flush && n == 2) {
        // The copy has its name, but the name may not outlive a power cut: reported as a
        // failure, with the archive still in its place.
        EXPECT_EQ(err, EIO);
        EXPECT_EQ(readFileBytes(to), content_);
        EXPECT_EQ(readFileBytes(from_), content_);
        continue;
      }
      EXPECT_EQ(err, EIO);
      EXPECT_EQ(readFileBytes(to), "stara");
      EXPECT_EQ(readFileBytes(from_), content_);
      EXPECT_TRUE(ArchiveFolder::asideFiles(memory.path()).empty());
    }
  }
}

}  // namespace
}  // namespace kavrina::test::archive
