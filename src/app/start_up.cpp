#include "app/start_up.h"

#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "app/form_hooks.h"
#include "app/kavrina_application.h"
#include "app/resource_images.h"
#include "app/tfosmain.h"
#include "common/process_memory.h"
#include "errors/end_program.h"
#include "errors/error_handler.h"
#include "errors/program_info.h"
#include "settings/ini_files.h"
#include "store/program.h"
#include "ui/qt/qt_user_interface.h"

namespace kavrina::app {

namespace {

// The error handler's box: modal, titled "Error", with the error icon.
void showError(const std::string& text) {
  if (QApplication::instance() == nullptr) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return;
  }
  QMessageBox box(QMessageBox::Critical, "Error", QString::fromStdString(text), QMessageBox::Ok);
  box.exec();
}

void closeQuietly(store::Program& program) {
  try {
    program.areas.closeAll();
  } catch (...) {
    // Closing after a failure cannot report a second one.
  }
}

}  // namespace

int runProgram(int argc, char** argv) {
  // "--version": the name, version and date, without a window or the data folder (an update
  // asks the new program this before it takes the old one's place).
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    const errors::ProgramInfo info;
    std::printf("%s %s (%s)\n", info.SW.c_str(), info.VER.c_str(), info.DATVER.c_str());
    return 0;
  }
  memory::prepareForLargeLists();
  auto program = std::make_unique<store::Program>();
  program->info.folder = errors::locateProgramFolder();
  std::error_code ec;
  std::filesystem::create_directories(program->info.folder, ec);
  std::filesystem::current_path(program->info.folder, ec);
  if (ec) {
    std::fprintf(stderr, "kavrina: cannot use the program folder %s: %s\n",
                 program->info.folder.c_str(), ec.message().c_str());
    return 1;
  }
  settings::useSettingsFolder(program->info.folder);

  // 1. The error handler, before any of the program's own code.
  errors::ErrorHooks hooks;
  hooks.show = showError;
  // A fatal error unwinds to the event dispatch or to here, closing the tables on the way.
  hooks.exit = [](int code) { throw errors::EndProgram(code); };
  hooks.closeFiles = [&program] { program->areas.closeAll(); };
  errors::installErrorHandler(program->info, hooks);

  try {
    // 2. The application object, its title and icon.
    KavrinaApplication application(argc, argv);
    KavrinaApplication::setApplicationName("Kavrina");
    KavrinaApplication::setWindowIcon(resourceIcon("KAVRINAICO"));
    ui::QtUserInterface userInterface;
    program->ui = &userInterface;

    // 3. The forms: the main window (which creates and opens the database), then the others.
    TFOSMAIN* window = nullptr;
    auto FOSMAIN = std::make_unique<TFOSMAIN>(*program, TFOSMAIN::programHooks(window));
    window = FOSMAIN.get();
    userInterface.setParentWindow(FOSMAIN.get());
    createForms(*program, FOSMAIN.get());

    // 4. The message loop, with the main window shown maximised.
    FOSMAIN->showMaximized();
    // An end begun by an event dispatched before the loop runs unwinds from here.
    errors::continueEnding();
    const int code = application.exec();
    if (const auto ending = errors::endingCode()) {
      closeQuietly(*program);
      return *ending;
    }
    program->areas.closeAll();
    return code;
  } catch (const errors::EndProgram& end) {
    closeQuietly(*program);
    return end.exitCode();
  } catch (...) {
    try {
      errors::reportException(std::current_exception());
    } catch (const errors::EndProgram& end) {
      closeQuietly(*program);
      return end.exitCode();
    }
  }
}

}  // namespace kavrina::app
