// The error report at start: sent under its report name and erased only once the server
// has it; archived into "Error.zip" when it cannot or may not be sent, the archive written
// aside and renamed, the log never lost; a hostile or damaged archive writes nothing
// outside the program folder and loses nothing.
#include "online/error_report.h"

#include "common/fault_injection.h"
#include "common/os_file.h"
#include "online/error_archive.h"
#include "online/online_texts.h"
#include "online_fixture.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

const std::string kLog = "Program ne moze da pronadje fajl (DBF/Firme.dbf)\r\n\n\r\n\rKavrina 1.07";
const std::string kTxtName = "Error-Kavrina-1_07-20240315_101500.txt";
const std::string kZipName = "Error-Kavrina-1_07-20240315_101500.zip";
const std::string kQuestion =
    "confirmation: Program je evidentirao da je doslo do nepredvidjenog prekida rada programa "
    "Kavrina 1.07\n\rZelite li da informacije o tome (Error.txt/Error.zip) program automatski "
    "posalje firmi Velmar? -> ";

// The members of an archive file, name -> bytes.
std::map<std::string, std::string> members(const fs::path& archive) {
  std::map<std::string, std::string> out;
  const auto read = online::readZipMembers(readFileBytes(archive));
  EXPECT_TRUE(read.has_value()) << archive;
  if (read)
    for (const auto& m : *read) out[m.name] = m.bytes;
  return out;
}

class ErrorReport : public OnlineTest {
 protected:
  void askFirst() { setting("Opste", "Bez upita posalji error fajl", ".F."); }
};

TEST(ReportName, IsBuiltFromProgramVersionDateAndTime) {
  errors::ProgramInfo info;
  info.SW = "Kavrina Plus";
  const online::LocalTime time{Date::fromYmd(2023, 10, 16), 14, 25, 30};
  EXPECT_EQ(online::reportName(info, time, ".txt"), "Error-KavrinaPlus-1_07-20231016_142530.txt");
  EXPECT_EQ(online::reportName(info, {Date::fromYmd(2024, 1, 2), 3, 4, 5}, ".zip"),
            "Error-KavrinaPlus-1_07-20240102_030405.zip");
}

TEST_F(ErrorReport, SentWithItsNameAndErasedWithoutAsking) {
  startServer();
  writeLocal("Error.txt", kLog);
  const std::string archive = online::buildZip({{"Error-Kavrina-1_07-20240101_000000.txt", "old"}});
  writeLocal("Error.zip", archive);
  online::sendErrorReport(context());
  EXPECT_EQ(incoming(), (std::vector<std::string>{kTxtName, kZipName}));
  EXPECT_EQ(readFileBytes(serverRoot() / "incoming" / kTxtName), kLog);
  EXPECT_EQ(readFileBytes(serverRoot() / "incoming" / kZipName), archive);
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
  EXPECT_EQ(ui_.transcript(),
            (std::vector<std::string>{"wait: " + std::string(online::kPrenosUToku),
                                      "wait closed: " + std::string(online::kPrenosUToku)}));
}

TEST_F(ErrorReport, AnsweredNoBecomesMemberOfErrorZipAndIsAskedAgain) {
  startServer();
  askFirst();
  writeLocal("Error.txt", kLog);
  ui_.no();
  online::sendErrorReport(context());
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "No"}));
  EXPECT_TRUE(incoming().empty());
  EXPECT_FALSE(localExists("Error.txt"));
  EXPECT_EQ(members(folder() / "Error.zip"),
            (std::map<std::string, std::string>{{kTxtName, kLog}}));

  // The next start: "Error.zip" exists, so the question comes again; a new log joins the
  // old one in the archive.
  writeLocal("Error.txt", "second failure");
  context().clock = Clock([] { return fixedTime(11, 0, 0); });
  ui_.no();
  online::sendErrorReport(context());
  EXPECT_EQ(dialogs(), (std::vector<std::string>{kQuestion + "No", kQuestion + "No"}));
  EXPECT_EQ(members(folder() / "Error.zip"),
            (std::map<std::string, std::string>{
                {kTxtName, kLog}, {"Error-Kavrina-1_07-20240315_110000.txt", "second failure"}}));
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Error.zip", "Kavrina.ini", "kavrina"}));

  // Answered Yes, the archive goes to the server and is erased.
  ui_.yes();
  online::sendErrorReport(context());
  EXPECT_EQ(incoming(), (std::vector<std::string>{"Error-Kavrina-1_07-20240315_110000.zip"}));
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
}

