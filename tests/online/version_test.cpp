// The version check at start and the manual one: which dates are offered, the release
// notes shown once, "sw_ver.ini" never left behind, and the exact texts.
#include "common/aside_file.h"
#include "online/online_services.h"
#include "online/online_texts.h"
#include "online/version_check.h"
#include "online_fixture.h"

namespace kavrina::test {
namespace {

const std::string kOffer =
    "confirmation: Na Velmar serveru je postavljena nova verzija programa Kavrina.\n\r\n\rZelite "
    "li da instalirate verziju programa Kavrina 1.08 od 17.10.2023? -> ";

class VersionCheck : public OnlineTest {};

TEST_F(VersionCheck, NewerDateIsOfferedAndReleaseNotesShownOnce) {
  startServer();
  serveVersion("1.08", "17.10.2023");
  serve("update_kavrina.txt", "Novo u verziji 1.08");
  ui_.no();
  EXPECT_FALSE(online::checkVersionAtStart(context()));
  EXPECT_EQ(ui_.transcript(), (std::vector<std::string>{
                                  "wait: " + std::string(online::kProveraVerzije), kOffer + "No",
                                  "wait closed: " + std::string(online::kProveraVerzije)}));
  EXPECT_EQ(shell_.calls, (std::vector<std::string>{"open update_kavrina.txt"}));
  EXPECT_EQ(local("update_kavrina.txt"), "Novo u verziji 1.08");
  EXPECT_FALSE(localExists("sw_ver.ini"));

  // While the local copy exists, the notes are neither fetched nor shown again.
  serve("update_kavrina.txt", "changed on the server");
  ui_.no();
  online::checkVersionAtStart(context());
  EXPECT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(local("update_kavrina.txt"), "Novo u verziji 1.08");
}

TEST_F(VersionCheck, EqualEarlierOrUnreadableDatesAreNotOffered) {
  startServer();
  for (const char* datum : {"16.10.2023", "01.01.2020", "2023-10-17", ""}) {
    SCOPED_TRACE(datum);
    serveVersion("1.08", datum);
    online::checkVersionAtStart(context());
  }
  // "sw_ver.ini" without the keys: the defaults are no date either.
  serve("sw_ver.ini", "[Drugi program]\r\ndatum=01.01.2030\r\n");
  online::checkVersionAtStart(context());
  EXPECT_TRUE(dialogs().empty());
  EXPECT_FALSE(localExists("sw_ver.ini"));
}

TEST_F(VersionCheck, SettingOffOrNoServerDoesNothing) {
  startServer();
  serveVersion("1.08", "17.10.2023");
  serve("update_kavrina.txt", "notes");
  setting("Opste", "Provera Nove Verzije", ".F.");
  online::checkVersionAtStart(context());
  EXPECT_TRUE(ui_.transcript().empty());
  setting("Opste", "Provera Nove Verzije", ".T.");
  useNoServer();
  online::checkVersionAtStart(context());
  EXPECT_TRUE(dialogs().empty());
  EXPECT_EQ(ui_.processEventsCount(), 0);
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
}

TEST_F(VersionCheck, ManualCheckShowsTheServerVersionWhateverIsInstalled) {
  startServer();
  serveVersion("1.06", "01.01.2023", "info=Ispravka obracuna\r\n");
  online::ProveriVerzijuPrograma(context());
  serveVersion("1.08", "17.10.2023");
  online::ProveriVerzijuPrograma(context());
  serve("sw_ver.ini", "[Kavrina]\r\nverzija=1.08\r\n");
  online::ProveriVerzijuPrograma(context());
  EXPECT_EQ(
      dialogs(),
      (std::vector<std::string>{
          "information: Aktuelna verzija programa je: 1.06 od 01.01.2023\r\nIspravka obracuna",
          "information: Aktuelna verzija programa je: 1.08 od 17.10.2023",
          "information: Podaci o aktuelnoj verziji programa trenutno nisu dostupni."}));
  EXPECT_FALSE(localExists("sw_ver.ini"));
}

TEST_F(VersionCheck, ManualCheckWithoutServerNamesTheHost) {
  useServer(closedPort());
  writeLocal("sw_ver.ini", "[Kavrina]\r\nverzija=0.99\r\ndatum=01.01.2000\r\n");
  online::ProveriVerzijuPrograma(context());
  // A stale local copy is not taken for the server's answer.
  EXPECT_EQ(ui_.transcript(),
            (std::vector<std::string>{
                "wait: Pristupanje serveru u toku. Molim sacekajte...",
                "error: Nije uspela konekcija na server 127.0.0.1\r\nProverite vasu internet "
                "konekciju i pokusajte ponovo kasnije.",
                "wait closed: Pristupanje serveru u toku. Molim sacekajte..."}));
  EXPECT_FALSE(localExists("sw_ver.ini"));
}

TEST_F(VersionCheck, AcceptedVersionIsInstalledAndEndsTheProgram) {
  startServer();
  serveVersion("1.08", "17.10.2023");
  serve("update_kavrina", runnableProgram("1.08"));
  writeLocal("Error.txt", "log");
  ui_.yes();
  EXPECT_EQ(online::fOSMainOnShow(context()), online::Outcome::EndProgram);
  EXPECT_EQ(local("kavrina"), runnableProgram("1.08"));
  // The error report went first, over its own connection.
  EXPECT_EQ(incoming(), (std::vector<std::string>{"Error-Kavrina-1_07-20240315_101500.txt"}));
  EXPECT_FALSE(online::networkTaskRunning());
}

// Whatever the server does, the start's tasks give up within their time budget: a version
// file or notes that trickle or stall end the start without a message, and nothing stays.
TEST_F(VersionCheck, TricklingOrStallingServerCannotHoldTheStart) {
  const struct {
    const char* name;
    FtpServerOptions options;
    std::chrono::milliseconds smallFileLimit;
  } cases[] = {
      {"trickling notes, own limit", {.trickle = 40}, std::chrono::milliseconds(800)},
      {"stalled notes, start budget", {.stallAfter = 10}, std::chrono::milliseconds(60'000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    startServer(c.options);
    serveVersion("1.07", "16.10.2023");
    serve("update_kavrina.txt", std::string(5000, 'n'));
    context().startLimit = std::chrono::milliseconds(2500);
    context().smallFileLimit = c.smallFileLimit;
    EXPECT_EQ(online::fOSMainOnShow(context()), online::Outcome::Continue);
    EXPECT_EQ(ui_.messages(), std::vector<std::string>{});
    EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
    EXPECT_NE(ftp_.lastFailure(), ui::FtpFailure::None);
  }
}

// What downloads killed part-way left beside the program goes at the next start, however
// young, once no one holds it; a download of another copy under way holds its file, and it
// stays, as do other files.
TEST_F(VersionCheck, StrayDownloadsOfAnEarlierRunGoAtStart) {
  useNoServer();
  kavrina::AsideFile underWay;
  ASSERT_EQ(underWay.create(folder() / "update_kavrina"), 0);
  const struct {
    const char* name;
    int ageSeconds;
    bool stays;
  } files[] = {
      {".update_kavrina.0123456789ab.tmp", 120, false},
      {".vmdpu.00aa11bb22cc.tmp", 3600, false},
      {".impcr.00aa11bb22cd.tmp", 5, false},
      {".notes.tmp", 3600, true},
      {"update_kavrina.0123456789ab.tmp", 3600, true},
  };
  for (const auto& f : files) {
    writeLocal(f.name, "part");
    std::filesystem::last_write_time(
        folder() / f.name,
        std::filesystem::file_time_type::clock::now() - std::chrono::seconds(f.ageSeconds));
  }
  online::fOSMainOnShow(context());
  for (const auto& f : files) EXPECT_EQ(localExists(f.name), f.stays) << f.name;
  EXPECT_TRUE(std::filesystem::exists(underWay.path()));
}

// Failures that are not the connection's are named for what they are.
TEST_F(VersionCheck, ManualCheckNamesTheRealCause) {
  useNoServer();
  online::ProveriVerzijuPrograma(context());
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "error: Server nije podesen: u fajlu Kavrina.ini, odeljak Server, "
                           "nije upisan \"Host\".\r\nUpisite adresu servera u odeljak Server "
                           "fajla Kavrina.ini i pokusajte ponovo."}));
  startServer();
  serveVersion("1.08", "17.10.2023");
  setting("Server", "TLS", "true");
  online::ProveriVerzijuPrograma(context());
  EXPECT_EQ(dialogs().back(),
            (std::string("error: Server ne nudi sifrovanu vezu (TLS): 127.0.0.1\r\nProverite "
                         "podesavanje \"TLS\" u odeljku Server fajla Kavrina.ini.")));
}

}  // namespace
}  // namespace kavrina::test
