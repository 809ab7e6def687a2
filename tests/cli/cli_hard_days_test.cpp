// kavrina-cli on a bad day: a second user of the computer starting after the first, a
// folder this user may only read, a full disk (a small file system mounted by the test, and
// every write of a calculation failing through the fault-injection layer), and a register
// with Serbian letters exported as UTF-8.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "common/fault_injection.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "errors/error.h"
#include "errors/error_message.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_file.h"
#include "store/rec_lock.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

constexpr uid_t kNobody = 65534;

// The launcher that runs kavrina-cli as the user "nobody": only root can, with setpriv.
std::optional<std::vector<std::string>> asNobody() {
  if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) return std::nullopt;
  return std::vector<std::string>{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                  "--clear-groups", "--"};
}

// Every file under `folder`, hidden ones included, with its bytes: to see that a failed run
// changed nothing, added nothing and left nothing behind.
std::map<std::string, std::string> contentsOf(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = readFileBytes(entry.path());
  return files;
}

// The names of the files that differ between two contents (changed, added or removed).
std::vector<std::string> differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : before)
    if (!after.count(name) || after.at(name) != bytes) names.push_back(name);
  for (const auto& [name, bytes] : after)
    if (!before.count(name)) names.push_back(name);
  return names;
}

// Gives every user the folder and everything in it, writable or read-only.
void modeForEveryone(const fs::path& folder, bool writable) {
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    ::chmod(entry.path().c_str(),
            entry.is_directory() ? (writable ? 0777 : 0555) : (writable ? 0666 : 0444));
  ::chmod(folder.c_str(), writable ? 0777 : 0555);
}

// A register of company 000 made by the program's own code, copied to a place of the test's
// choosing, and kavrina-cli run on the copy with a temporary folder of the test's own.
class HardDays : public ::testing::Test {
 protected:
  void SetUp() override {
    register_.addAssets({
        assetNo("1").acquired("15.03.2024").accounting(120000, 10, 1).tax(120000, 2, 10),
        assetNo("2").acquired("10.06.2016").accounting(50000, 20, 2).tax(50000, 3, 15),
        assetNo("3").acquired("01.02.2010").accounting(9000, 10, 1).tax(9000, 1, 2.5),
    });
    register_.program().areas.closeAll();
    ::chmod(place_.path().c_str(), 0755);
    fs::create_directory(temp());
    ::chmod(temp().c_str(), 01777);  // shared by every user, as /tmp is
  }

  fs::path temp() const { return place_ / "tmp"; }
  // Copies the register into `folder` (created).
  void copyRegisterTo(const fs::path& folder) {
    fs::create_directories(folder);
    for (const char* part : {"DBF", "NTX", "Kavrina.ini"})
      fs::copy(register_.path() / part, folder / part, fs::copy_options::recursive);
  }
  CliRun run(const fs::path& folder, const std::vector<std::string>& args,
             const std::vector<std::string>& launcher = {}) {
    std::vector<std::string> all = {"--dir", folder.string()};
    all.insert(all.end(), args.begin(), args.end());
    return runKavrinaCli(
        all, place_.path(),
        {{"KAVRINA_HOME", ""}, {"TEMP", temp().string()}, {"TMPDIR", ""}, {"XDG_RUNTIME_DIR", ""}},
        launcher);
  }

  TempDir place_;  // first: under the system's temporary folder, which every user may enter
  RegisterFolder register_;
};

TEST_F(HardDays, ASecondUserOfTheComputerStartsAfterTheFirst) {
  const auto nobody = asNobody();
  if (!nobody) GTEST_SKIP() << "needs root and setpriv to run the tool as a second user";
  const fs::path program = place_ / "program";
  copyRegisterTo(program);
  modeForEveryone(program, true);

  const CliRun first = run(program, {"izvoz", "MDOS"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const CliRun second = run(program, {"izvoz", "MDOS"}, *nobody);
  EXPECT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.err, "");
  EXPECT_EQ(second.out, first.out);

  // Each user's marker in a folder of that user's own.
  for (uid_t user : {uid_t{0}, kNobody}) {
    struct stat st {};
    const fs::path own = temp() / ("Kavrina-" + std::to_string(user));
    ASSERT_EQ(::lstat(own.c_str(), &st), 0) << own;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, user);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(fs::exists(own / "Kavrina.run"));
  }
  EXPECT_FALSE(fs::exists(temp() / "Kavrina.run"));
}

