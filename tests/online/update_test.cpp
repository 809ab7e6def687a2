// The program replacing itself: the download checked and put in place by a rename with the
// old program kept under "Undo", a second update of the day time-stamping the older backup,
// and every failure (cut download, wrong checksum, empty file, failed rename, a folder the
// program may not write, no server) leaving the program, its backups and the folder as
// they were.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "common/fault_injection.h"
#include "online/online_texts.h"
#include "online/program_update.h"
#include "online_fixture.h"
#include "ui/ftp/sha256.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "#!/bin/sh\necho 1.07\n";
const std::string kNew = runnableProgram("1.08");
const std::string kConnectionError =
    "error: Nije uspela konekcija na server 127.0.0.1\r\nProverite vasu internet konekciju i "
    "pokusajte ponovo kasnije.";

std::vector<std::string> undoNames(const fs::path& undo) {
  std::vector<std::string> names;
  if (fs::exists(undo))
    for (const auto& e : fs::directory_iterator(undo))
      names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs `body` as a user that may not write where root may: as "nobody" in a child process
// when the test runs as root (root writes into any folder), directly otherwise. Answers
// what `body` answered.
int asUnprivileged(const std::function<int()>& body) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Update : public OnlineTest {
 protected:
  bool update() { return online::PreuzmiNovuVerzijuPrograma(context()); }
  fs::path undo() const { return folder() / "Undo"; }
  void expectNothingChanged() {
    EXPECT_EQ(local("kavrina"), kOld);
    EXPECT_FALSE(fs::exists(undo()));
    EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
  }
};

TEST_F(Update, InstalledWithBackupAndSecondUpdateOfTheDayStampsTheOlderBackup) {
  startServer();
  serve("update_kavrina", kNew);
  serve("update_kavrina.txt", "Novo u 1.08");
  writeLocal("update_kavrina.txt", "Novo u 1.07");
  writeLocal("update_kavrina.zip", "left over");
  ASSERT_TRUE(update());
  const std::vector<std::string> transcript = ui_.transcript();
  ASSERT_EQ(transcript.size(), 7u);
  EXPECT_EQ(transcript[2], "progress 0..0: Preuzimanje nove verzije u toku. Molim sacekajte...");
  EXPECT_TRUE(transcript[3].starts_with("progress closed at "));
  EXPECT_EQ(
      std::vector<std::string>(transcript.begin(), transcript.begin() + 2),
      (std::vector<std::string>{"wait: Pristupanje serveru u toku. Molim sacekajte...",
                                "wait closed: Pristupanje serveru u toku. Molim sacekajte..."}));
  EXPECT_EQ(std::vector<std::string>(transcript.begin() + 4, transcript.end()),
            (std::vector<std::string>{
                "wait: Instalacija nove verzije u toku. Molim sacekajte...",
                "wait closed: Instalacija nove verzije u toku. Molim sacekajte...",
                "information: Uspešno je instalirana nova verzija programa.\r\nPotrebno je ponovo "
                "pokrenuti program."}));
  EXPECT_EQ(local("kavrina"), kNew);
  struct stat info;
  ASSERT_EQ(::stat(executable().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
  EXPECT_EQ(readFileBytes(undo() / "kavrina.107"), kOld);
  // The release notes are fetched afresh and shown, although an older copy existed.
  EXPECT_EQ(local("update_kavrina.txt"), "Novo u 1.08");
  EXPECT_EQ(shell_.calls, (std::vector<std::string>{"open update_kavrina.txt"}));
  EXPECT_EQ(localNames(),
            (std::vector<std::string>{"Kavrina.ini", "Undo", "kavrina", "update_kavrina.txt"}));

  // The same version again on the same day: the earlier backup gets the time stamp.
  serve("update_kavrina", runnableProgram("1.08b"));
  context().clock = Clock([] { return fixedTime(16, 45, 9); });
  ASSERT_TRUE(update());
  EXPECT_EQ(local("kavrina"), runnableProgram("1.08b"));
  EXPECT_EQ(undoNames(undo()),
            (std::vector<std::string>{"kavrina.107", "kavrina_20240315_164509.107"}));
  EXPECT_EQ(readFileBytes(undo() / "kavrina.107"), kNew);
  EXPECT_EQ(readFileBytes(undo() / "kavrina_20240315_164509.107"), kOld);
}

TEST_F(Update, BackupIsNamedAfterTheActiveCompanysDataVersion) {
  startServer();
  serve("update_kavrina", kNew);
  setting("Program", "Verzija(001\\)", "1.05 (b)");
  context().CSUBDIRFIRME = "001/";
  ASSERT_TRUE(update());
  EXPECT_EQ(undoNames(undo()), (std::vector<std::string>{"kavrina.105b"}));
}

TEST_F(Update, CutDownloadInstallsNothing) {
  startServer({.cutAfter = 10, .lie = true});
  serve("update_kavrina", kNew + std::string(5000, '#'));
  EXPECT_FALSE(update());
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kConnectionError}));
  expectNothingChanged();
}

