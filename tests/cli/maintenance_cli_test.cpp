// kavrina-cli arhiva and indeksi end to end: the real executable on a program folder made by
// the test, this test process standing for another station where one is needed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "common/os_file.h"
#include "store/database.h"
#include "store/program_folder.h"
#include "store/rec_lock.h"
#include "support/non_regular_files.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

// Whether unzip finds the archive whole, and its member names in order.
bool unzipTestPasses(const fs::path& zip) {
  return std::system(("unzip -tqq '" + zip.string() + "' >/dev/null 2>&1").c_str()) == 0;
}

std::vector<std::string> zipNames(const fs::path& zip) {
  TempDir scratch;
  const fs::path list = scratch.path() / "names";
  std::system(("unzip -Z1 '" + zip.string() + "' >'" + list.string() + "' 2>/dev/null").c_str());
  std::vector<std::string> names;
  std::string text = readFileBytes(list), line;
  for (char c : text) {
    if (c != '\n') {
      line += c;
    } else {
      names.push_back(line);
      line.clear();
    }
  }
  return names;
}

// Companies "000" and "001", each with an asset; every table closed again.
class MaintenanceCli : public ::testing::Test {
 protected:
  void SetUp() override {
    store::Program& program = folder_.program();
    program.areas.setHideDeleted(true);
    store::DBOPENALL(program);
    ASSERT_TRUE(store::writeRecord(program, "MDOS", true,
                                   [](store::DbfTable& t) { t.putString("InvBr", "1"); }));
    ASSERT_TRUE(store::writeRecord(program, "Firme", true,
                                   [](store::DbfTable& t) { t.putString("Sifra", "001"); }));
    program.CSUBDIRFIRME = "001/";
    store::DBOPENALL(program);
    ASSERT_TRUE(store::writeRecord(program, "MDOS", true,
                                   [](store::DbfTable& t) { t.putString("InvBr", "5"); }));
    program.areas.closeAll();
    program.CSUBDIRFIRME.clear();
  }

  CliRun run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--dir", folder_.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return runKavrinaCli(all, elsewhere_.path(), {{"KAVRINA_HOME", ""}});
  }

  std::vector<std::string> indexFiles() {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder_.path()))
      if (e.path().extension() == ".ntx")
        out.push_back(e.path().lexically_relative(folder_.path()).generic_string());
    std::sort(out.begin(), out.end());
    return out;
  }

  // Made first: the program folder points the temporary folder into itself.
  TempDir elsewhere_;
  ProgramFolder folder_;
};

TEST_F(MaintenanceCli, ArhivaWritesTheWholeFolderToTheNamedFileTakenFromWhereItWasStarted) {
  fs::create_directory(elsewhere_.path() / "noc");
  const CliRun made = run({"arhiva", "noc/arhiva.zip"});
  const fs::path zip = elsewhere_.path() / "noc/arhiva.zip";
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const std::vector<std::string> names = zipNames(zip);
  EXPECT_EQ(made.out, "Arhiva podataka je snimljena: " + zip.string() +
                          "\nArhivirano fajlova: " + std::to_string(names.size()) + "\n");
  EXPECT_EQ(made.err, "");
  EXPECT_TRUE(unzipTestPasses(zip));
  for (const char* name :
       {"Kavrina.ini", "001/DBF/MDOS.dbf", "001/NTX/MDOS.ntx", "DBF/Firme.dbf", "NTX/MDOS.ntx"})
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
  for (const auto& e : fs::directory_iterator(elsewhere_.path() / "noc"))
    EXPECT_EQ(e.path().filename(), "arhiva.zip");  // nothing left aside
}

