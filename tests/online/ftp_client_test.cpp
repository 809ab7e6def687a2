// The FTP client against the real test server: whole files both ways, the directory, the
// failures (no server, refused, stalled, wrong account, cut transfers, missing files,
// checksums, a full disk) each leaving nothing behind, and TLS with a verified certificate.
#include <sys/stat.h>

#include <chrono>

#include "common/fault_injection.h"
#include "online_fixture.h"
#include "ui/ftp/sha256.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using ui::FtpFailure;

// Every byte value, then pseudo-random bytes: `size` bytes in all.
std::string binaryBytes(std::size_t size) {
  std::string bytes;
  for (int i = 0; i < 256 && bytes.size() < size; ++i) bytes += static_cast<char>(i);
  unsigned state = 12345;
  while (bytes.size() < size) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 16);
  }
  return bytes;
}

class FtpClient : public OnlineTest {
 protected:
  bool connectNow() { return online::connect(context()); }
};

TEST_F(FtpClient, ReceivesAndSendsWholeFilesByteForByte) {
  startServer();
  const std::string bytes = binaryBytes(700'000);
  serve("update_kavrina", bytes);
  ASSERT_TRUE(connectNow());
  ASSERT_TRUE(ftp_.ReceiveFile("update_kavrina", folder() / "update_kavrina"));
  EXPECT_EQ(local("update_kavrina"), bytes);
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::None);

  ASSERT_TRUE(ftp_.ChangeDirectory("incoming"));
  ASSERT_TRUE(ftp_.SendFile(folder() / "update_kavrina", "Error-x.txt"));
  EXPECT_EQ(readFileBytes(serverRoot() / "incoming" / "Error-x.txt"), bytes);
  // The directory stays changed: a file of the login directory is not found from here.
  EXPECT_FALSE(ftp_.ReceiveFile("update_kavrina", folder() / "again"));
  EXPECT_FALSE(localExists("again"));
  ftp_.Close();
  EXPECT_FALSE(ftp_.Active());
}

TEST_F(FtpClient, MissingDirectoryOrFileFailsAndLeavesNothing) {
  startServer();
  writeLocal("sw_ver.ini", "old copy");
  ASSERT_TRUE(connectNow());
  EXPECT_FALSE(ftp_.ChangeDirectory("nowhere"));
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::Transfer);
  EXPECT_FALSE(ftp_.ReceiveFile("sw_ver.ini", folder() / "sw_ver.ini"));
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::Transfer);
  // The earlier local file is untouched and no aside file is left.
  EXPECT_EQ(local("sw_ver.ini"), "old copy");
  EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina", "sw_ver.ini"}));
  // An upload outside "incoming" is refused by the server: not reported as sent.
  EXPECT_FALSE(ftp_.SendFile(executable(), "kavrina"));
  EXPECT_FALSE(fs::exists(serverRoot() / "kavrina"));
}

TEST_F(FtpClient, NoServerFailsAtOnceWithoutWaiting) {
  // No wait loop ran: the window's events were never pumped.
  EXPECT_FALSE(connectNow());
  EXPECT_EQ(ui_.processEventsCount(), 0);
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::NoServer);
  EXPECT_FALSE(ftp_.ReceiveFile("sw_ver.ini", folder() / "sw_ver.ini"));
  EXPECT_FALSE(localExists("sw_ver.ini"));
}

TEST_F(FtpClient, RefusedConnectionAndWrongPasswordAreNotActive) {
  useServer(closedPort());
  EXPECT_FALSE(connectNow());
  startServer();
  setting("Server", "Lozinka", "wrong");
  EXPECT_FALSE(connectNow());
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::NotConnected);
  setting("Server", "Lozinka", kFtpPassword);
  EXPECT_TRUE(connectNow());
}

TEST_F(FtpClient, StalledServerIsGivenUpAfterTheLimitWhileEventsRun) {
  StalledServer stalled;
  useServer(stalled.port());
  context().connectLimit = std::chrono::milliseconds(800);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(connectNow());
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(800));
  // The window's events ran all along, every few milliseconds.
  EXPECT_GT(ui_.processEventsCount(), 20);
  ftp_.Close();
}

