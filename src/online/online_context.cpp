#include "online/online_context.h"

#include <cctype>

#include "common/path_case.h"
#include "common/text.h"
#include "settings/settings_keys.h"

namespace kavrina::online {

std::string OnlineContext::programName() const {
  return executable.filename().string();
}

std::filesystem::path runningProgram() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
}

std::string lowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

ui::FtpEndpoint readEndpoint(const settings::IniFiles& files) {
  ui::FtpEndpoint endpoint;
  // Blanks around the host would only make it unreachable.
  endpoint.host = std::string(text::trimWhitespace(settings::read(files, settings::kServerHost)));
  const double port = settings::read(files, settings::kServerPort);
  endpoint.port = port >= 1 && port <= 65535 ? static_cast<int>(port) : 21;
  endpoint.user = settings::read(files, settings::kServerKorisnik);
  endpoint.password = settings::read(files, settings::kServerLozinka);
  const std::string tls = lowerCase(settings::read(files, settings::kServerTls));
  endpoint.tls = tls == "true" || tls == ".t." || tls == "1" || tls == "da" || tls == "yes";
  return endpoint;
}

bool connect(OnlineContext& context) {
  context.ftp.configure(readEndpoint(context.settings));
  context.ftp.Open();
  const auto start = std::chrono::steady_clock::now();
  while (context.ftp.Busy()) {
    if (std::chrono::steady_clock::now() - start > context.connectLimit) break;
    context.ui.processEvents();
  }
  return context.ftp.Active();
}

bool receiveSmallFile(OnlineContext& context, std::string_view remoteName,
                      const std::filesystem::path& local) {
  return context.ftp.ReceiveFile(remoteName, local, {.limit = context.smallFileLimit});
}

bool isPlainFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec));
}

std::filesystem::path inFolder(const OnlineContext& context, std::string_view name) {
  return findNoCase(context.folder(), std::filesystem::path(name));
}

}  // namespace kavrina::online
