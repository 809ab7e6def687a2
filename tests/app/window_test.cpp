// The main window offscreen: its trees, columns, sections, information screen and the
// preview's place, driven through its widgets; screenshots of each section are saved.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/tfosmain.h"
#include "app_fixture.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class Window : public AppTest {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "app_window_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  // A small register, then the window as the program makes it, shown at its design size.
  void SetUp() override {
    openDatabase();
    addCompany("000", "Velmar", "Beograd");
    addAsset({"1", "Racunar Dell", "10.02.2020", 120000, 120000});
    addAsset({"2", "Sto radni", "01.06.2019", 999, 999, "", 3, 1220});
    addAsset({"10", "Automobil", "15.07.2018", 1234, 1234, "20.12.2022", 3, 1230});
    addAsset({"3", "Stolica", "05.05.2021", 15000.5, 14000, "", 7, 1220});
    addAccountingResult("A202312R.dbf", {{"1", 96000}, {"2", 799.2}, {"3", 13500.45}});
    addEmptyResult("A202312P.dbf");
    addEmptyResult("A201812P.dbf");
    window_ = std::make_unique<app::TFOSMAIN>(program(), recorded_.hooks(false));
    window_->navigator().setToday([] { return kToday; });
    window_->resize(1000, 640);
    window_->show();
    QApplication::processEvents();
  }
  void TearDown() override { window_.reset(); }

  void press(QToolButton* button) {
    button->click();
    QApplication::processEvents();
  }

  // The tree as lines "  text", two blanks per level.
  std::vector<std::string> treeLines() {
    std::vector<std::string> out;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
      out.push_back(std::string(depth * 2, ' ') + item->text(0).toStdString());
      EXPECT_FALSE(item->icon(0).isNull()) << item->text(0).toStdString();
      if (item->childCount() > 0) EXPECT_TRUE(item->isExpanded()) << item->text(0).toStdString();
      for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < window_->TreeView1->topLevelItemCount(); ++i)
      walk(window_->TreeView1->topLevelItem(i), 0);
    return out;
  }

  std::vector<std::string> expectedLines(app::Section section) {
    std::vector<std::string> out;
    std::function<void(const app::CommandNode&, int)> walk = [&](const app::CommandNode& n, int d) {
      out.push_back(std::string(d * 2, ' ') + n.text);
      for (const auto& c : n.children) walk(c, d + 1);
    };
    walk(app::commandTree(section), 0);
    return out;
  }

  QTreeWidgetItem* treeNode(const QString& text) {
    const auto found = window_->TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
  }

  QString cell(int row, int column) {
    return window_->sgSpisak->model()->index(row, column).data().toString().trimmed();
  }

  void screenshot(const char* name) {
    fs::create_directories(KAVRINA_SCREENSHOTS);
    const std::string path = std::string(KAVRINA_SCREENSHOTS) + "/" + name + ".png";
    ASSERT_TRUE(window_->grab().save(QString::fromStdString(path)));
    std::cout << "screenshot: " << path << "\n";
  }

  static inline std::unique_ptr<QApplication> app_;
  std::unique_ptr<app::TFOSMAIN> window_;
};

TEST_F(Window, StartsOnTheInformationScreenWithTheListsLoaded) {
  EXPECT_EQ(program().CSENDER, "");
  EXPECT_EQ(program().AOSNOVNASREDSTVA.size(), 4u);
  EXPECT_EQ(program().AFIRME.size(), 1u);
  EXPECT_EQ(program().AOBRACUNI.size(), 7u) << "1 + 4 + 2 rows";
  EXPECT_EQ(program().NMESECI, 0);
  EXPECT_TRUE(window_->lSwName->isVisible());
  EXPECT_TRUE(window_->lSwVerzija->isVisible());
  EXPECT_FALSE(window_->lAutorskaPrava->isVisible());
  EXPECT_FALSE(window_->sgSpisak->isVisible());
  EXPECT_FALSE(window_->ToolBarStampa->isVisible());
  EXPECT_EQ(window_->windowTitle(), "Kavrina 1.07 - Velmar - Trivel");
  EXPECT_EQ(window_->StatusC->text(), "Velmar");
  EXPECT_EQ(window_->lSwVerzija->text(), "verzija 1.07 (16.10.2023)");
  // The labels are stacked and centred.
  const auto centre = [&](QLabel* l) { return l->mapTo(window_.get(), l->rect().center()).x(); };
  EXPECT_NEAR(centre(window_->lSwName), window_->width() / 2, 2);
  EXPECT_NEAR(centre(window_->lSwVerzija), window_->width() / 2, 2);
  EXPECT_EQ(window_->lVelmar->y(), window_->lSwName->y() + window_->lSwName->height());
  EXPECT_EQ(window_->lSwVerzija->y(), window_->lVelmar->y() + window_->lVelmar->height() + 10);
  screenshot("start");
}

