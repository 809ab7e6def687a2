// Installing the user interface the program talks through.
#include "ui/current_ui.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_ui.h"

namespace kavrina::ui {
namespace {

TEST(CurrentUi, NoneInstalledIsAClearError) {
  ASSERT_FALSE(hasCurrent());
  EXPECT_THROW(current(), std::logic_error);
}

TEST(CurrentUi, ScopedInstallersNestAndRestore) {
  ScriptedUi outer;
  ScriptedUi inner;
  {
    ScopedUserInterface useOuter(outer);
    EXPECT_EQ(&current(), &outer);
    {
      ScopedUserInterface useInner(inner);
      current().messageBox("inner", MessageKind::Information, MessageButtons::Ok);
    }
    current().messageBox("outer", MessageKind::Information, MessageButtons::Ok);
  }
  EXPECT_FALSE(hasCurrent());
  EXPECT_EQ(inner.messages(), std::vector<std::string>{"inner"});
  EXPECT_EQ(outer.messages(), std::vector<std::string>{"outer"});
}

TEST(CurrentUi, InstallAndRemove) {
  ScriptedUi ui;
  install(&ui);
  EXPECT_EQ(&current(), &ui);
  install(nullptr);
  EXPECT_FALSE(hasCurrent());
}

}  // namespace
}  // namespace kavrina::ui