TEST_F(HardDays, AFolderThisUserMayOnlyReadIsCalledReadOnly) {
  // Root ignores file modes: the tool then runs as a second user.
  std::vector<std::string> launcher;
  if (::geteuid() == 0) {
    const auto nobody = asNobody();
    if (!nobody) GTEST_SKIP() << "needs setpriv to run the tool as a user that modes apply to";
    launcher = *nobody;
  }
  const fs::path program = place_ / "program";
  copyRegisterTo(program);
  modeForEveryone(program, false);
  const auto before = contentsOf(program);

  const CliRun r = run(program, {"obracun", "--godina", "2024"}, launcher);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("nije moguce menjati:\nfajl, folder ili disk je samo za citanje."),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("zakljucan od strane"), std::string::npos) << r.err;
  EXPECT_EQ(differences(before, contentsOf(program)), std::vector<std::string>{});
}

TEST_F(HardDays, ALinkPlantedAsATableIsNamedAndNotFollowed) {
  const fs::path program = place_ / "program";
  copyRegisterTo(program);
  TempDir elsewhere;
  fs::rename(program / "DBF/MDOS.dbf", elsewhere / "MDOS.dbf");
  fs::create_symlink(elsewhere / "MDOS.dbf", program / "DBF/MDOS.dbf");
  const std::string target = readFileBytes(elsewhere / "MDOS.dbf");

  const CliRun r = run(program, {"obracun", "--godina", "2024"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind("Fajl (DBF/MDOS.dbf) je simbolicka veza na drugi fajl.\n"
                        "Program ne otvara fajlove preko takve veze.",
                        0),
            0u)
      << r.err;
  EXPECT_EQ(readFileBytes(elsewhere / "MDOS.dbf"), target);
}

// A small file system of its own, mounted by the test and gone with it.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& at) : at_(at) {
    fs::create_directory(at_);
    if (::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=1m,mode=0755") == 0)
      mounted_ = true;
    else
      refusal_ = std::strerror(errno);
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  const std::string& refusal() const { return refusal_; }
  bool remount(bool readOnly) {
    return ::mount("tmpfs", at_.c_str(), "tmpfs", MS_REMOUNT | (readOnly ? MS_RDONLY : 0),
                   "size=1m,mode=0755") == 0;
  }
  // Takes every free byte with one file.
  void fill(const fs::path& filler) {
    std::ofstream out(filler, std::ios::binary);
    const std::string block(4096, 'x');
    while (out.write(block.data(), static_cast<std::streamsize>(block.size()))) out.flush();
  }

 private:
  fs::path at_;
  bool mounted_ = false;
  std::string refusal_;
};

TEST_F(HardDays, AFullDiskIsNamedAndEveryEarlierFileStaysAsItWas) {
  SmallDisk disk(place_ / "disk");
  if (!disk.mounted())
    GTEST_SKIP() << "mounting a small file system was refused (" << disk.refusal()
                 << "); the full disk is tested through the fault-injection layer in "
                    "FullDisk.EveryWriteOfACalculationFailingLeavesTheEarlierResults";
  const fs::path program = place_ / "disk" / "program";
  copyRegisterTo(program);
  ASSERT_EQ(run(program, {"obracun", "--godina", "2024"}).exitCode, 0);

  disk.fill(place_ / "disk" / "filler");
  const auto before = contentsOf(program);
  for (const char* year : {"2024", "2025"}) {  // a result redone, and a new one
    const CliRun r = run(program, {"obracun", "--godina", year});
    EXPECT_EQ(r.exitCode, 1) << year;
    EXPECT_EQ(r.err.rfind("Nema dovoljno prostora na disku.\nFajl (", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(") nije moguce upisati."), std::string::npos) << r.err;
    EXPECT_EQ(differences(before, contentsOf(program)), std::vector<std::string>{}) << year;
  }

  fs::remove(place_ / "disk" / "filler");
  ASSERT_TRUE(disk.remount(true));
  const CliRun readOnly = run(program, {"obracun", "--godina", "2025"});
  EXPECT_EQ(readOnly.exitCode, 1);
  EXPECT_NE(readOnly.err.find("fajl, folder ili disk je samo za citanje."), std::string::npos)
      << readOnly.err;

  ASSERT_TRUE(disk.remount(false));
  const CliRun freed = run(program, {"obracun", "--godina", "2025"});
  EXPECT_EQ(freed.exitCode, 0) << freed.err;
  EXPECT_TRUE(fs::exists(program / "DBF/A202512R.dbf"));
}

TEST(FullDisk, EveryWriteOfACalculationFailingLeavesTheEarlierResults) {
  RegisterFolder folder;
  folder.addAssets(
      {assetNo("1").acquired("15.03.2024").accounting(120000, 10, 1).tax(120000, 2, 10),
       assetNo("2").acquired("10.06.2016").accounting(50000, 20, 2).tax(50000, 3, 15)});
  store::Program& program = folder.program();
  const depreciation::ObracunRequest request{2025, 12, true, true};
  ASSERT_TRUE(depreciation::runObracun(program, request, {}).done);
  // A new asset: a run that went through would change the results.
  folder.addAssets({assetNo("3").acquired("01.02.2010").accounting(9000, 10, 1).tax(9000, 1, 2.5)});
  const auto before = contentsOf(folder.path());

  // The disk is full from the n-th write of the run on, for every n until the run has
  // room for all of its writes.
  std::uint64_t n = 1;
  for (;; ++n) {
    SCOPED_TRACE("the disk is full from write " + std::to_string(n));
    ASSERT_LT(n, 100000u);
    faults::arm({.op = faults::Op::Write,
                 .nth = n,
                 .effect = faults::Effect::Fail,
                 .error = ENOSPC,
                 .sticky = true});
    errors::Error failure;
    try {
      depreciation::runObracun(program, request, {});
    } catch (const errors::Error& e) {
      failure = e;
    }
    faults::disarm();
    if (failure.GENCODE == 0) break;  // every write of the run came before the n-th
    ASSERT_EQ(failure.OSCODE, errors::os::kDiskFull) << failure.what();
    const auto message = errors::userMessage(failure, "/");
    ASSERT_TRUE(message);
    EXPECT_EQ(
        message->rfind("Nema dovoljno prostora na disku.\r\nFajl (" + failure.FILENAME + ")", 0),
        0u)
        << *message;
    // A result table of this run is its old self or its whole new self (the accounting
    // table may be done when the disk fills during the tax table), and so is the working
    // index over it; nothing else changed.
    for (const std::string& name : differences(before, contentsOf(folder.path()))) {
      if (name == "DBF/A202512R.dbf" || name == "DBF/A202512P.dbf") {
        const std::size_t rows =
            name == "DBF/A202512R.dbf" ? folder.raRows(2025).size() : folder.paRows(2025).size();
        EXPECT_EQ(rows, 3u) << name;
      } else {
        ASSERT_TRUE(name == "NTX/BazaRA.ntx" || name == "NTX/BazaPA.ntx")
            << name << " changed, added or left behind";
        auto index = store::ntx::NtxFile::open(folder.path() / name, true, true);
        ASSERT_TRUE(index) << name;
        const auto tree = store::ntx::checkTree(*index, false);
        EXPECT_TRUE(tree.ok()) << name << ": " << tree.problem;
        EXPECT_EQ(tree.itemCount, 3u) << name;
      }
    }
  }
  EXPECT_GT(n, 2u);
  EXPECT_EQ(folder.raRows(2025).size(), 3u) << "the run with room wrote the new results";
}

TEST(Utf8Export, SerbianNamesComeOutOfTheTablesAsTheyWereTyped) {
  RegisterFolder folder;
  ASSERT_TRUE(store::writeRecord(folder.program(), "Firme", true, [](store::DbfTable& t) {
    t.putString("Sifra", "001");
    t.putString("Naziv", "Šećerana Žabalj, Đurđevo");
    t.putString("Mesto", "Čačak");
  }));
  folder.program().areas.closeAll();
  TempDir elsewhere;
  const CliRun r = runKavrinaCli({"--dir", folder.path().string(), "izvoz", "Firme"},
                                 elsewhere.path(), {{"KAVRINA_HOME", ""}});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\n001,\"Šećerana Žabalj, Đurđevo\",Čačak,\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace kavrina::test