TEST_F(ErrorReport, NoServerLeavesErrorZipUntouchedWithoutWaiting) {
  const std::string archive = online::buildZip({{"Error-a.txt", "a"}});
  writeLocal("Error.zip", archive);
  online::sendErrorReport(context());
  EXPECT_EQ(ui_.processEventsCount(), 0);  // no wait loop ran
  EXPECT_TRUE(ui_.transcript().empty());
  EXPECT_EQ(local("Error.zip"), archive);
  // With a log, no server means the log is archived (no message about the server).
  writeLocal("Error.txt", kLog);
  online::sendErrorReport(context());
  EXPECT_TRUE(dialogs().empty());
  EXPECT_EQ(members(folder() / "Error.zip"),
            (std::map<std::string, std::string>{{"Error-a.txt", "a"}, {kTxtName, kLog}}));
}

TEST_F(ErrorReport, SettingOffTouchesNothing) {
  startServer();
  setting("Opste", "Posalji error fajl", ".F.");
  writeLocal("Error.txt", kLog);
  online::sendErrorReport(context());
  EXPECT_TRUE(ui_.transcript().empty());
  EXPECT_EQ(local("Error.txt"), kLog);
  EXPECT_TRUE(incoming().empty());
}

TEST_F(ErrorReport, OnlyLogsOfThisProgramStartTheTask) {
  startServer();
  writeLocal("ErrorNotes.txt", "the user's own notes");
  online::sendErrorReport(context());
  EXPECT_TRUE(ui_.transcript().empty());
  EXPECT_EQ(ui_.processEventsCount(), 0);
  EXPECT_EQ(local("ErrorNotes.txt"), "the user's own notes");
  EXPECT_FALSE(localExists("Error.zip"));
}

// Only logs the program wrote are gathered and erased: a user's file that merely matches
// "Error*.txt" stays as it was.
TEST_F(ErrorReport, TheUsersOwnErrorNamedFilesAreNeitherArchivedNorErased) {
  const std::string entry = "failure\n\r\n\rKavrina 1.07 (16.10.2023)\r\nProgram started: x";
  const struct {
    const char* name;
    std::string bytes;
    bool own;
  } files[] = {{"Errors-notes.txt", "the user's notes", false},
               {"ErrorNotes.txt", "more notes", false},
               {"ErrorStari.txt", entry, true}};
  for (const auto& f : files) writeLocal(f.name, f.bytes);
  writeLocal("Error.txt", kLog);
  useNoServer();
  online::sendErrorReport(context());
  const auto archived = members(folder() / "Error.zip");
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(archived.count(f.name), f.own ? 1u : 0u);
    EXPECT_EQ(localExists(f.name), !f.own);
    EXPECT_TRUE(online::isOwnErrorLog(f.name, f.bytes) == f.own);
  }
}

TEST_F(ErrorReport, FailedUploadKeepsTheLogInTheArchive) {
  startServer();
  fs::remove_all(serverRoot() / "incoming");
  writeLocal("Error.txt", kLog);
  online::sendErrorReport(context());
  EXPECT_FALSE(localExists("Error.txt"));
  EXPECT_FALSE(localExists(kTxtName));
  EXPECT_EQ(members(folder() / "Error.zip"),
            (std::map<std::string, std::string>{{kTxtName, kLog}}));
}

