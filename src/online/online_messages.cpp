#include "online/online_messages.h"

#include "online/online_texts.h"

namespace kavrina::online {

std::string failureMessage(const OnlineContext& context, std::string_view first,
                           std::string_view second, const std::filesystem::path& localFolder) {
  const std::string lineBreak(kLineBreak);
  switch (context.ftp.lastFailure()) {
    case ui::FtpFailure::NoServer:
      return std::string(kNemaServera) + lineBreak + std::string(kUpisiteServer);
    case ui::FtpFailure::NoTls:
      return std::string(kServerBezTls) + context.ftp.endpoint().host + lineBreak +
             std::string(kProveriteTls);
    case ui::FtpFailure::NoSpace:
      return std::string(kNemaMestaNaDisku) + localFolder.string() + lineBreak +
             std::string(kOsloboditeProstor);
    case ui::FtpFailure::TimedOut:
      return std::string(kIsteklo) + context.ftp.endpoint().host + lineBreak +
             std::string(kPokusajteKasnije);
    default:
      return std::string(first) + lineBreak + std::string(second);
  }
}

bool stoppedByUser(const OnlineContext& context) {
  return context.ftp.cancelled() || context.ftp.lastFailure() == ui::FtpFailure::Cancelled;
}

}  // namespace kavrina::online
