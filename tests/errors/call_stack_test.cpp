// The "Called from" lines from the real call stack: C++ names without parameters, source
// lines, the failing function first and the handler's own frames left out.
#include "errors/call_stack.h"

#include <gtest/gtest.h>

#include "errors/error_handler.h"

// Outside kavrina::errors on purpose: the handler leaves frames of its own namespace out.
namespace callstack_test {

struct ExitCalled {};

int failLine = 0;

[[gnu::noinline]] void failInHelper() {
  kavrina::errors::Error e;
  e.GENCODE = 14;
  e.OPERATION = "NGODINA";
  failLine = __LINE__ + 1;
  kavrina::errors::fail(e);
}

[[gnu::noinline]] void callerOfHelper() {
  failInHelper();
  asm volatile("");  // keeps the call from becoming a tail call
}

TEST(CallStack, NamesTheFailingFunctionFirstWithItsLine) {
  kavrina::errors::ProgramInfo info;
  info.folder = std::filesystem::temp_directory_path();
  std::string shown;
  kavrina::errors::ErrorHooks hooks;
  hooks.show = [&](const std::string& text) { shown = text; };
  hooks.exit = [](int) { throw ExitCalled{}; };
  kavrina::errors::installErrorHandler(info, hooks);
  EXPECT_THROW(callerOfHelper(), ExitCalled);
  kavrina::errors::removeErrorHandler();
  std::filesystem::remove(info.folder / "Error.txt");

  const std::string head =
      "Error ???"
      "/???  Variable does not exist: NGODINA\r\n\r\n"
      "Called from callstack_test::failInHelper (";
  ASSERT_EQ(shown.substr(0, head.size()), head) << shown;
  // A build without debug information names the procedures but knows no source lines.
  if (KAVRINA_DEBUG_INFO) {
    EXPECT_EQ(std::stoi(shown.substr(head.size())), failLine);
  }
  EXPECT_NE(shown.find(")  \r\nCalled from callstack_test::callerOfHelper ("), std::string::npos)
      << shown;
  EXPECT_NE(shown.find("\r\nCalled from main ("), std::string::npos) << shown;
  EXPECT_EQ(shown.find("kavrina::errors::"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("__libc_start"), std::string::npos) << shown;
}

// The stacks of the window program at a failure while its main window is created: the
// lines are the program's own procedures and end with main; when the compiler has turned
// main's call into a jump, they end before the C runtime instead of running on into it.
TEST(CallStack, LinesAreTheProgramsOwnFramesEndingWithMain) {
  using kavrina::errors::CallFrame;
  using Frames = std::vector<CallFrame>;
  const Frames top = {{"boost::stacktrace::basic_stacktrace<>::init", 0},
                      {"kavrina::errors::captureCallStack", 80},
                      {"kavrina::errors::reportFatal", 153},
                      {"kavrina::errors::fail", 40},
                      {"kavrina::store::DbfTable::open", 161},
                      {"std::function<void ()>::operator()", 591},
                      {"kavrina::store::DBOPENALL", 114},
                      {"kavrina::app::TFOSMAIN::fOSMainOnCreate", 112},
                      {"kavrina::app::TFOSMAIN::TFOSMAIN", 58},
                      {"std::__detail::_MakeUniq<kavrina::app::TFOSMAIN>::__single_object "
                       "std::make_unique<kavrina::app::TFOSMAIN, kavrina::store::Program&>",
                       1065},
                      {"kavrina::app::runProgram", 78}};
  const Frames ours = {{"kavrina::store::DbfTable::open", 161},
                       {"kavrina::store::DBOPENALL", 114},
                       {"kavrina::app::TFOSMAIN::fOSMainOnCreate", 112},
                       {"kavrina::app::TFOSMAIN::TFOSMAIN", 58},
                       {"kavrina::app::runProgram", 78}};
  auto names = [](const Frames& frames) {
    std::vector<std::string> out;
    for (const CallFrame& f : frames) out.push_back(f.name + " " + std::to_string(f.line));
    return out;
  };
  const Frames runtime = {
      {"__libc_start_call_main", 58}, {"__libc_start_main_impl", 360}, {"_start", 0}};

  Frames withMain = top;
  withMain.push_back({"main", 5});
  withMain.insert(withMain.end(), runtime.begin(), runtime.end());
  Frames expected = ours;
  expected.push_back({"main", 5});
  EXPECT_EQ(names(kavrina::errors::programFrames(withMain)), names(expected));

  Frames withoutMain = top;
  withoutMain.insert(withoutMain.end(), runtime.begin(), runtime.end());
  EXPECT_EQ(names(kavrina::errors::programFrames(withoutMain)), names(ours));
}

TEST(CallStack, NamesLoseTheirParameterLists) {
  const struct {
    const char* demangled;
    const char* expected;
  } rows[] = {
      {"kavrina::store::DbfTable::open(std::string const&, bool)",
       "kavrina::store::DbfTable::open"},
      {"kavrina::Date::toText() const", "kavrina::Date::toText"},
      {"(anonymous namespace)::run(int (*)(int))", "(anonymous namespace)::run"},
      {"f()::{lambda(int)#1}::operator()(int) const", "f()::{lambda(int)#1}::operator()"},
      {"std::vector<int, std::allocator<int> >::at(unsigned long)",
       "std::vector<int, std::allocator<int> >::at"},
      {"main", "main"},
      {"", ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(kavrina::errors::withoutParameters(row.demangled), row.expected) << row.demangled;
}

}  // namespace callstack_test