TEST_F(Update, NoServerReportsTheConnection) {
  useServer(closedPort());
  EXPECT_FALSE(update());
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kConnectionError}));
  expectNothingChanged();
}

TEST_F(Update, ChecksumOfSwVerIsVerified) {
  startServer();
  serve("update_kavrina", kNew);
  serveVersion("1.08", "17.10.2023", "sha256=" + ui::Sha256::of("another program") + "\r\n");
  EXPECT_FALSE(update());
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{
                "error: Preuzeta nova verzija programa nije ispravna (kontrolni zbir se "
                "ne slaze).\r\nNova verzija nije instalirana. Pokusajte ponovo kasnije."}));
  expectNothingChanged();
  // A checksum that is no SHA-256 at all is refused the same way.
  serveVersion("1.08", "17.10.2023", "sha256=abc\r\n");
  EXPECT_FALSE(update());
  expectNothingChanged();

  serveVersion("1.08", "17.10.2023", "sha256=" + ui::Sha256::of(kNew) + "\r\n");
  EXPECT_TRUE(update());
  EXPECT_EQ(local("kavrina"), kNew);
}

TEST_F(Update, EmptyDownloadIsNotInstalled) {
  startServer();
  serve("update_kavrina", "");
  EXPECT_FALSE(update());
  EXPECT_EQ(dialogs(), (std::vector<std::string>{"error: Nije uspela instalacija nove verzije "
                                                 "programa\r\nPokusajte ponovo kasnije."}));
  expectNothingChanged();
}

TEST_F(Update, FailedRenameIsUndone) {
  fs::create_directory(undo());
  writeFileBytes(undo() / "kavrina.107", "older backup");
  writeLocal("update_kavrina", kNew);
  online::UpdateFiles files{.download = folder() / "update_kavrina",
                            .program = executable(),
                            .undo = undo(),
                            .name = "kavrina",
                            .version = "107"};
  // Rename 1 moves the older backup aside; rename 2 would put the new program in place.
  faults::arm({.op = faults::Op::Rename, .nth = 2, .effect = faults::Effect::Fail});
  EXPECT_FALSE(online::installUpdate(files, fixedTime(9, 0, 0)));
  faults::disarm();
  EXPECT_EQ(local("kavrina"), kOld);
  EXPECT_EQ(undoNames(undo()), (std::vector<std::string>{"kavrina.107"}));
  EXPECT_EQ(readFileBytes(undo() / "kavrina.107"), "older backup");
  // Without the fault the same files install.
  EXPECT_TRUE(online::installUpdate(files, fixedTime(9, 0, 0)));
  EXPECT_EQ(local("kavrina"), kNew);
  EXPECT_EQ(undoNames(undo()),
            (std::vector<std::string>{"kavrina.107", "kavrina_20240315_090000.107"}));
}

