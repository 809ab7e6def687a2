// Remote support: the program downloaded only on Yes, whole, checked and executable, then
// started detached (a script that leaves a marker) and started again later without any
// network; the failures with their exact messages and nothing left behind.
#include "online/remote_support.h"

#include <chrono>
#include <thread>

#include "online/online_services.h"
#include "online_fixture.h"
#include "ui/ftp/sha256.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

const std::string kQuestion =
    "confirmation: Program za daljinsku podrsku nije instaliran na vasem racunaru.\r\n\r\nZelite "
    "li da preuzmete program sa Velmar servera? -> ";
const std::string kClickOk =
    "information: Kliknite na Ok i sacekajte da se pokrene program za daljinsku podrsku.";
const std::string kNoAccess =
    "error: Program nije uspeo da pristupi Velmar serveru.\r\nProverite vasu internet konekciju i "
    "pokusajte ponovo kasnije.";
const std::string kTransferFailed =
    "error: Nije uspeo prenos programa za daljinsku podrsku sa Velmar servera.\r\nPokusajte "
    "ponovo kasnije.";

// A support program that appends a line to "started" beside itself each time it runs.
const std::string kScript = "#!/bin/sh\necho started >> \"$(dirname \"$0\")/started\"\n";

// Waits up to five seconds for the marker to hold `lines` lines.
bool waitForStarts(const fs::path& marker, std::size_t lines) {
  for (int i = 0; i < 500; ++i) {
    const std::string text = readFileBytes(marker);
    if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

class RemoteSupport : public OnlineTest {};

TEST_F(RemoteSupport, DownloadedStartedAndLaterStartedWithoutNetwork) {
  startServer();
  serve("vmdpu", kScript);
  shell_.reallyStart = true;
  ui_.yes();
  EXPECT_EQ(online::runMenuEntry(context(), online::MenuEntry::OnlinePodrskaVM),
            online::Outcome::Continue);
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "Yes", kClickOk}));
  EXPECT_EQ(ui_.transcript()[1], "progress 0..0: Preuzimanje programa u toku. Molim sacekajte...");
  EXPECT_EQ(local("vmdpu"), kScript);
  EXPECT_EQ(fs::status(folder() / "vmdpu").permissions() & fs::perms::owner_exec,
            fs::perms::owner_exec);
  ASSERT_TRUE(waitForStarts(folder() / "started", 1));

  // Later, without any server: no question, no network, started again.
  server_.reset();
  useNoServer();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs().back(), kClickOk);
  EXPECT_EQ(ui_.unusedAnswers(), 0u);
  ASSERT_TRUE(waitForStarts(folder() / "started", 2));
  EXPECT_EQ(shell_.calls, (std::vector<std::string>{"start vmdpu", "start vmdpu"}));
}

TEST_F(RemoteSupport, AnsweredNoDoesNothing) {
  startServer();
  serve("impcr", kScript);
  ui_.no();
  online::ONLINEPODRSKA(context(), online::kImPcRemote);
  EXPECT_EQ(ui_.transcript(), (std::vector<std::string>{kQuestion + "No"}));
  EXPECT_FALSE(localExists("impcr"));
  EXPECT_TRUE(shell_.calls.empty());
}

TEST_F(RemoteSupport, UnreachableServerWritesNothing) {
  useServer(closedPort());
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kImPcRemote);
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "Yes", kNoAccess}));
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
}

TEST_F(RemoteSupport, StalledServerCountsAsUnreachableWhileEventsRun) {
  StalledServer stalled;
  useServer(stalled.port());
  context().connectLimit = std::chrono::milliseconds(600);
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "Yes", kNoAccess}));
  EXPECT_GT(ui_.processEventsCount(), 10);
}

TEST_F(RemoteSupport, CutOrMissingDownloadIsNeverStarted) {
  startServer({.cutAfter = 20});
  serve("vmdpu", kScript + std::string(4000, '#'));
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "Yes", kTransferFailed}));
  // Not on the server at all: the same.
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kImPcRemote);
  EXPECT_EQ(dialogs().back(), kTransferFailed);
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
}

TEST_F(RemoteSupport, ChecksumBesideTheProgramIsVerified) {
  startServer();
  serve("vmdpu", kScript);
  serve("vmdpu.sha256", ui::Sha256::of("tampered") + "  vmdpu\n");
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs().back(),
            "error: Preuzeti program za daljinsku podrsku nije ispravan (kontrolni zbir se ne "
            "slaze).\r\nProgram nije sacuvan. Pokusajte ponovo kasnije.");
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));

  serve("vmdpu.sha256", ui::Sha256::of(kScript) + "  vmdpu\n");
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs().back(), kClickOk);
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina", "vmdpu"}));
}

// The server refuses SIZE, announces nothing, ends a short transfer with 226 and offers no
// checksum: what arrived is not saved, let alone run. With a checksum the same server is
// trusted.
TEST_F(RemoteSupport, UnprovenDownloadIsNeverRun) {
  const std::string program = kScript + std::string(200'000, '#');
  startServer({.cutAfter = 100'000, .lie = true, .refuseSize = true});
  serve("vmdpu", program);
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{
                kQuestion + "Yes",
                "error: Nije moguce proveriti da li je program za daljinsku podrsku preuzet u "
                "celosti (server nije naveo velicinu fajla ni kontrolni zbir).\r\nProgram nije "
                "sacuvan. Pokusajte ponovo kasnije."}));
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));

  server_.reset();
  startServer({.refuseSize = true});
  serve("vmdpu.sha256", ui::Sha256::of(program) + "  vmdpu\n");
  ui_.yes();
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs().back(), kClickOk);
  EXPECT_EQ(local("vmdpu"), program);
}

TEST_F(RemoteSupport, CancelledDownloadLeavesNothing) {
  startServer({.trickle = 20'000});
  serve("vmdpu", kScript + std::string(400'000, '#'));
  ui_.yes().cancelProgressAt(1000);
  online::ONLINEPODRSKA(context(), online::kVelmarSupport);
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "Yes"}));
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
}

TEST_F(RemoteSupport, ProgramThatCannotStartIsReported) {
  writeLocal("impcr", "not a program");
  fs::permissions(folder() / "impcr", fs::perms(0644));
  shell_.reallyStart = true;
  online::ONLINEPODRSKA(context(), online::kImPcRemote);
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           kClickOk,
                           "error: Program za daljinsku podrsku nije moguce pokrenuti.\r\n"
                           "Proverite da li fajl postoji i da li ima dozvolu za pokretanje: " +
                               (folder() / "impcr").string()}));
}

}  // namespace
}  // namespace kavrina::test