TEST_F(MaintenanceCli, ArhivaRefusesAnExistingFileUnlessPresnimiAndAnyPlaceInTheProgramFolder) {
  const fs::path zip = elsewhere_.path() / "arhiva.zip";
  writeFileBytes(zip, "prosla");
  const CliRun refused = run({"arhiva", zip.string()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, "Fajl: " + zip.string() +
                             " vec postoji.\nDa bi ga presnimili, navedite opciju --presnimi.\n");
  EXPECT_EQ(readFileBytes(zip), "prosla");
  const CliRun replaced = run({"arhiva", zip.string(), "--presnimi"});
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_TRUE(unzipTestPasses(zip));

  fs::create_directory_symlink(folder_.path() / "DBF", elsewhere_.path() / "veza");
  for (const fs::path& inside : {folder_.path() / "a.zip", folder_.path() / "NTX" / "b.zip",
                                 elsewhere_.path() / "veza" / "c.zip"}) {
    const CliRun inFolder = run({"arhiva", inside.string()});
    EXPECT_EQ(inFolder.exitCode, 1) << inside;
    EXPECT_EQ(inFolder.err,
              "Nije moguce snimanje arhive u radnom folderu programa.\n"
              "Programski folder: " +
                  folder_.path().string() + "\n");
    EXPECT_FALSE(fs::exists(inside));
  }
}

TEST_F(MaintenanceCli, ArhivaNeverReplacesWhatIsNotARegularFile) {
  std::vector<fs::path> places = {elsewhere_.path() / "cev.zip", elsewhere_.path() / "folder.zip"};
  ASSERT_TRUE(makeNamedPipe(places[0]));
  fs::create_directory(places[1]);
  if (const fs::path device = deviceNodeIn(elsewhere_.path()); !device.empty())
    places.push_back(device);
  for (const fs::path& place : places) {
    const CliRun r = run({"arhiva", place.string(), "--presnimi"});
    EXPECT_EQ(r.exitCode, 1) << place;
    EXPECT_EQ(r.err, "Nije moguce snimanje na " + place.string() +
                         ":\nto nije obican fajl (folder, uredjaj, imenovana cev ili veza bez "
                         "fajla).\n")
        << place;
  }
  EXPECT_TRUE(isNamedPipe(places[0]));
  EXPECT_TRUE(fs::is_empty(places[1]));
  EXPECT_TRUE(places.size() == 2 || isDeviceNode(places[2]));
}

TEST_F(MaintenanceCli, ArhivaNamesATableAnotherStationHoldsAndEndsWithOne) {
  OsFile station;  // this test process: a calculation holding the table alone
  ASSERT_EQ(station.openShareLocked(folder_.path() / "001/DBF/MDOS.dbf", OsFile::Access::ReadWrite,
                                    LockKind::Write),
            0);
  const CliRun made = run({"arhiva", "arhiva.zip"});
  EXPECT_EQ(made.exitCode, 1);
  EXPECT_EQ(made.err,
            "Fajlovi koji nisu arhivirani: 1\n001/DBF/MDOS.dbf (koristi ga drugi korisnik)\n");
  const std::vector<std::string> names = zipNames(elsewhere_.path() / "arhiva.zip");
  EXPECT_EQ(std::count(names.begin(), names.end(), "001/DBF/MDOS.dbf"), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), "DBF/MDOS.dbf"), 1);
}

