// The index rebuild: every index file of every company deleted, none under another station,
// and the standing indexes built again at the next start.
#include "store/archive/index_files.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "archive_folder.h"
#include "commands/obrisi_indekse.h"
#include "commands/open_database.h"
#include "common/os_file.h"
#include "errors/end_program.h"
#include "store/database.h"

namespace kavrina::test::archive {
namespace {

using commands::OBISIINDEXE;
using store::archive::deleteIndexFiles;

const std::vector<std::string> kAllIndexes = {"001/NTX/BazaRA.ntx", "001/NTX/MDNG.ntx",
                                              "001/NTX/MDOS.ntx",   "NTX/Firme.ntx",
                                              "NTX/MDOS.ntx",       "stari/NTX/Kopija.ntx"};

class IndexRebuild : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.makeTwoCompanies();
    fs::create_directories(folder_.path() / "stari/NTX");
    fs::copy_file(folder_.path() / "NTX/MDOS.ntx", folder_.path() / "stari/NTX/Kopija.ntx");
    ASSERT_EQ(folder_.indexFiles(), kAllIndexes);
  }

  // What the user was shown from now on.
  std::vector<std::string> shownFrom(std::size_t mark) {
    std::vector<std::string> lines = folder_.ui().transcript();
    return {lines.begin() + static_cast<std::ptrdiff_t>(mark), lines.end()};
  }

  // Whether the active company's asset `invBr` is found through the MDOS index.
  bool seekAsset(double invBr) { return folder_.program().areas["MDOS"].seek(invBr); }

  ArchiveFolder folder_;
  store::StructureCheckEvents untold_;
};

TEST_F(IndexRebuild, DeletesEveryIndexOfEveryCompanyEndsTheProgramAndTheNextStartBuildsThem) {
  folder_.start();  // the running program's own tables are closed by the command itself
  const std::size_t mark = folder_.ui().events().size();
  try {
    OBISIINDEXE(folder_.program());
    FAIL() << "the program must end after the index files are deleted";
  } catch (const errors::EndProgram& end) {
    EXPECT_EQ(end.exitCode(), 0);
  }
  EXPECT_EQ(shownFrom(mark), (std::vector<std::string>{
                                 "warning: Pokrenuli ste obnavljanje indeksnih fajlova.\n"
                                 "Pre nego sto nastavite sa procedurom obnavljanja\n"
                                 "OBEZBEDITE da se svi korisnici odjave iz programa.",
                                 "wait: Obnavljanje indeksnih fajlova. Molim sacekajte...",
                                 "wait closed: Obnavljanje indeksnih fajlova. Molim sacekajte...",
                                 "information: Indeksni fajlovi su uspesno obrisani.\n"
                                 "Potrebno je ponovo pokrenuti program\n"
                                 "da bi se zavrsila procedura obnavljanja."}));
  EXPECT_TRUE(folder_.indexFiles().empty());
  EXPECT_FALSE(folder_.program().areas.isOpen("MDOS"));

  // The next start: the standing indexes of "000" are built, whole and in use.
  folder_.start();
  EXPECT_EQ(folder_.indexFiles(), (std::vector<std::string>{"NTX/Firme.ntx", "NTX/MDOS.ntx"}));
  EXPECT_TRUE(seekAsset(10));
  EXPECT_TRUE(folder_.program().areas["Firme"].seek(std::string("001")));
  // Activating "001" builds its own.
  folder_.program().CSUBDIRFIRME = "001/";
  store::DBOPENALL(folder_.program());
  EXPECT_TRUE(seekAsset(8));
  EXPECT_FALSE(seekAsset(10));
  EXPECT_EQ(folder_.indexFiles(),
            (std::vector<std::string>{"001/NTX/MDOS.ntx", "NTX/Firme.ntx", "NTX/MDOS.ntx"}));
}

TEST_F(IndexRebuild, AnIndexAnotherStationHasOpenIsCountedAndStaysAsItWas) {
  const FolderFiles before = folder_.files();
  auto other = OtherStation::running(folder_.path());  // Firme and MDOS of "000", shared
  const std::size_t mark = folder_.ui().events().size();
  EXPECT_THROW(OBISIINDEXE(folder_.program()), errors::EndProgram);
  EXPECT_EQ(shownFrom(mark).back(),
            "error: Nije uspelo brisanje indeksnih fajlova.\n"
            "Broj fajlova koji nisu obrisani: 2\n"
            "Potrebno je ponovo pokrenuti program\n"
            "i ponoviti proceduru obnavljanja.");
  EXPECT_EQ(folder_.indexFiles(), (std::vector<std::string>{"NTX/Firme.ntx", "NTX/MDOS.ntx"}));
  const FolderFiles after = folder_.files();
  EXPECT_EQ(after.at("NTX/MDOS.ntx"), before.at("NTX/MDOS.ntx"));
  EXPECT_EQ(after.at("NTX/Firme.ntx"), before.at("NTX/Firme.ntx"));

  // Once that station has left, the command finishes the work, quietly when not interactive.
  EXPECT_EQ(other->release(), 0);
  const std::size_t quiet = folder_.ui().events().size();
  EXPECT_EQ(deleteIndexFiles(folder_.program()), 0u);
  EXPECT_EQ(folder_.ui().events().size(), quiet);
  EXPECT_TRUE(folder_.indexFiles().empty());
}

