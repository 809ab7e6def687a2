// A program folder with its settings, a scripted user, a recording shell, the real FTP
// client and, when a test asks for it, the real FTP server; helpers that speak of files
// on either side.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ftp_server.h"
#include "online/online_context.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/ftp/curl_ftp_client.h"
#include "ui/system_shell.h"

namespace kavrina::test {

// Records what the program asks of the shell ("open update_kavrina.txt", "start vmdpu");
// with `reallyStart` programs are started for real.
class RecordingShell final : public ui::Shell {
 public:
  bool openDocument(const std::filesystem::path& document) override;
  bool startProgram(const std::filesystem::path& program) override;
  bool reallyStart = false;
  std::vector<std::string> calls;
};

// A program of this machine that answers "--version" (a copy of `true`), told from others
// by `tag` appended after its end.
std::string runnableProgram(const std::string& tag);

class OnlineTest : public ::testing::Test {
 protected:
  OnlineTest();
  ~OnlineTest() override;

  // The program folder, and the running program's file in it ("kavrina").
  std::filesystem::path folder() const { return root_.path() / "program"; }
  std::filesystem::path executable() const { return folder() / "kavrina"; }
  // What the server serves (its "incoming" takes uploads).
  std::filesystem::path serverRoot() const { return root_.path() / "server"; }

  // Starts the FTP server and points section "Server" of the settings at it.
  FtpServer& startServer(FtpServerOptions options = {});
  // Points the settings at a port (a stalled or closed one), or at no server at all.
  void useServer(int port);
  void useNoServer();
  void setting(std::string_view section, std::string_view key, std::string_view value);

  // Files on the server and in the program folder.
  void serve(const std::string& name, const std::string& bytes);
  void serveVersion(const std::string& verzija, const std::string& datum,
                    const std::string& extra = "");
  std::string local(const std::string& name) const;
  bool localExists(const std::string& name) const;
  void writeLocal(const std::string& name, const std::string& bytes);
  // Names in the program folder (hidden aside files included), sorted.
  std::vector<std::string> localNames() const;
  std::vector<std::string> incoming() const;

  online::OnlineContext& context() { return context_; }
  // The dialog transcript without the wait notices and progress boxes.
  std::vector<std::string> dialogs() const;

  static online::LocalTime fixedTime(int hour, int minute, int second);

  TempDir root_;
  ui::ScriptedUi ui_;
  RecordingShell shell_;
  ui::CurlFtpClient ftp_;
  settings::IniFiles settings_;
  errors::ProgramInfo info_;
  online::OnlineContext context_;
  std::unique_ptr<FtpServer> server_;
};

}  // namespace kavrina::test