TEST_F(Window, EachSectionShowsItsTreeColumnsAndList) {
  struct Case {
    QToolButton* button;
    app::Section section;
    const char* panel;
    std::vector<const char*> titles;
    std::vector<int> widths;  // 0: hidden
    std::vector<Qt::Alignment> alignments;
    const char* shot;
  };
  const Qt::Alignment L = Qt::AlignLeft, R = Qt::AlignRight, C = Qt::AlignHCenter;
  const Case cases[] = {
      {window_->Firme, app::Section::Firma, " Kavrina - Firma", {"Sifra", "Naziv", "Mesto", ""},
       {100, 200, 200, 0}, {L, L, L, L}, "firma"},
      {window_->Kavrina, app::Section::Kavrina, " Kavrina - Spisak",
       {"Inventarski broj", "Naziv", "Datum nabavke", "Racunovodstvena NV", "Poreska NV",
        "Ispravka vrednosti", "Sadasnja vrednost"},
       {80, 200, 80, 100, 100, 100, 100}, {L, L, L, R, R, R, R}, "kavrina"},
      {window_->Obracuni, app::Section::Obracuni, " Kavrina - Obracuni",
       {"Baza podataka", "Obracun", "Godina", "Broj Meseci", ""}, {0, 300, 100, 100, 0},
       {L, L, C, C, L}, "obracuni"},
  };
  for (const Case& c : cases) {
    press(c.button);
    SCOPED_TRACE(c.shot);
    EXPECT_EQ(window_->Panel1->text().toStdString(), c.panel);
    EXPECT_TRUE(window_->sgSpisak->isVisible());
    EXPECT_TRUE(window_->TreeView1->isVisible());
    EXPECT_FALSE(window_->lSwName->isVisible());
    EXPECT_EQ(treeLines(), expectedLines(c.section));
    QAbstractItemModel* model = window_->sgSpisak->model();
    ASSERT_EQ(model->columnCount(), static_cast<int>(c.titles.size()));
    for (int col = 0; col < model->columnCount(); ++col) {
      EXPECT_EQ(model->headerData(col, Qt::Horizontal).toString().toStdString(), c.titles[col]);
      if (c.widths[col] == 0)
        EXPECT_TRUE(window_->sgSpisak->isColumnHidden(col)) << col;
      else
        EXPECT_EQ(window_->sgSpisak->columnWidth(col), c.widths[col]) << col;
      if (model->rowCount() > 0) {
        const auto a = model->index(0, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(a & Qt::AlignHorizontal_Mask, c.alignments[col]) << col;
      }
    }
    if (c.section == app::Section::Kavrina) {
      EXPECT_EQ(cell(0, 5), "24,000.00") << "accumulated depreciation of asset 1";
      EXPECT_EQ(cell(0, 6), "96,000.00") << "present value of asset 1 from the 2023 result";
    }
    screenshot(c.shot);
  }
}

TEST_F(Window, ClickingATitleSortsAndTheNextClickSortsTheOtherWay) {
  press(window_->Kavrina);
  QHeaderView* header = window_->sgSpisak->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
  QApplication::processEvents();
  EXPECT_EQ(cell(0, 0), "2");
  EXPECT_EQ(cell(3, 0), "1");
  EXPECT_EQ(window_->sgSpisak->currentIndex().row(), 0);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
  QApplication::processEvents();
  EXPECT_EQ(cell(0, 0), "10");
  EXPECT_EQ(cell(3, 0), "1");
}

TEST_F(Window, SelectingATreeNodeRunsItsCommandAndClearsTheSelection) {
  press(window_->Kavrina);
  ui().type("stol");
  window_->TreeView1->setCurrentItem(treeNode("Trazi"));
  QApplication::processEvents();
  EXPECT_EQ(window_->sgSpisak->model()->rowCount(), 1);
  EXPECT_EQ(cell(0, 1), "Stolica");
  EXPECT_TRUE(window_->TreeView1->selectedItems().isEmpty());
  window_->TreeView1->setCurrentItem(treeNode("Osvezi"));
  EXPECT_EQ(window_->sgSpisak->model()->rowCount(), 4);
  EXPECT_EQ(program().CFILTER, "");
}

TEST_F(Window, DeletedRowShowsInParenthesesInTheGrid) {
  press(window_->Kavrina);
  window_->sgSpisak->selectRow(1);
  window_->sgSpisak->setCurrentIndex(window_->sgSpisak->model()->index(1, 0));
  ui().yes();
  window_->runTreeCommand("Brisi");
  EXPECT_EQ(cell(1, 0), "(2)");
  EXPECT_EQ(cell(1, 3), "(999.00)");
  EXPECT_EQ(window_->sgSpisak->currentIndex().row(), 1);
}

TEST_F(Window, DoubleClickOnAnAssetOpensItsForm) {
  press(window_->Kavrina);
  window_->sgSpisak->setCurrentIndex(window_->sgSpisak->model()->index(2, 1));
  window_->sgSpisakOnDblClick();
  EXPECT_EQ(recorded_.calls, (std::vector<std::string>{"assetForm 3"}));
}

TEST_F(Window, InfoReturnsToTheInformationScreen) {
  press(window_->Obracuni);
  press(window_->Info);
  EXPECT_FALSE(window_->sgSpisak->isVisible());
  EXPECT_FALSE(window_->TreeView1->isVisible());
  EXPECT_TRUE(window_->lAutorskaPrava->isVisible());
  EXPECT_TRUE(window_->lDistribucija->isVisible());
  EXPECT_EQ(window_->StatusC->text(), "");
  EXPECT_EQ(program().CSENDER, "Obracuni");
  EXPECT_EQ(window_->Info->menu(), window_->PopupMenuInfo);
  screenshot("info");
}

TEST_F(Window, ClosingDuringAPreviewOnlyHidesIt) {
  press(window_->Kavrina);
  auto* preview = new QLabel("preview page");
  window_->showPreviewWidget(preview);
  QApplication::processEvents();
  EXPECT_TRUE(window_->previewVisible());
  EXPECT_TRUE(window_->ToolBarStampa->isVisible());
  EXPECT_TRUE(preview->isVisible());
  EXPECT_FALSE(window_->ToolBar1->isVisible()) << "the preview's bar takes the tool bar's place";
  EXPECT_EQ(window_->eTBStrana->text(), "Strana 1 od 1");
  screenshot("preview");
  EXPECT_FALSE(window_->close()) << "the close is refused";
  EXPECT_TRUE(window_->isVisible());
  EXPECT_FALSE(window_->previewVisible());
  EXPECT_FALSE(window_->ToolBarStampa->isVisible());
  EXPECT_TRUE(window_->sgSpisak->isVisible());
  EXPECT_TRUE(window_->ToolBar1->isVisible());
  EXPECT_TRUE(window_->close()) << "without a preview the window closes";
}

TEST_F(Window, PreviewButtonsCallTheirActions) {
  std::vector<std::string> clicked;
  app::TFOSMAIN::PreviewActions actions;
  actions.SledecaStranaClick = [&] { clicked.push_back("Sledeca"); };
  actions.StampajDokumentClick = [&] { clicked.push_back("Stampaj"); };
  window_->setPreviewActions(actions);
  window_->showPreviewWidget(new QLabel("p"));
  window_->SledecaStrana->click();
  window_->Stampaj->click();
  window_->PrvaStrana->click();  // no action set: nothing happens
  EXPECT_EQ(clicked, (std::vector<std::string>{"Sledeca", "Stampaj"}));
  EXPECT_EQ(window_->SledecaStrana->toolTip(), "Sledeca Strana");
  EXPECT_EQ(window_->UmanjenaStrana->toolTip(), "Pregled cele strane");
}

}  // namespace
}  // namespace kavrina::test
