// PDF output of `stampa` through the program's Qt page replay, without any window. The file
// is written aside in its folder and renamed into place once it is whole and flushed, so
// that a failure or a kill never leaves a half-written PDF under its name.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <optional>

#include "cli/stampa.h"
#include "reports/qt/pdf_writer.h"

namespace kavrina::cli {
namespace {

// Qt's own notes (a missing runtime folder and the like) are no message of the tool's.
void keepQtNotesOffTheConsole(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

std::optional<std::string> savePdf(const reports::PageDocument& document,
                                   const std::filesystem::path& path,
                                   const std::filesystem::path& programFolder, bool replace,
                                   std::string& warning) {
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
  return reports::writePdf(document, path, {programFolder, replace}, &warning);
}

}  // namespace kavrina::cli
