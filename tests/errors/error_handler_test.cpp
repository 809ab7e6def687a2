// DEFERROR end to end: the soft answers, the message shown, the exact bytes of
// "Error.txt" with and without a user message, appending within a run, an unwritable log,
// and the real exit code of a program that fails.
#include "errors/error_handler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "errors/network_error.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace kavrina::errors {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

// Thrown by the exit hook, so a test sees the code the handler ends the program with.
struct ExitCalled {
  int code;
};

class ErrorHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldCwd_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    info_.folder = dir_.path();
    info_.CSTARTTIME = "16.10.2023 08:00:00";
    install();
    setNetworkError(false);
  }
  void TearDown() override {
    removeErrorHandler();
    std::filesystem::current_path(oldCwd_);
  }

  void install() {
    installErrorHandler(
        info_,
        {.show = [this](const std::string& text) { shown_.push_back(text); },
         .exit = [](int code) { throw ExitCalled{code}; },
         .now = [] { return std::string("16.10.2023 09:30:15"); },
         .callStack =
             [] {
               return std::vector<CallFrame>{{"kavrina::store::DBOPENALL", 120}, {"main", 12}};
             },
         .closeFiles = {}});
  }

  // Hands the error to the installed handler: the exit code it ended the program with,
  // or -1 when it answered and the program goes on.
  int failWith(Error e) {
    try {
      raise(std::move(e));
      return -1;
    } catch (const ExitCalled& exit) {
      return exit.code;
    }
  }

  std::string log() const { return readFileBytes(dir_ / "Error.txt"); }
  std::string workingFolder() const {
    return std::filesystem::canonical(dir_.path()).string() + "/";
  }

  TempDir dir_;
  std::filesystem::path oldCwd_;
  ProgramInfo info_;
  std::vector<std::string> shown_;
};

// An error that no rule of the handler knows: a variable that does not exist, say.
Error undefinedGeneralCode() {
  Error e;
  e.GENCODE = 6;
  e.OPERATION = "NGODINA";
  return e;
}

TEST_F(ErrorHandlerTest, SoftFailuresAnswerAndLeaveNoTrace) {
  const struct {
    const char* name;
    int gencode, oscode;
    bool candefault, networkError;
  } rows[] = {
      {"division by zero", gen::kZeroDivision, 0, false, false},
      {"open held by another station", gen::kOpen, os::kSharingViolation, true, true},
      {"append lock failed", gen::kAppendLock, 0, true, true},
      {"append lock failed on a shared file", gen::kAppendLock, os::kSharingViolation, true, true},
  };
  for (const auto& row : rows) {
    setNetworkError(false);
    Error e = driverError(row.gencode, 1001, "DBF/MDOS.dbf", row.oscode);
    e.CANDEFAULT = row.candefault;
    EXPECT_EQ(raise(e), ErrorAnswer::Default) << row.name;
    EXPECT_EQ(networkError(), row.networkError) << row.name;
  }
  EXPECT_TRUE(shown_.empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Error.txt"));
}

TEST_F(ErrorHandlerTest, ConflictsThatMayNotFailEndTheProgram) {
  Error open = driverError(gen::kOpen, 1001, "DBF/MDOS.dbf", os::kSharingViolation);
  open.CANDEFAULT = false;
  EXPECT_EQ(failWith(open), 1);
  Error open2 = driverError(gen::kOpen, 1001, "DBF/Firme.dbf", os::kAccessDenied);
  EXPECT_EQ(failWith(open2), 1);  // may fail, but not for another station
  Error append = driverError(gen::kAppendLock, 1024, "DBF/MDOS.dbf");
  append.CANDEFAULT = false;
  EXPECT_EQ(failWith(append), 1);
  ASSERT_EQ(shown_.size(), 3u);
  EXPECT_EQ(shown_[0].substr(0, 47), "Baza podataka (DBF/MDOS.dbf) je zakljucana od s");
  EXPECT_EQ(shown_[1].substr(0, 31), "Fajl (DBF/Firme.dbf) je zakljuc");
  EXPECT_EQ(shown_[2].substr(0, 40), "Error DBFNTX/1024  Append lock failed: \r");
  EXPECT_FALSE(networkError());
}

TEST_F(ErrorHandlerTest, MissingFileLogWithUserMessageByteForByte) {
  info_.CSTARTTIME = "16.10.2023 08:00:05";  // set after installing, as the program does
  EXPECT_EQ(failWith(driverError(gen::kOpen, 1001, "DBF/Firme.dbf", os::kFileNotFound)), 1);

  const std::string message =
      "Program ne moze da pronadje fajl (DBF/Firme.dbf) \r\n(radni folder: " + workingFolder() +
      ")\r\n\r\nProgram ne moze da nastavi dalje sa radom.\r\n"
      "Otklonite problem i pokrenite program ponovo.\r\n";
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0], message);
  EXPECT_EQ(log(), message +
                       "\n\r\n\r"
                       "Error DBFNTX/1001  Open error: \r\nDBF/Firme.dbf (DOS Error 2) \r\n"
                       "\r\nCalled from kavrina::store::DBOPENALL (120)  "
                       "\r\nCalled from main (12)  "
                       "\r\n\r\n"
                       "Kavrina 1.07 (16.10.2023)\r\n"
                       "Program started: 16.10.2023 08:00:05\r\n"
                       "Program ended: 16.10.2023 09:30:15"
                       "\n\r");
}

