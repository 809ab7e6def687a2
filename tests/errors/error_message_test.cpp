// The handler's texts: the technical description of an error and the Serbian messages
// for the causes it knows.
#include "errors/error_message.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "errors/os_code.h"
#include "support/temp_dir.h"

namespace kavrina::errors {
namespace {

Error withCodes(int gencode, int oscode, std::string filename = {}) {
  Error e;
  e.GENCODE = gencode;
  e.OSCODE = oscode;
  e.FILENAME = std::move(filename);
  return e;
}

TEST(ErrorMessage, DescribesEveryKindOfErrorValue) {
  const struct {
    const char* name;
    Error error;
    const char* expected;
  } rows[] = {
      {"driver error with file", driverError(gen::kOpen, 1001, "DBF/Firme.dbf", 2),
       "Error DBFNTX/1001  Open error: \r\nDBF/Firme.dbf"},
      {"no subsystem, no subcode, operation",
       [] {
         Error e;
         e.GENCODE = 14;
         e.OPERATION = "NGODINA";
         return e;
       }(),
       "Error ???"
       "/???  Variable does not exist: NGODINA"},
      {"warning, nothing named",
       [] {
         Error e;
         e.GENCODE = gen::kWrite;
         e.SEVERITY = 1;
         e.SUBSYSTEM = "TERM";
         e.SUBCODE = 0;
         return e;
       }(),
       "Warning TERM/0  Write error"},
      {"file wins over operation",
       [] {
         Error e = driverError(gen::kCorruption, 1012, "NTX/MDOS.ntx", 0, "dbSeek");
         return e;
       }(),
       "Error DBFNTX/1012  Corruption detected: \r\nNTX/MDOS.ntx"},
      {"negative subcode",
       [] {
         Error e;
         e.GENCODE = 40;
         e.SUBCODE = -7;
         e.SUBSYSTEM = "X";
         return e;
       }(),
       "Error X/-7  Append lock failed"},
  };
  for (auto row : rows) {
    EXPECT_EQ(ERRORMESSAGE(row.error), row.expected) << row.name;
  }
}

TEST(ErrorMessage, ReplacesTheDescription) {
  Error e = withCodes(gen::kRead, 0);
  e.DESCRIPTION = "whatever the raiser said";
  ERRORMESSAGE(e);
  EXPECT_EQ(e.DESCRIPTION, "Read error");
}

TEST(ErrorMessage, GeneralCodesWithoutADescriptionAreUndefined) {
  EXPECT_EQ(describeGenCode(0), "C3 argument error");
  EXPECT_EQ(describeGenCode(18), "Alias already in uses");
  EXPECT_EQ(describeGenCode(41), "Lock required");
  for (int code : {5, 6, 8, 19, 26, 35, 42, 1000, -3}) {
    EXPECT_EQ(describeGenCode(code),
              "Undefined error code (Error.ch (EG_ " + std::to_string(code) + "))");
  }
}

TEST(UserMessage, KnownCausesInTheirOrder) {
  const std::string folder = "/srv/kavrina/";
  const struct {
    int gencode, oscode;
    const char* file;
    const char* expected;
  } rows[] = {
      {21, 2, "DBF/Firme.dbf",
       "Program ne moze da pronadje fajl (DBF/Firme.dbf) \r\n(radni folder: /srv/kavrina/)"},
      {20, 3, "", "Program ne moze da pronadje fajl \r\n(radni folder: /srv/kavrina/)"},
      {24, 5, "Kavrina.ini", "Fajl (Kavrina.ini) je zakljucan od strane\r\noperativnog sistema."},
      {21, 32, "DBF/MDOS.dbf",
       "Baza podataka (DBF/MDOS.dbf) je zakljucana od strane\r\ndrugog programa ili drugog "
       "operatera."},
      {23, 53, "x.dbf", "Baza podataka (x.dbf) sa mreznog diska nije dostupna."},
      {23, 64, "", "Baza podataka sa mreznog diska nije dostupna."},
      {23, 65, "y", "Baza podataka (y) sa mreznog diska nije dostupna."},
      {23, 87, "z", "Nije moguce procitati podatak sa lokalnog\r\nili sa mreznog diska."},
      // A failed write (EIO) names writing and the file, not reading.
      {24, 59, "DBF/A202312R.dbf",
       "Nije moguce upisati podatak u fajl (DBF/A202312R.dbf) na lokalnom\r\nili na mreznom "
       "disku."},
      {20, 87, "", "Nije moguce upisati podatak u fajl na lokalnom\r\nili na mreznom disku."},
      {22, 59, "c", "Nije moguce procitati podatak sa lokalnog\r\nili sa mreznog diska."},
      // The OS code decides before the general code.
      {32, 5, "a", "Fajl (a) je zakljucan od strane\r\noperativnog sistema."},
      {32, 0, "NTX/MDOS.ntx",
       "Fajl (NTX/MDOS.ntx) je privremeno ili trajno ostecen.\r\nProgram ga nije menjao. "
       "Vratite ispravan fajl iz arhive podataka."},
      {23, 0, "", "Fajl nije dostupan za citanje."},
      {24, 1028, "b.dbf", "Fajl (b.dbf) nije dostupan za pisanje."},
      // Causes without a documented code: a full disk, a read-only file, folder or disk,
      // a symbolic link planted in a file's place.
      {24, 112, "DBF/A202312R.dbf",
       "Nema dovoljno prostora na disku.\r\nFajl (DBF/A202312R.dbf) nije moguce upisati."},
      {20, 19, "DBF/MDOS.dbf",
       "Fajl (DBF/MDOS.dbf) nije moguce menjati:\r\nfajl, folder ili disk je samo za citanje."},
      {21, 681, "DBF/Firme.dbf",
       "Fajl (DBF/Firme.dbf) je simbolicka veza na drugi fajl.\r\nProgram ne otvara fajlove "
       "preko takve veze."},
  };
  for (const auto& row : rows) {
    auto message = userMessage(withCodes(row.gencode, row.oscode, row.file), folder);
    ASSERT_TRUE(message) << row.expected;
    EXPECT_EQ(*message, row.expected);
  }
}

TEST(UserMessage, NoneForOtherCauses) {
  for (auto [gencode, oscode] : {std::pair{6, 0}, {21, 0}, {20, 1028}, {14, 0}, {1, 4}}) {
    EXPECT_FALSE(userMessage(withCodes(gencode, oscode, "f"), "/")) << gencode << " " << oscode;
  }
}

TEST(UserMessage, WorkingFolderEndsWithOneSlash) {
  EXPECT_EQ(workingFolderText("/home/ana/kavrina"), "/home/ana/kavrina/");
  EXPECT_EQ(workingFolderText("/home/ana/kavrina/"), "/home/ana/kavrina/");
  EXPECT_EQ(workingFolderText("/"), "/");
}

TEST(TechnicalText, OsCodeAndCalledFromLines) {
  Error e = driverError(gen::kRead, 1010, "DBF/MDOS.dbf", 59);
  EXPECT_EQ(technicalText(e, {{"kavrina::store::DbfTable::readRecord", 88}, {"main", 9}}),
            "Error DBFNTX/1010  Read error: \r\nDBF/MDOS.dbf (DOS Error 59) \r\n"
            "\r\nCalled from kavrina::store::DbfTable::readRecord (88)  "
            "\r\nCalled from main (9)  ");
  Error noOs = withCodes(14, 0);
  noOs.OPERATION = "X";
  EXPECT_EQ(technicalText(noOs, {}),
            "Error ???"
            "/???  Variable does not exist: X\r\n");
}

// Runs as the user "nobody" while alive when the tests run as root, whom no permission
// stops: the read-only cases need a user that file modes apply to.
class AsOrdinaryUser {
 public:
  AsOrdinaryUser() : switched_(::geteuid() == 0 && ::seteuid(65534) == 0) {}
  ~AsOrdinaryUser() {
    if (switched_ && ::seteuid(0) != 0) std::abort();
  }

