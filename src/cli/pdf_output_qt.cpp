// PDF output of `stampa` through the program's Qt page replay, without any window. The file
// is written aside in its folder, flushed and renamed into place, so that a failure or a
// kill never leaves a half-written PDF under its name.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <optional>
#include <system_error>

#include "cli/stampa.h"
#include "reports/qt/pdf_writer.h"

namespace kavrina::cli {
namespace {

// Qt's own notes (a missing runtime folder and the like) are no message of the tool's.
void keepQtNotesOffTheConsole(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool flushToDisk(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

}  // namespace

std::optional<std::string> savePdf(const reports::PageDocument& document,
                                   const std::filesystem::path& path) {
  // Fonts need a GUI application; the tool has no display, so it never asks for one.
  std::optional<QGuiApplication> app;
  if (QCoreApplication::instance() == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtNotesOffTheConsole);
    static int argc = 1;
    static char name[] = "kavrina-cli";
    static char* argv[] = {name, nullptr};
    app.emplace(argc, argv);
  }
  std::filesystem::path aside = path;
  aside += ".tmp" + std::to_string(::getpid());
  const bool written = !reports::writePdf(document, aside) && flushToDisk(aside) &&
                       ::rename(aside.c_str(), path.c_str()) == 0;
  if (written) return std::nullopt;
  std::error_code ignored;
  std::filesystem::remove(aside, ignored);
  return "Fajl " + path.string() + " nije dostupan za pisanje.";
}

}  // namespace kavrina::cli
