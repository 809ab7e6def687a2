// The data archive command as the user meets it: every message, question and loop, the
// archive where it was saved, and the database open again whenever the program goes on.
#include "commands/arhiviraj_podatke.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "archive_folder.h"
#include "common/fault_injection.h"
#include "errors/end_program.h"
#include "support/non_regular_files.h"

namespace kavrina::test::archive {
namespace {

const std::string kStart =
    "warning: Pokrenuli ste arhiviranje podataka.\n"
    "Pre nego sto nastavite sa procedurom arhiviranja\n"
    "OBEZBEDITE da se svi korisnici odjave iz programa,\n"
    "u suprotnom nece svi fajlovi biti arhivirani.";
const std::string kCollect = "Prikupljanje informacija o fajlovima. Molim sacekajte...";
const std::string kProgress = "Arhiviranje u toku. Molim sacekajte...";
const std::string kSaving = "Snimanje u toku. Molim sacekajte...";
const std::string kDone =
    "Arhiviranje podataka i snimanje arhive je zavrseno.\n"
    "Potrebno je ponovo pokrenuti program.";
const std::string kInsideFolder =
    "warning: Nije moguce snimanje arhive u radnom folderu programa.\n\n"
    "Odaberite drugu lokaciju.";
const std::string kNoPlace =
    "warning: Niste odabrali lokaciju za snimanje arhive!\n"
    "Arhiva podataka je obrisana.";
const std::string kDesktop =
    "warning: Ne preporucujemo snimanje arhive na radnoj povrsini (Desktop).\n\n"
    "Zelite li da odaberete drugu lokaciju?";
// The database opened again (DBOPENALL) when the program goes on.
const std::string kReopenShown = "wait: Kreiram baze podataka. Molim sacekajte...";
const std::string kReopenClosed = "wait closed: Kreiram baze podataka. Molim sacekajte...";
const std::string kCannotSave =
    "error: Program nije u mogucnosti da snimi fajl na odabranoj lokaciji!\n"
    "Moguc uzrok: Disk je zasticen ili nema dovoljno mesta na disku.\n\n"
    "Zelite li da odaberete drugu lokaciju?";

// An environment variable set for the test and restored afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class ArchiveCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.makeTwoCompanies();
    folder_.start();  // the program is running with its tables open
    mark_ = folder_.ui().events().size();
  }
  void TearDown() override { faults::disarm(); }

  // Runs the command: the exit code when it ended the program, nothing when it went on.
  std::optional<int> run() {
    before_ = std::time(nullptr);
    try {
      commands::ARHIVIRAJPODATKE(folder_.program(), dialog_);
    } catch (const errors::EndProgram& end) {
      return end.exitCode();
    }
    return std::nullopt;
  }

  std::vector<std::string> shown() const {
    const std::vector<std::string> lines = folder_.ui().transcript();
    return {lines.begin() + static_cast<std::ptrdiff_t>(mark_), lines.end()};
  }

  // The dialogs from the save loop on (after the progress box closed).
  std::vector<std::string> saveLoop() const {
    std::vector<std::string> lines = shown();
    std::size_t i = 0;
    while (i < lines.size() && lines[i].rfind("progress closed", 0) != 0) ++i;
    return {lines.begin() + static_cast<std::ptrdiff_t>(std::min(i + 1, lines.size())),
            lines.end()};
  }

  // Files "Arhiva-*.zip" and aside files left in the program folder.
  std::vector<std::string> leftInProgramFolder() const {
    std::vector<std::string> out = ArchiveFolder::asideFiles(folder_.path());
    for (const auto& entry : fs::directory_iterator(folder_.path()))
      if (entry.path().filename().string().rfind("Arhiva-", 0) == 0)
        out.push_back(entry.path().string());
    return out;
  }

  bool databaseOpen() {
    return folder_.program().areas.isOpen("Firme") && folder_.program().areas.isOpen("MDOS");
  }

  ArchiveFolder folder_;
  ScriptedSaveDialog dialog_;
  TempDir elsewhere_;
  std::size_t mark_ = 0;
  std::time_t before_ = 0;
};

