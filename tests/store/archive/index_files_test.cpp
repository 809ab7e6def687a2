// The index rebuild: every index file of every company deleted, none under another station,
// and the standing indexes built again at the next start.
#include "store/archive/index_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_folder.h"
#include "store/database.h"
#include "store/end_program.h"

namespace kavrina::test::archive {
namespace {

using store::archive::OBISIINDEXE;
using store::archive::rebuildIndexes;

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
};

TEST_F(IndexRebuild, DeletesEveryIndexOfEveryCompanyEndsTheProgramAndTheNextStartBuildsThem) {
  folder_.start();  // the running program's own tables are closed by the command itself
  const std::size_t mark = folder_.ui().events().size();
  try {
    OBISIINDEXE(folder_.program());
    FAIL() << "the program must end after the index files are deleted";
  } catch (const store::EndProgram& end) {
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
  EXPECT_FALSE(OBISIINDEXE(folder_.program(), /*interactive=*/true, /*noQuit=*/true));
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
  EXPECT_TRUE(OBISIINDEXE(folder_.program(), /*interactive=*/false, /*noQuit=*/true));
  EXPECT_EQ(folder_.ui().events().size(), quiet);
  EXPECT_TRUE(folder_.indexFiles().empty());
}

TEST_F(IndexRebuild, RebuildForTheToolIsRefusedWhileATableIsHeldAndOtherwiseBuildsEveryCompany) {
  {
    auto other = OtherStation::holding(folder_.path() / "001/DBF/MDOS.dbf", /*exclusive=*/false);
    const store::archive::IndexRebuild refused = rebuildIndexes(folder_.program());
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.heldFile, "001/DBF/MDOS.dbf");
    EXPECT_EQ(folder_.indexFiles(), kAllIndexes);
  }
  {
    // An index alone held (a working index a calculation is using) refuses it too.
    auto other = OtherStation::holding(folder_.path() / "001/NTX/BazaRA.ntx", /*exclusive=*/true);
    EXPECT_EQ(rebuildIndexes(folder_.program()).heldFile, "001/NTX/BazaRA.ntx");
    EXPECT_EQ(folder_.indexFiles(), kAllIndexes);
  }
  const store::archive::IndexRebuild rebuilt = rebuildIndexes(folder_.program());
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

}  // namespace
}  // namespace kavrina::test::archive
