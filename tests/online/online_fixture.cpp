#include "online_fixture.h"

#include <algorithm>

#include "settings/settings_keys.h"

namespace kavrina::test {

namespace fs = std::filesystem;

bool RecordingShell::openDocument(const fs::path& document) {
  calls.push_back("open " + document.filename().string());
  return true;
}

bool RecordingShell::startProgram(const fs::path& program) {
  calls.push_back("start " + program.filename().string());
  return !reallyStart || ui::SystemShell().startProgram(program);
}

std::string runnableProgram(const std::string& tag) {
  return readFileBytes("/usr/bin/true") + "\n" + tag + "\n";
}

online::LocalTime OnlineTest::fixedTime(int hour, int minute, int second) {
  return {Date::fromYmd(2024, 3, 15), hour, minute, second};
}

OnlineTest::OnlineTest()
    : ftp_([this] { ui_.processEvents(); }),
      settings_((fs::create_directories(root_.path() / "program"), root_.path() / "program")),
      context_{.info = info_,
               .settings = settings_,
               .ui = ui_,
               .ftp = ftp_,
               .shell = shell_,
               .executable = root_.path() / "program" / "kavrina",
               .CSUBDIRFIRME = "",
               .connectLimit = std::chrono::milliseconds(30'000),
               .clock = Clock([] { return fixedTime(10, 15, 0); })} {
  fs::create_directories(serverRoot() / "incoming");
  writeLocal("kavrina", "#!/bin/sh\necho 1.07\n");
  fs::permissions(executable(), fs::perms(0755));
  settings_.write(settings::kSectionProgram, "Verzija", "1.07");
  useNoServer();
}

OnlineTest::~OnlineTest() {
  ftp_.Close();
  server_.reset();
}

FtpServer& OnlineTest::startServer(FtpServerOptions options) {
  server_ = std::make_unique<FtpServer>(serverRoot(), options);
  useServer(server_->port());
  return *server_;
}

void OnlineTest::useServer(int port) {
  setting("Server", "Host", "127.0.0.1");
  setting("Server", "Port", std::to_string(port));
  setting("Server", "Korisnik", kFtpUser);
  setting("Server", "Lozinka", kFtpPassword);
}

void OnlineTest::useNoServer() {
  setting("Server", "Host", "");
}

void OnlineTest::setting(std::string_view section, std::string_view key, std::string_view value) {
  ASSERT_TRUE(settings_.writeText(section, key, value));
}

void OnlineTest::serve(const std::string& name, const std::string& bytes) {
  writeFileBytes(serverRoot() / name, bytes);
}

void OnlineTest::serveVersion(const std::string& verzija, const std::string& datum,
                              const std::string& extra) {
  serve("sw_ver.ini", "[Kavrina]\r\nverzija=" + verzija + "\r\ndatum=" + datum + "\r\n" + extra);
}

std::string OnlineTest::local(const std::string& name) const {
  return readFileBytes(folder() / name);
}

bool OnlineTest::localExists(const std::string& name) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(folder() / name, ec));
}

void OnlineTest::writeLocal(const std::string& name, const std::string& bytes) {
  writeFileBytes(folder() / name, bytes);
}

std::vector<std::string> OnlineTest::localNames() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> OnlineTest::incoming() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(serverRoot() / "incoming"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> OnlineTest::dialogs() const {
  std::vector<std::string> lines;
  for (const std::string& line : ui_.transcript())
    if (!line.starts_with("wait") && !line.starts_with("progress")) lines.push_back(line);
  return lines;
}

}  // namespace kavrina::test