 private:
  bool switched_;
};

TEST(OsCode, ReadOnlyIsToldFromAccessDeniedAndFromAFullDisk) {
  EXPECT_EQ(osCodeFromErrno(ENOSPC), os::kDiskFull);
  EXPECT_EQ(osCodeFromErrno(EROFS), os::kWriteProtected) << "a disk mounted read-only";
  EXPECT_EQ(osCodeFromErrno(ELOOP), os::kStoppedOnLink);
  EXPECT_EQ(osCodeFromErrno(EACCES), os::kAccessDenied) << "the documented code stays";

  test::TempDir dir;
  ::chmod(dir.path().c_str(), 0755);
  test::writeFileBytes(dir / "readonly.dbf", "x");
  ::chmod((dir / "readonly.dbf").c_str(), 0444);
  test::writeFileBytes(dir / "secret.dbf", "x");
  ::chmod((dir / "secret.dbf").c_str(), 0);
  std::filesystem::create_directory(dir / "DBF");
  ::chmod((dir / "DBF").c_str(), 0555);

  AsOrdinaryUser ordinary;
  // Readable but not writable: the file itself, or the folder a new file is to go into.
  EXPECT_EQ(osCodeForPath(EACCES, dir / "readonly.dbf"), os::kWriteProtected);
  EXPECT_EQ(osCodeForPath(EACCES, dir / "DBF" / "A202312R.dbf"), os::kWriteProtected);
  // Not even readable: the operating system keeps it from this user.
  EXPECT_EQ(osCodeForPath(EACCES, dir / "secret.dbf"), os::kAccessDenied);
  EXPECT_EQ(osCodeForPath(ENOENT, dir / "DBF" / "MDOS.dbf"), os::kFileNotFound);
  EXPECT_EQ(osCodeForPath(ENOENT, dir / "NTX" / "MDOS.ntx"), os::kPathNotFound);
}

}  // namespace
}  // namespace kavrina::errors
