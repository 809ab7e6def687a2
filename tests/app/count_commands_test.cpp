// The window's count commands driven through the scripted user interface: the first label's
// place asked and checked, the date, the scanner files, the summary and the CSV offered
// with its overwrite question; nothing printed or written after a cancel.
#include "app/count_commands.h"

#include <gtest/gtest.h>

#include <deque>

#include "app/depreciation_calls.h"
#include "app/list_loaders.h"
#include "depreciation/asset_builder.h"
#include "depreciation/register_folder.h"
#include "reports/recording_printer.h"
#include "support/temp_dir.h"

namespace kavrina::app {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

class ChosenFile final : public ui::SaveDialog {
 public:
  std::deque<std::optional<fs::path>> answers;
  std::optional<fs::path> execute(const ui::SaveDialogSettings&) override {
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class CountCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.addAssets({assetNo("1").acquired("01.02.2020"), assetNo("2").acquired("01.02.2020"),
                       assetNo("3").acquired("01.02.2020")});
    depreciation::UcitajOsnovnaSredstva(program(), depreciation::presentValueLookup(program()));
  }
  store::Program& program() { return folder_.program(); }
  ui::ScriptedUi& ui() { return folder_.ui(); }
  // The filled rectangles (bars) of page `page`.
  std::vector<reports::PageOp> bars(int page) {
    std::vector<reports::PageOp> out;
    for (const auto& op : printer_.document().pages().at(page).ops())
      if (op.kind == reports::OpKind::Fill) out.push_back(op);
    return out;
  }

  RegisterFolder folder_;
  test::TempDir elsewhere_{folder_.path().parent_path()};
  reports::RecordingPrinter printer_;
};

TEST_F(CountCommands, LabelsStartAtThePlaceTypedAndRefuseAPlaceOffTheSheet) {
  ui().type("25");
  printLabelsCommand(program(), printer_);
  EXPECT_EQ(printer_.beginDocCount(), 0);
  EXPECT_EQ(ui().messages().back(), "Prva nalepnica mora biti od 1 do 24.");

  ui().cancel();
  printLabelsCommand(program(), printer_);
  EXPECT_EQ(printer_.beginDocCount(), 0);

  ui().type("3");  // the third place is the last of the first row: x from 140 to 210
  printLabelsCommand(program(), printer_);
  ASSERT_EQ(printer_.document().pageCount(), 1);
  const auto all = bars(0);
  ASSERT_FALSE(all.empty());
  int inThird = 0, inFourth = 0, inFifth = 0;
  for (const auto& bar : all) {
    if (bar.y2 <= 37.5) {
      EXPECT_GE(bar.x1, 140 + 2.5) << "no bar in places 1 and 2 or in a label's margin";
      ++inThird;
    }
    if (bar.y1 >= 37.5 && bar.x2 <= 70) ++inFourth;
    if (bar.y1 >= 37.5 && bar.x1 >= 70 && bar.x2 <= 140) ++inFifth;
  }
  EXPECT_EQ(inThird + inFourth + inFifth, static_cast<int>(all.size()));
  EXPECT_GT(inThird, 0);
  EXPECT_GT(inFourth, 0) << "the second label opens the second row";
  EXPECT_GT(inFifth, 0);
}

TEST_F(CountCommands, DifferencesAskDateAndFilesThenOfferTheCsv) {
  const fs::path scan = elsewhere_.path() / "s.txt";
  test::writeFileBytes(scan, "1\n3\n3\n77\n");
  const fs::path csv = elsewhere_.path() / "r.csv";
  ChosenFile save;
  int picked = 0;
  auto pick = [&] {
    ++picked;
    return std::vector<fs::path>{scan};
  };

  ui().cancel();  // the date
  countDifferencesCommand(program(), printer_, pick, save, program().clock.today());
  EXPECT_EQ(picked, 0);

  ui().type("31.12.2025").yes();
  save.answers.push_back(csv);
  countDifferencesCommand(program(), printer_, pick, save, program().clock.today());
  EXPECT_EQ(printer_.previewCount(), 1);
  const auto messages = ui().messages();
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages[messages.size() - 3],
            "Pronadjeno: 2, manjak: 1, visak: 1, skenirano vise puta: 1");
  EXPECT_EQ(messages.back(), "Sacuvan CSV: " + csv.string());
  const std::string written = test::readFileBytes(csv);
  EXPECT_NE(written.find("Visak,1,77,,"), std::string::npos) << written;

  // Again into the same file: the overwrite question, answered No, keeps the first CSV.
  test::writeFileBytes(scan, "2\n");
  ui().type("31.12.2025").yes().no();
  save.answers.push_back(csv);
  countDifferencesCommand(program(), printer_, pick, save, program().clock.today());
  EXPECT_EQ(ui().messages().back(), "Fajl " + csv.string() + " vec postoji. Presnimiti ga?");
  EXPECT_EQ(test::readFileBytes(csv), written);
  EXPECT_EQ(ui().unusedAnswers(), 0u);
}

}  // namespace
}  // namespace kavrina::app