TEST_F(MaintenanceCli, IndeksiRebuildsEveryCompanyAndIsRefusedWhileATableIsHeld) {
  const std::vector<std::string> all = {"001/NTX/MDOS.ntx", "NTX/Firme.ntx", "NTX/MDOS.ntx"};
  ASSERT_EQ(indexFiles(), all);
  {
    OsFile station;  // this test process: a station with a table open
    ASSERT_EQ(station.openShareLocked(folder_.path() / "DBF/MDOS.dbf", OsFile::Access::ReadWrite,
                                      LockKind::Read),
              0);
    const CliRun refused = run({"indeksi"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              "Drugi korisnik trenutno koristi fajl DBF/MDOS.dbf. Indeksni fajlovi nisu obrisani; "
              "pokusajte kada se svi korisnici odjave iz programa.\n");
    EXPECT_EQ(indexFiles(), all);
  }
  fs::remove(folder_.path() / "001/NTX/MDOS.ntx");  // one already missing
  const CliRun rebuilt = run({"indeksi"});
  EXPECT_EQ(rebuilt.exitCode, 0) << rebuilt.err;
  EXPECT_EQ(rebuilt.out,
            "Obrisano indeksnih fajlova: 2\nIndeksi su ponovo izgradjeni za firme: 000 001\n");
  EXPECT_EQ(indexFiles(), all);
  // The rebuilt indexes serve the other commands.
  const CliRun assets = run({"--firma", "001", "izvoz", "MDOS"});
  EXPECT_EQ(assets.exitCode, 0) << assets.err;
  EXPECT_NE(assets.out.find("\n5,"), std::string::npos) << assets.out;
}

// A company whose folder is a link to another place is archived and reindexed like any
// other; a data folder linked into the program folder (a loop) refuses the archive by name.
TEST_F(MaintenanceCli, ALinkedCompanyFolderIsArchivedAndReindexedOrTheArchiveRefused) {
  const fs::path elsewhere = elsewhere_.path() / "firme";  // outside the program folder
  fs::create_directory(elsewhere);
  fs::rename(folder_.path() / "001", elsewhere / "001");
  fs::create_directory_symlink(elsewhere / "001", folder_.path() / "001");
  const CliRun made = run({"arhiva", "arhiva.zip"});
  EXPECT_EQ(made.exitCode, 0) << made.err;
  const std::vector<std::string> names = zipNames(elsewhere_.path() / "arhiva.zip");
  for (const char* member : {"001/DBF/MDOS.dbf", "001/NTX/MDOS.ntx", "DBF/MDOS.dbf"})
    EXPECT_EQ(std::count(names.begin(), names.end(), member), 1) << member;

  const CliRun reindexed = run({"indeksi"});
  EXPECT_EQ(reindexed.exitCode, 0) << reindexed.err;
  EXPECT_EQ(reindexed.out,
            "Obrisano indeksnih fajlova: 3\nIndeksi su ponovo izgradjeni za firme: 000 001\n");
  EXPECT_TRUE(fs::exists(elsewhere / "001/NTX/MDOS.ntx"));

  // Loops and doubles: into the program folder, above it, where another link leads.
  const struct {
    const char* link;
    fs::path target;
  } refused[] = {{"002", folder_.path() / "DBF"},
                 {"003", folder_.path().parent_path()},
                 {"004", elsewhere / "001"}};
  for (const auto& r : refused) {
    SCOPED_TRACE(r.link);
    fs::create_directory_symlink(r.target, folder_.path() / r.link);
    const CliRun loop = run({"arhiva", "druga.zip"});
    EXPECT_EQ(loop.exitCode, 1);
    EXPECT_EQ(loop.err,
              "Arhiva nije napravljena: folder sa podacima je simbolicka veza koja vodi u folder "
              "programa, iznad njega ili u isti folder kao druga veza:\n" +
                  std::string(r.link) + "\n");
    EXPECT_FALSE(fs::exists(elsewhere_.path() / "druga.zip"));
    fs::remove(folder_.path() / r.link);
  }
}

// A station that holds a table of the register alone: every command that needs it says so
// and ends with one, without an internal error and without writing the error log.
TEST_F(MaintenanceCli, ATableHeldByAnotherStationIsNamedForEveryCommand) {
  const struct {
    const char* held;
    std::vector<std::string> args;
  } cases[] = {
      {"DBF/MDOS.dbf", {"izvoz", "MDOS"}},
      {"DBF/MDOS.dbf", {"obracun", "--godina", "2024"}},
      {"DBF/Firme.dbf", {"izvoz", "MDOS"}},
      {"DBF/Firme.dbf", {"--firma", "001", "izvoz", "MDOS"}},
      {"001/DBF/MDOS.dbf", {"--firma", "001", "izvoz", "MDOS"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.held);
    OsFile station;  // this test process: a station holding the table alone
    ASSERT_EQ(station.openShareLocked(folder_.path() / c.held, OsFile::Access::ReadWrite,
                                      LockKind::Write),
              0);
    const CliRun refused = run(c.args);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Drugi korisnik trenutno koristi tabelu " + std::string(c.held) +
                               ". Pokusajte kasnije.\n");
    EXPECT_FALSE(fs::exists(folder_.path() / "Error.txt"));
  }
}

TEST_F(MaintenanceCli, AWrongCommandLineIsAUsageError) {
  const CliRun noFile = run({"arhiva"});
  EXPECT_EQ(noFile.exitCode, 2);
  EXPECT_EQ(noFile.err,
            "Greska u pozivu: Komanda arhiva zahteva naziv fajla arhive (npr. arhiva.zip).\n"
            "Pomoc: kavrina-cli --help\n");
  EXPECT_EQ(run({"indeksi", "--presnimi"}).exitCode, 2);
  EXPECT_EQ(run({"arhiva", "a.zip", "--presnimi=da"}).exitCode, 2);
  const CliRun help = run({"arhiva", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("Upotreba: kavrina-cli [--dir D] arhiva FAJL.zip [--presnimi]\n", 0),
            0u);
}

}  // namespace
}  // namespace kavrina::test
