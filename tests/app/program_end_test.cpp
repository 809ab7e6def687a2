// The program ends in one way: an end raised by an event that is dispatched inside a loop
// of its own (a modal box, a pass of pending events in a long work) leaves every loop, and
// the code that ran that loop unwinds from where the loop returned: nothing after it runs,
// no later event is dispatched, and the main loop returns the end's code.
#include <gtest/gtest.h>

#include <QTimer>
#include <functional>
#include <string>

#include "app/kavrina_application.h"
#include "errors/end_program.h"
#include "ui/qt/qt_user_interface.h"

namespace kavrina::test {
namespace {

struct LoopCase {
  std::string name;
  // Runs a loop of its own through the user interface, as a command would.
  std::function<void(ui::UserInterface&)> run;
};

class ProgramEnd : public ::testing::TestWithParam<LoopCase> {};

TEST_P(ProgramEnd, AnEndRaisedInsideTheLoopUnwindsThroughItAndEndsTheMainLoopWithItsCode) {
  int argc = 1;
  char name[] = "kavrina";
  char* argv[] = {name, nullptr};
  app::KavrinaApplication application(argc, argv);
  ui::QtUserInterface userInterface;

  bool loopEntered = false;
  bool afterTheLoop = false;
  bool laterEventRan = false;
  QTimer::singleShot(0, [&] {
    // The command: the end arrives while its loop runs, with an event queued behind it.
    QTimer::singleShot(10, [&] {
      QTimer::singleShot(0, [&] { laterEventRan = true; });
      throw errors::EndProgram(7);
    });
    loopEntered = true;
    GetParam().run(userInterface);
    afterTheLoop = true;
  });
  const int code = application.exec();

  EXPECT_TRUE(loopEntered);
  EXPECT_EQ(code, 7);
  EXPECT_EQ(errors::endingCode(), 7);
  EXPECT_FALSE(afterTheLoop) << "the command went on after the end";
  EXPECT_FALSE(laterEventRan) << "an event was dispatched after the end";
  // Code that runs a loop later still unwinds at once.
  EXPECT_THROW(userInterface.processEvents(), errors::EndProgram);
}

INSTANTIATE_TEST_SUITE_P(
    Loops, ProgramEnd,
    ::testing::Values(LoopCase{"MessageBox",
                               [](ui::UserInterface& ui) {
                                 ui.messageBox("Nastaviti?", ui::MessageKind::Confirmation,
                                               ui::MessageButtons::YesNo);
                               }},
                      LoopCase{"InputBox",
                               [](ui::UserInterface& ui) {
                                 ui.inputBox("Unos", "Godina:", "2025", "9999", 50);
                               }},
                      LoopCase{"LongWork",
                               [](ui::UserInterface& ui) {
                                 for (;;)
                                   ui.processEvents();  // a work that lets events run now and then
                               }}),
    [](const ::testing::TestParamInfo<LoopCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kavrina::test
