// kavrina-cli: the headless tool over the program's own code, for calculating many
// companies at year end and for scripted checks.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_options.h"
#include "cli/console_ui.h"
#include "common/process_memory.h"
#include "errors/end_program.h"
#include "errors/error_handler.h"

int main(int argc, char** argv) {
  using namespace kavrina;
  std::ios::sync_with_stdio(false);
  memory::prepareForLargeLists();
  store::Program program;
  program.info.SW = "Kavrina";
  errors::ErrorHooks hooks;
  hooks.show = [](const std::string& text) { std::cerr << cli::consoleText(text) << '\n'; };
  // A fatal error unwinds to here: every table is closed on the way (a result table being
  // redone keeps its previous contents) before the process ends.
  hooks.exit = [](int code) { throw errors::EndProgram(code); };
  hooks.closeFiles = [&program] { program.areas.closeAll(); };
  errors::installErrorHandler(program.info, hooks);
  const std::vector<std::string> args(argv + 1, argv + argc);
  cli::ConsoleUi console(cli::outputCarriesData(args) ? std::cerr : std::cout, std::cerr);
  program.ui = &console;

  try {
    try {
      const int code = cli::runCli(program, args, std::cout, std::cerr);
      program.areas.closeAll();
      std::cout.flush();
      return code;
    } catch (const errors::EndProgram&) {
      throw;
    } catch (...) {
      errors::reportException(std::current_exception());
    }
  } catch (const errors::EndProgram& end) {
    try {
      program.areas.closeAll();
    } catch (...) {
      // Closing after a failure cannot report a second one.
    }
    std::cout.flush();
    return end.exitCode() == 0 ? cli::kExitFailure : end.exitCode();
  }
}
