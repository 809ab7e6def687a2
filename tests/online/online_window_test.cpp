// The online services with Qt: the window keeps processing its events (a timer fires) while
// a connection stalls; the Info menu offers the online entries; and the real program, at
// its first show, sends the error report and fetches the release notes from the server.
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/tfosmain.h"
#include "common/os_file.h"
#include "errors/end_program.h"
#include "online/online_services.h"
#include "online_fixture.h"
#include "store/database.h"
#include "store/program_folder.h"
#include "support/process.h"
#include "ui/qt/qt_user_interface.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class OnlineWindow : public OnlineTest {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "online_window_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }
  static std::unique_ptr<QApplication> app_;
};

std::unique_ptr<QApplication> OnlineWindow::app_;

TEST_F(OnlineWindow, TimerFiresWhileTheConnectionStalls) {
  StalledServer stalled;
  useServer(stalled.port());
  ui::QtUserInterface qtUi;
  ui::CurlFtpClient ftp([&qtUi] { qtUi.processEvents(); });
  online::OnlineContext context{.info = info_,
                                .settings = settings_,
                                .ui = qtUi,
                                .ftp = ftp,
                                .shell = shell_,
                                .executable = executable(),
                                .CSUBDIRFIRME = "",
                                .connectLimit = std::chrono::milliseconds(1500)};
  int fired = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&fired] { ++fired; });
  timer.start(100);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(online::connect(context));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(1500));
  // Ten ticks of the timer in 1.5 seconds, give or take a loaded machine.
  EXPECT_GE(fired, 8);
  ftp.Close();
}

TEST_F(OnlineWindow, InfoMenuOffersTheOnlineEntries) {
  ProgramFolder data;
  store::DBOPENALL(data.program());
  app::TFOSMAIN window(data.program(), {});
  std::map<std::string, bool> enabled;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->menu() != nullptr)
        walk(action->menu());
      else if (!action->isSeparator())
        enabled[action->text().toStdString()] = action->isEnabled();
    }
  };
  walk(window.PopupMenuInfo);
  for (const char* entry :
       {"Velmar", "Im Pc Remote", "Proveri aktuelnu verziju", "Preuzmi aktuelnu verziju"})
    EXPECT_TRUE(enabled[entry]) << entry;
  ASSERT_NE(window.Ftp1, nullptr);
}

// The window closed while the start's tasks wait for a trickling server: the tasks give up
// at once, fetch nothing more and open nothing.
TEST_F(OnlineWindow, ClosingTheWindowEndsTheStartTasks) {
  startServer({.trickle = 20});
  serveVersion("1.07", "16.10.2023");
  serve("update_kavrina.txt", std::string(5000, 'n'));
  ProgramFolder data;
  store::DBOPENALL(data.program());
  ui::QtUserInterface qtUi;
  data.program().ui = &qtUi;
  app::TFOSMAIN* window = nullptr;
  bool ended = false;
  app::CommandHooks hooks;
  hooks.fOSMainOnShow = [&](store::Program&) {
    online::OnlineContext context{.info = info_,
                                  .settings = settings_,
                                  .ui = qtUi,
                                  .ftp = *window->Ftp1,
                                  .shell = shell_,
                                  .executable = executable(),
                                  .CSUBDIRFIRME = ""};
    const bool end = online::fOSMainOnShow(context) == online::Outcome::EndProgram;
    ended = true;
    return end;
  };
  app::TFOSMAIN main(data.program(), hooks);
  window = &main;
  qtUi.setParentWindow(&main);
  bool closed = false;
  QTimer::singleShot(700, &main, [&] { closed = main.close(); });
  main.show();
  for (int i = 0; i < 3000 && !ended; ++i) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(closed);
  ASSERT_TRUE(ended);
  EXPECT_TRUE(main.Ftp1->cancelled());
  EXPECT_FALSE(localExists("update_kavrina.txt"));
  EXPECT_FALSE(localExists("sw_ver.ini"));
  EXPECT_TRUE(shell_.calls.empty());
}

// Another station holds the register alone: the window's start names the table and ends the
// program in order, before any list reads it.
TEST_F(OnlineWindow, StartWithTheRegisterHeldElsewhereNamesTheTableAndEnds) {
  for (const char* held : {"DBF/Firme.dbf", "DBF/MDOS.dbf"}) {
    SCOPED_TRACE(held);
    ProgramFolder data;
    store::DBOPENALL(data.program());
    data.program().areas.closeAll();
    OsFile station;
    ASSERT_EQ(
        station.openShareLocked(data.path() / held, OsFile::Access::ReadWrite, LockKind::Write), 0);
    int exitCode = 0;
    try {
      app::TFOSMAIN window(data.program(), {});
    } catch (const errors::EndProgram& end) {
      exitCode = end.exitCode();
    }
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(data.ui().messages(),
              std::vector<std::string>{"Drugi korisnik trenutno koristi tabelu " +
                                       std::string(held) + ". Pokusajte kasnije."});
  }
}

TEST_F(OnlineWindow, RunningProgramSendsItsReportAndFetchesTheNotes) {
  startServer();
  serveVersion("1.07", "16.10.2023");
  serve("update_kavrina.txt", "Novo u verziji");
  writeLocal("Error.txt", "failure of an earlier run");
  fs::create_directories(folder() / "tmp");
  const char* temp = std::getenv("TEMP");
  const std::string previousTemp = temp != nullptr ? temp : "";
  ::setenv("KAVRINA_HOME", folder().c_str(), 1);
  ::setenv("TEMP", (folder() / "tmp").c_str(), 1);
  const pid_t program = startProcess(KAVRINA_PROGRAM, {});
  ::unsetenv("KAVRINA_HOME");
  if (previousTemp.empty())
    ::unsetenv("TEMP");
  else
    ::setenv("TEMP", previousTemp.c_str(), 1);
  bool done = false;
  for (int i = 0; i < 600 && !done; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto sent = incoming();
    done = sent.size() == 1 && !localExists("Error.txt") && localExists("update_kavrina.txt");
  }
  ::kill(program, SIGTERM);
  waitProcess(program);
  ASSERT_TRUE(done);
  const std::string sent = incoming().front();
  EXPECT_TRUE(sent.starts_with("Error-Kavrina-1_07-") && sent.ends_with(".txt")) << sent;
  EXPECT_EQ(readFileBytes(serverRoot() / "incoming" / sent), "failure of an earlier run");
  EXPECT_EQ(local("update_kavrina.txt"), "Novo u verziji");
  EXPECT_FALSE(localExists("sw_ver.ini"));
}

}  // namespace
}  // namespace kavrina::test
