// kavrina-cli uvoz as real processes: its messages and exit codes, and four stations
// importing into one company at once.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_check.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class UvozFolder : public ::testing::Test {
 protected:
  CliRun run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--dir", folder_.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return runKavrinaCli(all, folder_.path(), {{"KAVRINA_HOME", ""}});
  }
  fs::path write(const std::string& name, const std::string& text) {
    const fs::path file = files_.path() / name;
    writeFileBytes(file, text);
    return file;
  }
  // The lines of `izvoz MDOS` after its header.
  std::vector<std::string> exported(const std::vector<std::string>& options = {}) {
    std::vector<std::string> args = options;
    args.insert(args.end(), {"izvoz", "MDOS"});
    const CliRun csv = run(args);
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    std::vector<std::string> lines;
    std::size_t at = csv.out.find('\n') + 1;
    while (at < csv.out.size()) {
      const std::size_t end = csv.out.find('\n', at);
      lines.push_back(csv.out.substr(at, end - at));
      at = end + 1;
    }
    return lines;
  }

  TempDir folder_;
  TempDir files_;
};

TEST_F(UvozFolder, ABadFileListsEveryLineExitsWithOneAndATrialWritesNothing) {
  const fs::path good = write("dobar.csv", "InvBr;Naziv;DatumN;RAOsn\n1;Sto;01.02.2024;1.500,00\n");
  const CliRun trial = run({"uvoz", good.string(), "--proba"});
  EXPECT_EQ(trial.exitCode, 0) << trial.err;
  EXPECT_EQ(trial.out,
            "Fajl je procitan kao UTF-8.\nPAOsn nije zadat: uzeta je RAOsn za 1 sredstava\n"
            "Fajl je ispravan: 1 sredstava. Nista nije upisano (--proba).\n");
  EXPECT_TRUE(exported().empty());

  const CliRun done = run({"uvoz", good.string()});
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(done.out,
            "Fajl je procitan kao UTF-8.\nPAOsn nije zadat: uzeta je RAOsn za 1 sredstava\n"
            "Uvezeno sredstava: 1\n");
  EXPECT_EQ(exported(),
            std::vector<std::string>{
                "1,Sto,01.02.2024,,,,1500.000,1500.000,0.000,0.00,0.000,1,2.500,1,0,1,0,0"});

  const CliRun again = run({"uvoz", good.string()});
  EXPECT_EQ(again.exitCode, 0) << "the same file again changes nothing and is no error";
  EXPECT_NE(again.out.find("Sva sredstva iz fajla su vec u registru"), std::string::npos)
      << again.out;
  EXPECT_EQ(exported().size(), 1u);

  const fs::path bad = write("los.csv",
                             "InvBr;Naziv;DatumN;RAOsn\n2;Novi;01.02.2024;5\n1;Isti;01.02.2024;5\n"
                             "3;Los;01.13.2024;5\n");
  const CliRun refused = run({"uvoz", bad.string()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out,
            "Fajl je procitan kao UTF-8.\n"
            "PAOsn nije zadat: uzeta je RAOsn za 2 sredstava\n");
  EXPECT_EQ(refused.err,
            "Red 3, kolona InvBr: inventarski broj 1 vec postoji u registru\n"
            "Red 4, kolona DatumN: pogresan datum (dd.mm.yyyy ili yyyy-mm-dd): \"01.13.2024\"\n"
            "Fajl " +
                bad.string() + " ima pogresnih redova: 2. Nista nije uvezeno.\n");
  EXPECT_EQ(exported().size(), 1u);

  const CliRun header = run({"uvoz", write("kolone.csv", "InvBr,Naziv,Cena\n").string()});
  EXPECT_EQ(header.exitCode, 1);
  EXPECT_NE(header.err.find("Red 1: nepoznata kolona \"Cena\""), std::string::npos) << header.err;

  const CliRun missing = run({"uvoz", (files_.path() / "nema.csv").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("ne moze da se procita"), std::string::npos) << missing.err;
  EXPECT_EQ(run({"uvoz"}).exitCode, 2);
}

// Texts a spreadsheet would run as formulas, put into the register by other means than the
// import (which refuses them): izvoz quotes them so that a reader of the CSV gets the text.
TEST_F(UvozFolder, IzvozQuotesFormulaLookingTextsSoThatTheyReadBackAsText) {
  ASSERT_EQ(run({"izvoz", "MDOS"}).exitCode, 0);
  const std::vector<std::string> texts = {"=HYPERLINK(\"http://x\",\"a\")", "+cmd|' /C calc'!A0",
                                          "-1+2", "@SUM(A1)", "Obican, naziv"};
  {
    auto mdos = store::DbfTable::open(folder_.path() / "DBF/MDOS.dbf", {.shared = false});
    ASSERT_TRUE(mdos);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      ASSERT_TRUE(mdos->append());
      mdos->putString("InvBr", std::to_string(i + 1));
      mdos->putString("Naziv", texts[i]);
      mdos->putNumber("RAOsn", -12.5);
    }
    mdos->close();
  }
  const CliRun csv = run({"izvoz", "MDOS"});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  const fs::path file = write("izvoz.csv", csv.out);
  // Python's csv module reads each name back: the formulas behind an apostrophe, the plain
  // name as it is, the negative amount a number; no cell begins as a formula does.
  const std::string check =
      "import csv, sys\n"
      "rows = list(csv.reader(open(sys.argv[1], newline='')))[1:]\n"
      "want = sys.argv[2:]\n"
      "names = [r[1] for r in rows]\n"
      "expected = [(\"'\" + w if w[0] in '=+-@' else w) for w in want]\n"
      "assert names == expected, (names, expected)\n"
      "assert all(r[6] == '-12.500' for r in rows), rows\n"
      "assert not any(c[:1] in ('=', '+', '@') for r in rows for c in r), rows\n";
  std::vector<std::string> args = {"-c", check, file.string()};
  args.insert(args.end(), texts.begin(), texts.end());
  EXPECT_EQ(runProcess("/usr/bin/python3", args), 0) << csv.out;
}

TEST_F(UvozFolder, FourStationsImportingAtOnceLeaveEveryAssetOnceAndTheIndexSound) {
  // The company 001 exists (its tables are made when it is first activated).
  ASSERT_EQ(run({"izvoz", "Firme"}).exitCode, 0);
  {
    auto firme = store::DbfTable::open(folder_.path() / "DBF/Firme.dbf", {.shared = false});
    ASSERT_TRUE(firme);
    ASSERT_TRUE(firme->append());
    firme->putString("Sifra", "001");
    firme->putString("Naziv", "Klijent");
    firme->close();
  }
  ASSERT_EQ(run({"--firma", "001", "izvoz", "MDOS"}).exitCode, 0);

  constexpr int kStations = 4;
  constexpr int kPerStation = 400;
  std::vector<fs::path> files;
  for (int s = 0; s < kStations; ++s) {
    std::string text = "InvBr;Naziv;DatumN;RAOsn\n";
    for (int n = 1; n <= kPerStation; ++n)
      text += std::to_string(n * kStations + s) + ";Stanica " + std::to_string(s) + ";01.01.2023;" +
              std::to_string(n) + ",50\n";
    files.push_back(write("stanica" + std::to_string(s) + ".csv", text));
  }
  std::vector<pid_t> pids;
  for (const fs::path& file : files)
    pids.push_back(startProcess(
        KAVRINA_CLI, {"--dir", folder_.path().string(), "--firma", "001", "uvoz", file.string()}));
  for (pid_t pid : pids) EXPECT_EQ(waitProcess(pid), 0);

  std::set<std::string> numbers;
  const std::vector<std::string> lines = exported({"--firma", "001"});
  for (const std::string& line : lines) numbers.insert(line.substr(0, line.find(',')));
  EXPECT_EQ(lines.size(), static_cast<std::size_t>(kStations * kPerStation));
  EXPECT_EQ(numbers.size(), lines.size()) << "an asset is there twice";
  EXPECT_TRUE(exported().empty()) << "company 000 got assets of 001";

  auto index = store::ntx::NtxFile::open(folder_.path() / "001/NTX/MDOS.ntx", true, true);
  ASSERT_TRUE(index);
  const store::ntx::TreeCheck tree = store::ntx::checkTree(*index);
  EXPECT_TRUE(tree.ok()) << tree.problem;
  EXPECT_EQ(tree.itemCount, lines.size());
  std::set<std::uint32_t> records;
  for (const auto& entry : tree.entries) records.insert(entry.second);
  EXPECT_EQ(records.size(), lines.size()) << "each record has one index entry";
}

TEST_F(UvozFolder, OfTwoStationsImportingTheSameNumberAtOnceOneWinsWhole) {
  std::vector<fs::path> files;
  for (int s = 0; s < 3; ++s) {
    std::string text = "InvBr,Naziv,DatumN,RAOsn\n";
    for (int n = 1; n <= 300; ++n) text += std::to_string(1000 * (s + 1) + n) + ",a,1.1.2023,1\n";
    text += "777,Zajednicki,1.1.2023,1\n";
    files.push_back(write("s" + std::to_string(s) + ".csv", text));
  }
  std::vector<pid_t> pids;
  for (const fs::path& file : files)
    pids.push_back(
        startProcess(KAVRINA_CLI, {"--dir", folder_.path().string(), "uvoz", file.string()}));
  int succeeded = 0;
  for (pid_t pid : pids) {
    const int code = waitProcess(pid);
    EXPECT_TRUE(code == 0 || code == 1) << code;
    succeeded += code == 0;
  }
  EXPECT_EQ(succeeded, 1);
  EXPECT_EQ(exported().size(), 301u) << "the winner's file whole, nothing of the others";
}

}  // namespace
}  // namespace kavrina::test
