// The running-instance marker: where it lies, what it refuses, and that nothing about it
// ever stops the program.
#include "store/swrun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "program_folder.h"
#include "store/database.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class Marker : public ::testing::Test {
 protected:
  fs::path temp() const { return folder_.path() / "tmp"; }
  // The folder of this user in the temporary folder.
  fs::path ownFolder() const { return temp() / ("Kavrina-" + std::to_string(::geteuid())); }
  static unsigned modeOf(const fs::path& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
  }

  ProgramFolder folder_;
  store::Program& program_ = folder_.program();
};

TEST_F(Marker, LiesInAFolderOfTheUsersOwnAndKeepsASecondCopyOut) {
  EXPECT_FALSE(store::SWRUN(program_, "Kavrina"));
  EXPECT_TRUE(fs::is_regular_file(ownFolder() / "Kavrina.run"));
  EXPECT_EQ(modeOf(ownFolder()), 0700u);
  EXPECT_FALSE(fs::exists(temp() / "Kavrina.run")) << "nothing in the folder all users share";

  store::Program second;
  EXPECT_TRUE(store::SWRUN(second, "Kavrina")) << "a second copy of the same user";
  program_.areas.closeAll();
  EXPECT_FALSE(store::SWRUN(second, "Kavrina")) << "the first one has ended";
  second.areas.closeAll();
}

// Unlike a table of the data, a marker left damaged (empty, or cut short) holds nothing of
// value: it is made anew and marks the program as running again.
TEST_F(Marker, ADamagedMarkerIsMadeAnew) {
  EXPECT_FALSE(store::SWRUN(program_, "Kavrina"));
  program_.areas.closeAll();
  const fs::path marker = ownFolder() / "Kavrina.run";
  for (const std::uintmax_t size : {std::uintmax_t{0}, std::uintmax_t{20}, std::uintmax_t{40}}) {
    fs::resize_file(marker, size);
    EXPECT_FALSE(store::SWRUN(program_, "Kavrina")) << "cut to " << size;
    store::Program second;
    EXPECT_TRUE(store::SWRUN(second, "Kavrina")) << "cut to " << size << ": marked again";
    program_.areas.closeAll();
  }
}

TEST_F(Marker, TheRuntimeFolderComesFirstWhenItIsTheUsersOwn) {
  const fs::path runtime = folder_.path() / "run";
  fs::create_directory(runtime);
  ::chmod(runtime.c_str(), 0700);
  ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  EXPECT_EQ(store::markerFolder("Kavrina"), runtime);
  EXPECT_FALSE(store::SWRUN(program_, "Kavrina"));
  EXPECT_TRUE(fs::exists(runtime / "Kavrina.run"));

  // One that others may write into, or that is not absolute, is passed over.
  ::chmod(runtime.c_str(), 0777);
  EXPECT_EQ(store::markerFolder("Kavrina"), ownFolder());
  ::setenv("XDG_RUNTIME_DIR", "run", 1);
  EXPECT_EQ(store::markerFolder("Kavrina"), ownFolder());
  ::unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(Marker, AFolderThatIsNotTheUsersOwnIsRefusedAndTheProgramGoesOn) {
  // Planted before the program first ran: a link to a folder elsewhere, then a folder that
  // others may write into (or, in the shared folder, one of another user).
  TempDir elsewhere;
  fs::create_directory_symlink(elsewhere.path(), ownFolder());
  EXPECT_EQ(store::markerFolder("Kavrina"), fs::path());
  store::DBOPENALL(program_);
  EXPECT_TRUE(program_.areas.isOpen("MDOS")) << "the start goes on without a marker";
  EXPECT_FALSE(program_.areas.isOpen("SwRun"));
  EXPECT_TRUE(fs::is_empty(elsewhere.path())) << "nothing written where the link leads";

  program_.areas.closeAll();
  fs::remove(ownFolder());
  fs::create_directory(ownFolder());
  ::chmod(ownFolder().c_str(), 0777);
  EXPECT_TRUE(store::SWRUN(program_, "Kavrina"));
  EXPECT_FALSE(fs::exists(ownFolder() / "Kavrina.run"));
  if (::geteuid() == 0) {
    ::chmod(ownFolder().c_str(), 0700);
    ASSERT_EQ(::chown(ownFolder().c_str(), 65534, 65534), 0);
    EXPECT_EQ(store::markerFolder("Kavrina"), fs::path()) << "another user's folder";
  }
}

TEST_F(Marker, ALinkPlantedUnderTheMarkersNameIsNeverFollowed) {
  TempDir elsewhere;
  const fs::path victim = elsewhere / "victim.dbf";
  writeFileBytes(victim, "keep me");
  fs::create_directory(ownFolder());
  ::chmod(ownFolder().c_str(), 0700);
  for (const fs::path& target : {victim, elsewhere / "created.dbf"}) {
    fs::remove(ownFolder() / "Kavrina.run");
    fs::create_symlink(target, ownFolder() / "Kavrina.run");
    store::DBOPENALL(program_);
    EXPECT_TRUE(program_.areas.isOpen("MDOS")) << target;
    EXPECT_FALSE(program_.areas.isOpen("SwRun")) << target;
    EXPECT_TRUE(folder_.ui().messages().empty()) << "no message about the marker";
    program_.areas.closeAll();
  }
  EXPECT_EQ(readFileBytes(victim), "keep me");
  EXPECT_FALSE(fs::exists(elsewhere / "created.dbf"));
}

}  // namespace
}  // namespace kavrina::test