TEST_F(ErrorReport, HostileArchiveWritesNothingOutsideTheProgramFolder) {
  // The members "../x", "/tmp/<unique>/abs" and "sub/y" must not be written anywhere; the
  // plain member is kept.
  TempDir outside;
  const std::string absolute = (outside.path() / "abs").string();
  writeLocal("Error.zip", online::buildZip({{"../x", "escape"},
                                            {absolute, "absolute"},
                                            {"sub/y", "folder"},
                                            {"Error-old.txt", "old log"}}));
  writeLocal("Error.txt", kLog);
  const auto before = localNames();
  const auto outcome = online::archiveErrorLogs(folder(), kZipName);
  EXPECT_TRUE(outcome.written);
  EXPECT_EQ(outcome.refusedMembers, 3);
  EXPECT_FALSE(fs::exists(root_.path() / "x"));
  EXPECT_FALSE(fs::exists(absolute));
  EXPECT_FALSE(fs::exists(folder() / "sub"));
  EXPECT_FALSE(fs::exists(folder() / "x"));
  EXPECT_EQ(
      members(folder() / "Error.zip"),
      (std::map<std::string, std::string>{{"Error-old.txt", "old log"}, {"Error.txt", kLog}}));
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Error.zip", "Kavrina.ini", "kavrina"}));
}

TEST_F(ErrorReport, DamagedArchiveIsKeptWholeAsAMember) {
  const std::string damaged = "PK\x03\x04 this is not a whole archive";
  writeLocal("Error.zip", damaged);
  writeLocal("Error.txt", kLog);
  online::sendErrorReport(context());
  EXPECT_EQ(members(folder() / "Error.zip"),
            (std::map<std::string, std::string>{{kTxtName, kLog}, {kZipName, damaged}}));
  // A member whose bytes do not match its CRC-32 makes the archive damaged too.
  std::string noise;
  for (unsigned i = 0, state = 7; i < 4000; ++i)
    noise += static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
  std::string zip = online::buildZip({{"Error-a.txt", noise}});
  ASSERT_TRUE(online::readZipMembers(zip).has_value());
  zip[zip.find("Error-a.txt") + 1000] ^= 0x55;
  EXPECT_FALSE(online::readZipMembers(zip).has_value());
}

TEST_F(ErrorReport, ArchiveThatCannotBeRenamedLosesNothing) {
  const std::string archive = online::buildZip({{"Error-a.txt", "a"}});
  writeLocal("Error.zip", archive);
  writeLocal("Error.txt", kLog);
  // The first rename gives Error.txt its report name; the second, the archive's, fails.
  faults::arm({.op = faults::Op::Rename, .nth = 2, .effect = faults::Effect::Fail});
  online::sendErrorReport(context());
  faults::disarm();
  EXPECT_EQ(local("Error.zip"), archive);
  EXPECT_EQ(local(kTxtName), kLog);
  EXPECT_EQ(localNames(),
            (std::vector<std::string>{kTxtName, "Error.zip", "Kavrina.ini", "kavrina"}));
  // The next start gathers the left-over log.
  online::sendErrorReport(context());
  EXPECT_EQ(members(folder() / "Error.zip"),
            (std::map<std::string, std::string>{{"Error-a.txt", "a"}, {kTxtName, kLog}}));
  EXPECT_FALSE(localExists(kTxtName));
}

TEST_F(ErrorReport, ArchiveHeldByAnotherStationIsLeftToIt) {
  writeLocal("Error.zip", online::buildZip({{"Error-a.txt", "a"}}));
  writeLocal("Error-b.txt", "b");
  OsFile other;
  ASSERT_EQ(
      other.openShareLocked(folder() / "Error.zip", OsFile::Access::ReadWrite, LockKind::Write), 0);
  const auto outcome = online::archiveErrorLogs(folder(), kZipName);
  EXPECT_TRUE(outcome.busyElsewhere);
  EXPECT_FALSE(outcome.written);
  EXPECT_EQ(local("Error-b.txt"), "b");
}

TEST(ErrorArchive, MemberNamesAndLogNames) {
  for (const char* plain : {"Error.txt", "Error-Kavrina-1_07-20231016_142530.txt", "a b.txt"})
    EXPECT_TRUE(online::isPlainMemberName(plain)) << plain;
  for (const char* bad : {"", ".", "..", "../x", "/etc/x", "a/b", "a\\b", "C:x", "a\nb"})
    EXPECT_FALSE(online::isPlainMemberName(bad)) << bad;
  EXPECT_TRUE(online::isErrorLogName("Error.txt"));
  EXPECT_TRUE(online::isErrorLogName("ERROR-x.TXT"));
  EXPECT_FALSE(online::isErrorLogName("Error.zip"));
  EXPECT_FALSE(online::isErrorLogName("MyError.txt"));
}

}  // namespace
}  // namespace kavrina::test