TEST_F(ArchiveCommand, SavesTheArchiveAtTheChosenPlaceAndEndsTheProgram) {
  const fs::path target = elsewhere_.path() / "kopija.zip";
  dialog_.choose(target);
  EXPECT_EQ(run(), 0);
  const std::time_t after = std::time(nullptr);
  const FolderFiles files = folder_.files();
  const std::string n = std::to_string(files.size());
  EXPECT_EQ(shown(),
            (std::vector<std::string>{
                kStart, "wait: " + kCollect, "wait closed: " + kCollect,
                "progress 0.." + n + ": " + kProgress, "progress closed at " + n + ": " + kProgress,
                "wait: " + kSaving, "wait closed: " + kSaving, "information: " + kDone}));
  ASSERT_EQ(dialog_.shown().size(), 1u);
  const ui::SaveDialogSettings& settings = dialog_.shown()[0];
  EXPECT_EQ(settings.caption, "Arhiviranje je zavrseno. Odaberite lokaciju za snimanje:");
  EXPECT_EQ(settings.filterDescription, "ZIP arhive (*.zip)");
  EXPECT_EQ(settings.filterPattern, "*.zip");
  // Named after the program, its version and the moment it was made.
  std::smatch stamp;
  ASSERT_TRUE(std::regex_match(settings.fileName, stamp,
                               std::regex(R"(Arhiva-Kavrina-1_07-(\d{8}_\d{6})\.zip)")))
      << settings.fileName;
  auto text = [](std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char out[32];
    std::strftime(out, sizeof out, "%Y%m%d_%H%M%S", &local);
    return std::string(out);
  };
  EXPECT_GE(stamp[1].str(), text(before_));
  EXPECT_LE(stamp[1].str(), text(after));

  EXPECT_TRUE(zipTestPasses(target));
  EXPECT_EQ(unzipped(target), files);
  EXPECT_TRUE(leftInProgramFolder().empty());
  EXPECT_FALSE(folder_.program().areas.isOpen("MDOS"));  // closed, and the program ends
}

TEST_F(ArchiveCommand, TheClosingMessageNamesATableAnotherStationHeld) {
  auto calculating = OtherStation::holding(folder_.path() / "001/DBF/A202412R.dbf", true);
  const fs::path target = elsewhere_.path() / "kopija.zip";
  dialog_.choose(target);
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(shown().back(), "warning: " + kDone +
                                "\n\nFajlovi koji nisu arhivirani: 1\n"
                                "001/DBF/A202412R.dbf (koristi ga drugi korisnik)");
  const std::vector<std::string> names = zipNames(target);
  EXPECT_EQ(std::count(names.begin(), names.end(), "001/DBF/A202412R.dbf"), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), "001/DBF/MDOS.dbf"), 1);
}

TEST_F(ArchiveCommand, ATargetInTheProgramFolderIsRefusedHoweverItIsReachedAndCancelReopens) {
  const fs::path link = elsewhere_.path() / "veza";
  fs::create_directory_symlink(folder_.path(), link);
  const std::string name = folder_.path().filename().string();
  // A folder beside it whose name merely begins with the program folder's is no part of it.
  const fs::path sibling = folder_.path().string() + "-kopija";
  fs::create_directory(sibling);
  dialog_.choose(folder_.path() / "a.zip")
      .choose(folder_.path() / "DBF" / "b.zip")
      .choose(link / "c.zip")
      .choose(folder_.path() / "DBF" / ".." / ".." / name / "NTX" / "d.zip")
      .choose(folder_.path())
      .cancel();
  EXPECT_EQ(run(), std::nullopt);
  EXPECT_EQ(saveLoop(),
            (std::vector<std::string>{kInsideFolder, kInsideFolder, kInsideFolder, kInsideFolder,
                                      kInsideFolder, kNoPlace, kReopenShown, kReopenClosed}));
  EXPECT_EQ(dialog_.unused(), 0u);
  for (const char* made : {"a.zip", "DBF/b.zip", "c.zip", "NTX/d.zip"})
    EXPECT_FALSE(fs::exists(folder_.path() / made)) << made;
  EXPECT_TRUE(leftInProgramFolder().empty());  // the archive is deleted
  EXPECT_TRUE(databaseOpen());

  dialog_.choose(sibling / "e.zip");
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(zipTestPasses(sibling / "e.zip"));
  fs::remove_all(sibling);
}

