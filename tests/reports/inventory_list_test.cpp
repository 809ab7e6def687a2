// The inventory list against the recording printer: rows, leader and writing line, the
// continuous numbers, where the signature block goes for 43, 44, 50 and 51 rows, the filter
// in the heading, and the dialogs around it.
#include "reports/inventory_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/number_picture.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"
#include "support/listed_asset.h"
#include "support/scripted_ui.h"

namespace kavrina::reports {
namespace {

using test::findText;
using test::opsOf;
using test::textsInBand;
using ui::TextAlign;

const Date kDate = Date::fromYmd(2024, 12, 31);

class InventoryList : public ::testing::Test {
 protected:
  InventoryList() {
    program_.ui = &ui_;
    program_.CKORISNIKNAZIV = "Preduzece DOO";
    program_.CKORISNIKMESTO = "Beograd";
  }
  void rows(int count) {
    program_.AOSNOVNASREDSTVA.widths.naziv = 0;  // the names shown as they are
    for (int i = 1; i <= count; ++i) {
      std::string invBr = std::to_string(100 + i);
      invBr.resize(30, ' ');
      program_.AOSNOVNASREDSTVA.rows.push_back(
          test::listedAsset(invBr, "Sto " + std::to_string(i), Date::fromYmd(2020, 2, 1), 0, 0, 0));
    }
  }
  const PageDocument& doc() const { return printer_.document(); }
  // The texts of row slot k of a page.
  std::vector<std::string> slot(int page, int k) const {
    std::vector<std::string> texts;
    for (const auto& t : textsInBand(doc(), page, 26 + 5 * k)) texts.push_back(t.text);
    return texts;
  }
  // Whether the page holds the signature block where it belongs.
  bool hasSignatures(int page) const {
    const auto person = findText(doc(), page, "Odgovorno lice:");
    const auto commission = findText(doc(), page, "Clanovi popisne komisije:");
    if (!person || !commission) return false;
    return person->rect == ui::RectMm{10, 270, 50, 280} && person->align == TextAlign::Center &&
           commission->rect == ui::RectMm{150, 250, 200, 260};
  }
  std::vector<ui::RectMm> lines(int page) const {
    std::vector<ui::RectMm> out;
    for (const auto& op : opsOf(doc(), page, OpKind::Line)) out.push_back(op.rect());
    return out;
  }
  static bool has(const std::vector<ui::RectMm>& lines, ui::RectMm line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  ui::ScriptedUi ui_;
  store::Program program_;
  RecordingPrinter printer_;
};

TEST_F(InventoryList, RowHasNumberAssetLeaderInGreyAndWritingLine) {
  rows(2);
  ASSERT_TRUE(printInventoryList(program_, printer_, kDate).shown);
  EXPECT_EQ(doc().title, "PopisOsnovnihSredstava");
  const auto texts = textsInBand(doc(), 0, 31);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].text, "   1");
  EXPECT_EQ(texts[0].rect, (ui::RectMm{10, 31, 16, 36}));
  EXPECT_EQ(texts[0].align, TextAlign::Right);
  EXPECT_EQ(texts[1].text.substr(0, 3), "101");
  EXPECT_EQ(texts[2].text, "Sto 1");
  std::string leader;
  for (int i = 0; i < 35; ++i) leader += ".  ";
  EXPECT_EQ(texts[3].text, leader);
  EXPECT_EQ(texts[3].rect, (ui::RectMm{90, 31, 175, 36}));
  EXPECT_EQ(texts[3].font.color, 12632256u) << "light grey";
  EXPECT_EQ(texts[4].text, std::string(30, '_'));
  EXPECT_EQ(texts[4].align, TextAlign::Right);
  EXPECT_EQ(texts[4].font.color, 0u) << "black again";
  EXPECT_EQ(findText(doc(), 0, "Popisna lista Osnovnih sredstava")->rect.top, 8);
  EXPECT_TRUE(findText(doc(), 0, "na dan: 31.12.2024"));
  EXPECT_TRUE(findText(doc(), 0, "Stanje"));
  EXPECT_TRUE(findText(doc(), 0, "po popisu"));
  EXPECT_EQ(printer_.previewCount(), 1);
  EXPECT_EQ(ui_.openWaitNotices(), 0);
}

// Where the closing rule and the signature block go for a number of rows.
struct Closing {
  int rows;
  int pages;
  int lastRowPage;
  int lastRowSlot;
  double rule;  // the closing rule's y on the last row's page
};

class InventoryListClosing : public InventoryList, public ::testing::WithParamInterface<Closing> {};

TEST_P(InventoryListClosing, SignaturesStayClearOfTheRows) {
  const Closing c = GetParam();
  rows(c.rows);
  printInventoryList(program_, printer_, kDate);
  ASSERT_EQ(doc().pageCount(), c.pages);
  const auto last = slot(c.lastRowPage, c.lastRowSlot);
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last.front(), formatPicture(c.rows, "9999")) << "numbers run on across pages";
  EXPECT_TRUE(has(lines(c.lastRowPage), {10, c.rule, 200, c.rule}));
  const int signaturePage = c.pages - 1;
  EXPECT_TRUE(hasSignatures(signaturePage));
  for (int p = 0; p < signaturePage; ++p) EXPECT_FALSE(hasSignatures(p)) << "page " << p + 1;
  if (signaturePage != c.lastRowPage) {
    // The signature page: frame, the heading with "na dan :", a rule at 21, no rows.
    EXPECT_TRUE(findText(doc(), signaturePage, "na dan : 31.12.2024"));
    EXPECT_TRUE(has(lines(signaturePage), {8, 21, 202, 21}));
    EXPECT_FALSE(findText(doc(), signaturePage, "Stanje"));
    EXPECT_TRUE(slot(signaturePage, 1).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, InventoryListClosing,
                         ::testing::Values(Closing{43, 1, 0, 43, 246}, Closing{44, 2, 0, 44, 251},
                                           Closing{50, 2, 0, 50, 281}, Closing{51, 2, 1, 1, 36}),
                         [](const auto& info) { return std::to_string(info.param.rows); });

TEST_F(InventoryList, HeadingNamesTheFilterAndThePlace) {
  rows(1);
  program_.CFILTER = "lokacija: 3";
  printInventoryList(program_, printer_, kDate);
  const auto second = findText(doc(), 0, "na dan: 31.12.2024   (lokacija: 3)");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->font.size, 10);
  EXPECT_EQ(findText(doc(), 0, "Beograd")->align, TextAlign::Right);
}

TEST_F(InventoryList, EmptyListAndCancelledDateComposeNothing) {
  EXPECT_FALSE(StampaPopisa(program_, printer_, kDate).shown);
  EXPECT_EQ(ui_.messages(), (std::vector<std::string>{"Nema podataka za stampu!"}));
  rows(3);
  ui_.cancel();
  EXPECT_FALSE(StampaPopisa(program_, printer_, kDate).shown);
  EXPECT_EQ(printer_.beginDocCount(), 0);
  ui_.type("15.01.2025");
  const auto printed = StampaPopisa(program_, printer_, kDate);
  EXPECT_TRUE(printed.shown);
  EXPECT_EQ(printed.selectIndex, 0u);
  EXPECT_TRUE(findText(doc(), 0, "na dan: 15.01.2025"));
}

}  // namespace
}  // namespace kavrina::reports