TEST_F(ErrorHandlerTest, UnknownErrorLogWithoutUserMessageByteForByte) {
  EXPECT_EQ(failWith(undefinedGeneralCode()), 1);

  const std::string technical =
      "Error ???"
      "/???  Undefined error code (Error.ch (EG_ 6)): NGODINA\r\n"
      "\r\nCalled from kavrina::store::DBOPENALL (120)  "
      "\r\nCalled from main (12)  ";
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0], technical);
  EXPECT_EQ(log(), technical +
                       "\n\r\n\r"
                       "\r\n\r\n"
                       "Kavrina 1.07 (16.10.2023)\r\n"
                       "Program started: 16.10.2023 08:00:00\r\n"
                       "Program ended: 16.10.2023 09:30:15"
                       "\n\r");
}

TEST_F(ErrorHandlerTest, SecondFailureInTheSameRunAppends) {
  ASSERT_EQ(failWith(undefinedGeneralCode()), 1);
  const std::string first = log();
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(failWith(driverError(gen::kWrite, 1011, "DBF/MDOS.dbf", 0)), 1);
  const std::string all = log();
  ASSERT_EQ(all.substr(0, first.size()), first);
  EXPECT_EQ(all.substr(first.size()),
            "Fajl (DBF/MDOS.dbf) nije dostupan za pisanje.\r\n\r\n"
            "Program ne moze da nastavi dalje sa radom.\r\n"
            "Otklonite problem i pokrenite program ponovo.\r\n"
            "\n\r\n\r"
            "Error DBFNTX/1011  Write error: \r\nDBF/MDOS.dbf\r\n"
            "\r\nCalled from kavrina::store::DBOPENALL (120)  "
            "\r\nCalled from main (12)  "
            "\r\n\r\nKavrina 1.07 (16.10.2023)\r\nProgram started: 16.10.2023 08:00:00\r\n"
            "Program ended: 16.10.2023 09:30:15\n\r");
}

TEST_F(ErrorHandlerTest, FirstOutputOfARunReplacesAnOlderLog) {
  writeFileBytes(dir_ / "Error.txt", "left by the previous run\r\n");
  ASSERT_EQ(failWith(undefinedGeneralCode()), 1);
  const std::string thisRun = log();
  EXPECT_EQ(thisRun.find("previous run"), std::string::npos);
  install();  // the next run
  ASSERT_EQ(failWith(undefinedGeneralCode()), 1);
  EXPECT_EQ(log(), thisRun);
}

TEST_F(ErrorHandlerTest, UnwritableLogStillShowsTheMessageAndExits) {
  // The tests may run as root, whom a read-only folder does not stop; a folder standing
  // where "Error.txt" should be makes the log uncreatable for anyone.
  std::filesystem::create_directory(dir_ / "Error.txt");
  EXPECT_EQ(failWith(driverError(gen::kOpen, 1001, "DBF/Firme.dbf", os::kFileNotFound)), 1);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].substr(0, 50), "Program ne moze da pronadje fajl (DBF/Firme.dbf) \r");
  EXPECT_TRUE(std::filesystem::is_empty(dir_ / "Error.txt"));
}