TEST_F(FtpClient, TransferCutShortLeavesNoFile) {
  // The server aborts (426), or claims success (226) with bytes missing: both are caught.
  for (bool lie : {false, true}) {
    SCOPED_TRACE(lie ? "226 after a cut" : "426 after a cut");
    startServer({.cutAfter = 100'000, .lie = lie});
    serve("vmdpu", binaryBytes(400'000));
    ASSERT_TRUE(connectNow());
    EXPECT_FALSE(ftp_.ReceiveFile("vmdpu", folder() / "vmdpu", {.sha256 = {}, .executable = true}));
    EXPECT_EQ(ftp_.lastFailure(), FtpFailure::Incomplete);
    EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
    ftp_.Close();
  }
}

TEST_F(FtpClient, ChecksumAndExecutePermission) {
  startServer();
  const std::string program = "#!/bin/sh\nexit 0\n";
  serve("impcr", program);
  ASSERT_TRUE(connectNow());
  EXPECT_FALSE(ftp_.ReceiveFile("impcr", folder() / "impcr",
                                {.sha256 = ui::Sha256::of("something else"), .executable = true}));
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::Checksum);
  EXPECT_FALSE(localExists("impcr"));
  // Upper-case digits are the same checksum.
  std::string upper = ui::Sha256::of(program);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_TRUE(ftp_.ReceiveFile("impcr", folder() / "impcr", {.sha256 = upper, .executable = true}));
  struct stat info;
  ASSERT_EQ(::stat((folder() / "impcr").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
}

TEST_F(FtpClient, FailedLocalWriteLeavesNoFile) {
  // A full disk is told from other failures of the local file.
  const struct {
    int error;
    FtpFailure failure;
  } cases[] = {
      {ENOSPC, FtpFailure::NoSpace}, {EDQUOT, FtpFailure::NoSpace}, {EIO, FtpFailure::LocalFile}};
  startServer();
  serve("update_kavrina", binaryBytes(300'000));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    ASSERT_TRUE(connectNow());
    faults::arm({.op = faults::Op::Write,
                 .nth = 3,
                 .effect = faults::Effect::Fail,
                 .error = c.error,
                 .sticky = true});
    EXPECT_FALSE(ftp_.ReceiveFile("update_kavrina", folder() / "update_kavrina"));
    faults::disarm();
    EXPECT_EQ(ftp_.lastFailure(), c.failure);
    EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
  }
}

// Completeness proven or not: a size the server announces (right or wrong) or a checksum.
TEST_F(FtpClient, ProgramIsTakenOnlyWhenItsCompletenessIsProven) {
  const std::string program = binaryBytes(50'000);
  const struct {
    const char* name;
    FtpServerOptions options;
    bool withChecksum;
    FtpFailure failure;
  } cases[] = {
      {"size announced", {}, false, FtpFailure::None},
      {"size refused, checksum", {.refuseSize = true}, true, FtpFailure::None},
      {"size refused, no checksum", {.refuseSize = true}, false, FtpFailure::Unverified},
      {"size refused, cut, 226",
       {.cutAfter = 20'000, .lie = true, .refuseSize = true},
       false,
       FtpFailure::Unverified},
      {"size a lie", {.announcedSize = 60'000}, false, FtpFailure::Incomplete},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    startServer(c.options);
    serve("vmdpu", program);
    ASSERT_TRUE(connectNow());
    const bool taken = ftp_.ReceiveFile(
        "vmdpu", folder() / "vmdpu",
        {.sha256 = c.withChecksum ? ui::Sha256::of(program) : "", .proofRequired = true});
    EXPECT_EQ(taken, c.failure == FtpFailure::None);
    EXPECT_EQ(ftp_.lastFailure(), c.failure) << ftp_.lastErrorText();
    EXPECT_EQ(localExists("vmdpu"), taken);
    if (taken) {
      EXPECT_EQ(local("vmdpu"), program);
    }
    fs::remove(folder() / "vmdpu");
    ftp_.Close();
  }
}

// A trickle or a stall ends at the file's own limit or the client's budget; a cancel from the
// progress callback or from the window at once; every later operation of a cancelled client
// fails without a word to the server.
TEST_F(FtpClient, DeadlinesAndCancelEndADownload) {
  const std::string file = binaryBytes(100'000);
  const struct {
    const char* name;
    FtpServerOptions options;
    std::chrono::milliseconds limit;
    std::optional<std::chrono::milliseconds> budget;
    bool cancelFromProgress;
    FtpFailure failure;
  } cases[] = {
      {"trickle, own limit",
       {.trickle = 2'000},
       std::chrono::milliseconds(500),
       {},
       false,
       FtpFailure::TimedOut},
      {"stall, budget",
       {.stallAfter = 1'000},
       {},
       std::chrono::milliseconds(800),
       false,
       FtpFailure::TimedOut},
      {"trickle, cancelled", {.trickle = 2'000}, {}, {}, true, FtpFailure::Cancelled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    startServer(c.options);
    serve("update_kavrina", file);
    ASSERT_TRUE(connectNow());
    ftp_.setTimeBudget(c.budget);
    std::uint64_t seen = 0;
    std::int64_t announced = 0;
    const bool received =
        ftp_.ReceiveFile("update_kavrina", folder() / "update_kavrina",
                         {.limit = c.limit, .progress = [&](std::uint64_t got, std::int64_t total) {
                            seen = got;
                            announced = total;
                            return !c.cancelFromProgress || got < 500;
                          }});
    ftp_.setTimeBudget(std::nullopt);
    EXPECT_FALSE(received);
    EXPECT_EQ(ftp_.lastFailure(), c.failure);
    EXPECT_LT(seen, file.size());
    EXPECT_EQ(announced, static_cast<std::int64_t>(file.size()));
    EXPECT_EQ(localNames(), (std::vector<std::string>{"Kavrina.ini", "kavrina"}));
  }
  // Cancelled for good: the connect fails at once, and so does every transfer.
  startServer();
  ftp_.cancel();
  EXPECT_FALSE(connectNow());
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::Cancelled);
  EXPECT_FALSE(ftp_.ReceiveFile("update_kavrina", folder() / "update_kavrina"));
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::Cancelled);
}

TEST_F(FtpClient, TlsWithVerifiedCertificate) {
  FtpServer& server = startServer({.tls = true});
  serve("sw_ver.ini", "[Kavrina]\r\nverzija=1.08\r\n");
  setting("Server", "TLS", "true");
  // The server's certificate is not one the system trusts: no connection.
  EXPECT_FALSE(connectNow());
  // Trusted, the whole session runs over TLS.
  ui::FtpEndpoint endpoint = online::readEndpoint(settings_);
  ASSERT_TRUE(endpoint.tls);
  endpoint.caFile = server.certificate().string();
  ftp_.configure(endpoint);
  ftp_.Open();
  while (ftp_.Busy()) {
  }
  ASSERT_TRUE(ftp_.Active()) << ftp_.lastErrorText();
  EXPECT_TRUE(ftp_.ReceiveFile("sw_ver.ini", folder() / "sw_ver.ini"));
  EXPECT_TRUE(ftp_.ChangeDirectory("incoming"));
  EXPECT_TRUE(ftp_.SendFile(folder() / "sw_ver.ini", "Error-t.txt"));
  ftp_.Close();

  // TLS asked for, and a server that does not offer it: not connected in the clear.
  server_.reset();
  startServer();
  setting("Server", "TLS", ".T.");
  EXPECT_FALSE(connectNow());
  EXPECT_EQ(ftp_.lastFailure(), FtpFailure::NoTls);
}

TEST(Sha256, KnownDigestsAndChecksumFiles) {
  EXPECT_EQ(ui::Sha256::of(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(ui::Sha256::of("abc"),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string digest = ui::Sha256::of("abc");
  EXPECT_EQ(ui::parseSha256(digest), digest);
  EXPECT_EQ(ui::parseSha256("  " + digest + "  vmdpu\n"), digest);
  EXPECT_EQ(ui::parseSha256(digest.substr(0, 63)), "");
  EXPECT_EQ(ui::parseSha256(digest + "0"), "");
  EXPECT_EQ(ui::parseSha256("not a checksum"), "");
}

}  // namespace
}  // namespace kavrina::test
