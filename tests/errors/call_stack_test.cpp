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
  const int line = std::stoi(shown.substr(head.size()));
  EXPECT_EQ(line, failLine);
  EXPECT_NE(shown.find(")  \r\nCalled from callstack_test::callerOfHelper ("), std::string::npos)
      << shown;
  EXPECT_NE(shown.find("\r\nCalled from main ("), std::string::npos) << shown;
  EXPECT_EQ(shown.find("kavrina::errors::"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("__libc_start"), std::string::npos) << shown;
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