TEST(ErrorFromException, DescribesWhatWasThrown) {
  auto of = [](auto thrown) { return errorFromException(std::make_exception_ptr(thrown)); };

  Error bound = of(std::out_of_range("index 7"));
  EXPECT_EQ(bound.GENCODE, gen::kBound);
  EXPECT_EQ(bound.SUBSYSTEM, "C++");
  EXPECT_EQ(bound.OPERATION, "std::out_of_range: index 7");
  EXPECT_EQ(of(std::bad_alloc()).GENCODE, gen::kLimit);
  EXPECT_EQ(of(std::invalid_argument("x")).GENCODE, gen::kArgument);
  EXPECT_EQ(of(std::overflow_error("x")).GENCODE, 4);

  Error missing = of(std::filesystem::filesystem_error(
      "copy", "DBF/MDOS.dbf", std::make_error_code(std::errc::no_such_file_or_directory)));
  EXPECT_EQ(missing.OSCODE, os::kFileNotFound);
  EXPECT_EQ(missing.FILENAME, "DBF/MDOS.dbf");

  Error other = of(std::runtime_error("boom"));
  EXPECT_EQ(other.OPERATION, "std::runtime_error: boom");
  EXPECT_EQ(other.GENCODE, 99);

  Error driver = of(driverError(gen::kCorruption, 1012, "NTX/MDOS.ntx"));
  EXPECT_EQ(driver.GENCODE, gen::kCorruption);
  EXPECT_EQ(driver.SUBSYSTEM, "DBFNTX");

  EXPECT_EQ(of(42).OPERATION, "unknown exception");
  EXPECT_EQ(errorFromException(nullptr).OPERATION, "std::terminate");
}

// The real program: exit code 1, the log and the shown text, through a failure that is
// raised, an exception nothing catches (std::terminate) and an unwritable log.
class ErrorHandlerProcess : public ::testing::Test {
 protected:
  int run(const std::string& mode) {
    return test::runProcess(ERROR_HANDLER_CHILD, {dir_.path().string(), mode});
  }
  TempDir dir_;
};

TEST_F(ErrorHandlerProcess, FatalErrorEndsWithExitCodeOne) {
  EXPECT_EQ(run("missing"), 1);
  const std::string shown = readFileBytes(dir_ / "shown.txt");
  EXPECT_EQ(shown.substr(0, 52), "Program ne moze da pronadje fajl (DBF/Firme.dbf) \r\n(");
  const std::string log = readFileBytes(dir_ / "Error.txt");
  ASSERT_EQ(log.substr(0, shown.size()), shown);
  EXPECT_NE(log.find("\r\nCalled from main ("), std::string::npos) << log;
  EXPECT_EQ(log.substr(log.size() - 2), "\n\r");
}

TEST_F(ErrorHandlerProcess, UncaughtExceptionIsReportedAtTheThrowPoint) {
  EXPECT_EQ(run("throw"), 1);
  const std::string log = readFileBytes(dir_ / "Error.txt");
  EXPECT_EQ(log.rfind("Error C++/???  Bound/limit error: std::out_of_range: index 7 of 3\r\n\r\n"
                      "Called from (anonymous namespace)::throwOutOfRange (",
                      0),
            0u)
      << log;
  EXPECT_NE(log.find("\r\nCalled from main ("), std::string::npos) << log;
}

TEST_F(ErrorHandlerProcess, UnwritableLogStillShowsAndExitsOne) {
  // A folder in place of "Error.txt": not even root can create the log (a read-only
  // program folder would not stop a test running as root).
  std::filesystem::create_directory(dir_ / "Error.txt");
  EXPECT_EQ(run("missing"), 1);
  EXPECT_EQ(readFileBytes(dir_ / "shown.txt").substr(0, 32), "Program ne moze da pronadje fajl");
  EXPECT_TRUE(std::filesystem::is_empty(dir_ / "Error.txt"));
}

TEST_F(ErrorHandlerProcess, ALinkPlantedAsTheLogIsNeverWrittenThrough) {
  // One link to a file someone wants overwritten, one to a file someone wants created.
  TempDir elsewhere;
  writeFileBytes(elsewhere / "victim.txt", "keep me");
  for (const char* target : {"victim.txt", "created.txt"}) {
    std::filesystem::remove(dir_ / "Error.txt");
    std::filesystem::create_symlink(elsewhere / target, dir_ / "Error.txt");
    EXPECT_EQ(run("missing"), 1) << target;
    const std::string shown = readFileBytes(dir_ / "shown.txt");
    EXPECT_EQ(shown.substr(0, 32), "Program ne moze da pronadje fajl") << target;
    EXPECT_FALSE(std::filesystem::is_symlink(dir_ / "Error.txt")) << "the link was replaced";
    EXPECT_EQ(readFileBytes(dir_ / "Error.txt").substr(0, shown.size()), shown) << target;
    std::filesystem::remove(dir_ / "shown.txt");
  }
  EXPECT_EQ(readFileBytes(elsewhere / "victim.txt"), "keep me");
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "created.txt"));
}

TEST_F(ErrorHandlerProcess, SoftFailureLetsTheProgramGoOn) {
  EXPECT_EQ(run("soft"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Error.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "shown.txt"));
}

}  // namespace
}  // namespace kavrina::errors