TEST_F(Update, FolderThatMayNotBeWrittenLeavesEverythingAsItWas) {
  startServer();
  serve("update_kavrina", kNew);
  // The program folder readable for everyone, writable for no one but root.
  fs::permissions(root_.path(), fs::perms(0755));
  fs::permissions(executable(), fs::perms(0755));
  fs::permissions(folder() / "Kavrina.ini", fs::perms(0644));
  fs::permissions(folder(), fs::perms(0555));
  const int result = asUnprivileged([&] {
    const bool installed = update();
    const std::vector<std::string> expected = {
        "information: Program je instaliran u folder u koji ne moze da upisuje, pa ne moze sam "
        "da se zameni novom verzijom.\r\nNovu verziju instalirajte preko upravljaca paketima "
        "operativnog sistema."};
    return !installed && ui_.transcript() == expected ? 0 : 1;
  });
  fs::permissions(folder(), fs::perms(0755));
  EXPECT_EQ(result, 0);
  expectNothingChanged();
}

// A file that is not a program of this machine, or does not answer "--version", never takes
// the old program's place.
TEST_F(Update, OnlyARunningProgramOfThisMachineReplacesTheOldOne) {
  std::string otherMachine = kNew;
  otherMachine[18] = static_cast<char>(otherMachine[18] == 0x28 ? 0x3e : 0x28);  // e_machine
  const std::string notAProgram =
      "error: Preuzeti fajl nije program za ovaj racunar.\r\nNova verzija nije instalirana; "
      "program ostaje u dosadasnjoj verziji.";
  const std::string doesNotRun =
      "error: Preuzeti program ne moze da se pokrene na ovom racunaru.\r\nNova verzija nije "
      "instalirana; program ostaje u dosadasnjoj verziji.";
  const struct {
    const char* name;
    std::string served;
    std::string message;
  } cases[] = {
      {"zip archive", std::string("PK\x03\x04", 4) + std::string(2000, 'z'), notAProgram},
      {"script", "#!/bin/sh\necho 1.08\n", notAProgram},
      {"other machine", otherMachine, notAProgram},
      {"fails --version", readFileBytes("/usr/bin/false"), doesNotRun},
  };
  startServer();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    serve("update_kavrina", c.served);
    EXPECT_FALSE(update());
    EXPECT_EQ(dialogs().back(), c.message);
    expectNothingChanged();
  }
}

TEST_F(Update, CancelledDownloadLeavesNothing) {
  startServer({.trickle = 20'000});
  serve("update_kavrina", kNew + std::string(400'000, '#'));
  ui_.cancelProgressAt(1000);
  EXPECT_FALSE(update());
  EXPECT_EQ(dialogs(), std::vector<std::string>{});
  EXPECT_NE(ui_.transcript().back().find(", cancelled:"), std::string::npos);
  expectNothingChanged();
}

TEST_F(Update, FullDiskNamesTheFolderNotTheConnection) {
  startServer();
  serve("update_kavrina", kNew + std::string(300'000, '#'));
  faults::arm({.op = faults::Op::Write,
               .nth = 2,
               .effect = faults::Effect::Fail,
               .error = ENOSPC,
               .sticky = true});
  EXPECT_FALSE(update());
  faults::disarm();
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "error: Nema dovoljno mesta na disku u folderu: " + folder().string() +
                           "\r\nOslobodite prostor na disku i pokusajte ponovo."}));
  expectNothingChanged();
}

TEST(UpdateBlocked, SystemPackagesAreLeftToThePackageManager) {
  EXPECT_TRUE(online::updateBlocked("/usr/bin/kavrina"));
  EXPECT_TRUE(online::updateBlocked("/usr/lib/kavrina/kavrina"));
  EXPECT_TRUE(online::updateBlocked(""));
  TempDir writable;
  EXPECT_FALSE(online::updateBlocked(writable.path() / "kavrina"));
  EXPECT_EQ(online::backupVersion("1.07"), "107");
  EXPECT_EQ(online::backupVersion(" 1.0 (7)"), "107");
}

}  // namespace
}  // namespace kavrina::test