TEST_F(ArchiveCommand, TheDesktopIsAskedAboutByNameAndAsTheDesktopEnvironmentNamesIt) {
  TempDir home;
  ScopedEnv useHome("HOME", home.path().string());
  ScopedEnv useConfig("XDG_CONFIG_HOME", (home.path() / "podesavanja").string());
  fs::create_directories(home.path() / "podesavanja");
  writeFileBytes(home.path() / "podesavanja/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\n"
                 "XDG_DESKTOP_DIR=\"$HOME/Radna povrsina\"\n"
                 "XDG_DOCUMENTS_DIR=\"$HOME/Dokumenti\"\n");
  fs::create_directories(home.path() / "Radna povrsina");
  fs::create_directories(elsewhere_.path() / "Desktop");
  dialog_
      .choose(elsewhere_.path() / "Desktop" / "a.zip")   // Yes: choose another
      .choose(home.path() / "Radna povrsina" / "b.zip")  // No: save it there
      ;
  folder_.ui().yes().no();
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(saveLoop(),
            (std::vector<std::string>{kDesktop + " -> Yes", kDesktop + " -> No", "wait: " + kSaving,
                                      "wait closed: " + kSaving, "information: " + kDone}));
  EXPECT_FALSE(fs::exists(elsewhere_.path() / "Desktop" / "a.zip"));
  EXPECT_TRUE(zipTestPasses(home.path() / "Radna povrsina" / "b.zip"));
}

TEST_F(ArchiveCommand, AnExistingFileIsReplacedOnlyAfterYes) {
  const fs::path target = elsewhere_.path() / "kopija.zip";
  writeFileBytes(target, "prosla arhiva");
  const std::string question =
      "warning: Fajl: " + target.string() + " vec postoji.\n\nZelite li da ga presnimite?";
  dialog_.choose(target).choose(target);
  folder_.ui().no().yes();
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(saveLoop(),
            (std::vector<std::string>{question + " -> No", question + " -> Yes", "wait: " + kSaving,
                                      "wait closed: " + kSaving, "information: " + kDone}));
  EXPECT_TRUE(zipTestPasses(target));
}

// Only a regular file may be replaced: a named pipe or a device node at the chosen name is
// refused before any question, and the user chooses again.
TEST_F(ArchiveCommand, ANamedPipeOrADeviceNodeIsNeverReplaced) {
  const fs::path pipe = elsewhere_.path() / "cev.zip";
  ASSERT_TRUE(makeNamedPipe(pipe));
  std::vector<fs::path> refused = {pipe};
  const fs::path device = deviceNodeIn(elsewhere_.path());
  if (!device.empty()) refused.push_back(device);
  const fs::path target = elsewhere_.path() / "kopija.zip";
  std::vector<std::string> expected;
  for (const fs::path& place : refused) {
    dialog_.choose(place);
    expected.push_back("warning: Nije moguce snimanje na " + place.string() +
                       ":\nto nije obican fajl (folder, uredjaj, imenovana cev ili veza bez "
                       "fajla).\n\nOdaberite drugu lokaciju.");
  }
  dialog_.choose(target);
  EXPECT_EQ(run(), 0);
  expected.insert(expected.end(),
                  {"wait: " + kSaving, "wait closed: " + kSaving, "information: " + kDone});
  EXPECT_EQ(saveLoop(), expected);
  EXPECT_TRUE(isNamedPipe(pipe));
  EXPECT_TRUE(device.empty() || isDeviceNode(device));
  EXPECT_TRUE(zipTestPasses(target));
}

TEST_F(ArchiveCommand, CancellingTheSaveDialogDeletesTheArchiveAndReopensTheDatabase) {
  dialog_.cancel();
  EXPECT_EQ(run(), std::nullopt);
  EXPECT_EQ(saveLoop(), (std::vector<std::string>{kNoPlace, kReopenShown, kReopenClosed}));
  EXPECT_TRUE(leftInProgramFolder().empty());
  EXPECT_TRUE(databaseOpen());
  EXPECT_TRUE(folder_.program().areas["MDOS"].seek(10.0));
}