TEST_F(IndexRebuild, RebuildForTheToolIsRefusedWhileATableIsHeldAndOtherwiseBuildsEveryCompany) {
  {
    auto other = OtherStation::holding(folder_.path() / "001/DBF/MDOS.dbf", /*exclusive=*/false);
    const store::archive::IndexRebuild refused =
        store::archive::rebuildIndexes(folder_.program(), untold_);
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.heldFile, "001/DBF/MDOS.dbf");
    EXPECT_EQ(folder_.indexFiles(), kAllIndexes);
  }
  {
    // An index alone held (a working index a calculation is using) refuses it too.
    auto other = OtherStation::holding(folder_.path() / "001/NTX/BazaRA.ntx", /*exclusive=*/true);
    EXPECT_EQ(store::archive::rebuildIndexes(folder_.program(), untold_).heldFile,
              "001/NTX/BazaRA.ntx");
    EXPECT_EQ(folder_.indexFiles(), kAllIndexes);
  }
  const store::archive::IndexRebuild rebuilt =
      store::archive::rebuildIndexes(folder_.program(), untold_);
  EXPECT_TRUE(rebuilt.done);
  EXPECT_EQ(rebuilt.deleted, 6);
  EXPECT_EQ(rebuilt.companies, (std::vector<std::string>{"000", "001"}));
  EXPECT_EQ(folder_.indexFiles(),
            (std::vector<std::string>{"001/NTX/MDOS.ntx", "NTX/Firme.ntx", "NTX/MDOS.ntx"}));
  EXPECT_FALSE(folder_.program().areas.isOpen("MDOS"));
  EXPECT_EQ(folder_.program().CSUBDIRFIRME, "");
  folder_.start();
  EXPECT_TRUE(seekAsset(2));
}

// A calculation starting at any moment of the rebuild (here: at each time the rebuild lets
// events run) finds either the rebuild refused with every index in place, or cannot start
// until the indexes are deleted and built again: never a part of them deleted.
TEST_F(IndexRebuild, ACalculationStartingMeanwhileFindsNothingHalfDeleted) {
  const std::vector<std::string> rebuiltSet = {"001/NTX/MDOS.ntx", "NTX/Firme.ntx", "NTX/MDOS.ntx"};
  int refusals = 0, rebuilds = 0;
  for (int pass = 1; pass <= 16; ++pass) {
    SCOPED_TRACE(pass);
    const std::vector<std::string> before = folder_.indexFiles();
    std::vector<OsFile> station;
    bool started = false;
    folder_.ui().setOnProcessEvents([&](int p) {
      if (p != pass) return;
      // The calculation opens the company's register and its index, shared.
      for (const char* file : {"001/DBF/MDOS.dbf", "001/NTX/MDOS.ntx"}) {
        OsFile handle;
        if (handle.openShareLocked(folder_.path() / file, OsFile::Access::ReadWrite,
                                   LockKind::Read) != 0)
          return;
        station.push_back(std::move(handle));
      }
      started = true;
    });
    const store::archive::IndexRebuild outcome =
        store::archive::rebuildIndexes(folder_.program(), untold_);
    folder_.ui().setOnProcessEvents({});
    station.clear();
    EXPECT_TRUE(outcome.notDeleted.empty());
    if (outcome.done) {
      ++rebuilds;
      EXPECT_EQ(folder_.indexFiles(), rebuiltSet);
    } else {
      ++refusals;
      EXPECT_TRUE(started);
      EXPECT_EQ(folder_.indexFiles(), before);
    }
  }
  EXPECT_GT(refusals, 0);
  EXPECT_GT(rebuilds, 0);
}

// A folder or file that may not be changed is named as such (not as another user's), and
// nothing is deleted. As root, the rebuild runs as "nobody" in a child process, for whom the
// whole program folder is read-only.
TEST_F(IndexRebuild, ReadOnlyFolderOrFileIsNamedAndNothingDeleted) {
  auto runRefused = [&]() -> std::string {
    const store::archive::IndexRebuild refused =
        store::archive::rebuildIndexes(folder_.program(), untold_);
    if (refused.done || !refused.heldFile.empty() || !refused.notDeleted.empty()) return "";
    return refused.readOnly;
  };
  if (::geteuid() != 0) {
    fs::permissions(folder_.path() / "001/NTX", fs::perms(0555));
    const std::string named = runRefused();
    fs::permissions(folder_.path() / "001/NTX", fs::perms(0755));
    EXPECT_EQ(named, "001/NTX");
  } else {
    for (const auto& entry : fs::recursive_directory_iterator(folder_.path()))
      fs::permissions(entry.path(), entry.is_directory() ? fs::perms(0755) : fs::perms(0644));
    fs::permissions(folder_.path(), fs::perms(0755));
    const pid_t child = ::fork();
    if (child == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
      // The first table of the listing is the first file that may not be changed.
      ::_exit(runRefused() == "001/DBF/A202412R.dbf" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  EXPECT_EQ(folder_.indexFiles(), kAllIndexes);
}

}  // namespace
}  // namespace kavrina::test::archive