// A target without room: the question of step 9f; Yes lets the user choose again, No deletes
// the archive. A file that had the chosen name stays whole either way.
TEST_F(ArchiveCommand, AFullTargetAsksForAnotherPlaceAndLosesNothing) {
  // Enough to overflow a small file system.
  std::mt19937 random(3);
  std::string big(200'000, '\0');
  for (char& c : big) c = static_cast<char>(random());
  writeFileBytes(folder_.path() / "Prilog.bin", big);
  SmallFileSystem small;
  TempDir memory(memoryFolderOrTemp());
  fs::path full;
  if (small.mounted()) {
    full = small.path();
  } else if (onOtherFileSystem(folder_.path(), memory.path())) {
    full = memory.path();
    dialog_.setOnShow([](std::size_t count) {
      if (count == 1 || count == 3)  // the showings that choose the full place
        faults::arm({faults::Op::Write, 1, faults::Effect::Fail, ENOSPC, /*sticky=*/true});
      else
        faults::disarm();
    });
  } else {
    GTEST_SKIP() << "neither a small file system nor a second one";
  }
  writeFileBytes(full / "kopija.zip", "prosla arhiva");
  const std::string question = "warning: Fajl: " + (full / "kopija.zip").string() +
                               " vec postoji.\n\nZelite li da ga presnimite?";
  dialog_.choose(full / "kopija.zip").choose(elsewhere_.path() / "kopija.zip");
  folder_.ui().yes().yes();
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(saveLoop(), (std::vector<std::string>{
                            question + " -> Yes", "wait: " + kSaving, "wait closed: " + kSaving,
                            kCannotSave + " -> Yes", "wait: " + kSaving, "wait closed: " + kSaving,
                            "information: " + kDone}));
  EXPECT_EQ(readFileBytes(full / "kopija.zip"), "prosla arhiva");
  EXPECT_TRUE(ArchiveFolder::asideFiles(full).empty());
  EXPECT_EQ(unzipped(elsewhere_.path() / "kopija.zip"), folder_.files());
  EXPECT_TRUE(leftInProgramFolder().empty());

  // Declining another place deletes the archive and the program goes on.
  folder_.start();
  mark_ = folder_.ui().events().size();
  dialog_.choose(full / "kopija.zip");
  folder_.ui().yes().no();
  EXPECT_EQ(run(), std::nullopt);
  const std::vector<std::string> declined = saveLoop();
  EXPECT_EQ(std::vector<std::string>(declined.end() - 4, declined.end()),
            (std::vector<std::string>{
                kCannotSave + " -> No",
                "warning: Niste odabrali lokaciju za snimanje arhive\nArhiva podataka je obrisana.",
                kReopenShown, kReopenClosed}));
  EXPECT_EQ(readFileBytes(full / "kopija.zip"), "prosla arhiva");
  EXPECT_TRUE(leftInProgramFolder().empty());
  EXPECT_TRUE(databaseOpen());
}

TEST_F(ArchiveCommand, ACancelWhileArchivingStopsDeletesTheArchiveAndReopens) {
  folder_.ui().cancelProgressAt(2);
  EXPECT_EQ(run(), std::nullopt);
  const std::vector<std::string> lines = shown();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
            (std::vector<std::string>{
                "progress closed at 2, cancelled: " + kProgress,
                "warning: Arhiviranje podataka je prekinuto.\nArhiva podataka je obrisana.",
                kReopenShown, kReopenClosed}));
  EXPECT_TRUE(dialog_.shown().empty());
  EXPECT_TRUE(leftInProgramFolder().empty());
  EXPECT_TRUE(databaseOpen());
}

TEST_F(ArchiveCommand, AnArchiveThatCannotBeWrittenStopsAfterTheErrorAndReopens) {
  // The first write of the archive fails (a disk error): once the files are listed.
  bool armed = false;
  folder_.ui().setOnProcessEvents([&](int) {
    if (!armed) faults::arm({faults::Op::Write, 1, faults::Effect::Fail, EIO});
    armed = true;
  });
  EXPECT_EQ(run(), std::nullopt);
  folder_.ui().setOnProcessEvents({});
  const std::vector<std::string> lines = shown();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
            (std::vector<std::string>{
                "error: Program nije u mogucnosti da kreira fajl sa arhivom podataka.",
                kReopenShown, kReopenClosed}));
  EXPECT_TRUE(dialog_.shown().empty());
  EXPECT_TRUE(leftInProgramFolder().empty());
  EXPECT_TRUE(databaseOpen());
}

}  // namespace
}  // namespace kavrina::test::archive
