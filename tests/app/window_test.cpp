// The main window offscreen: its trees, columns, sections, information screen and the
// preview's place, driven through its widgets; screenshots of each section are saved.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/tfosmain.h"
#include "app/window_fixture.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class Window : public WindowTest {
 protected:
  // A small register, then the window as the program makes it, shown at its design size.
  void SetUp() override {
    openDatabase();
    addCompany("000", "Velmar", "Beograd");
    addAsset({"1", "Racunar Dell", "10.02.2020", 120000, 120000, "", 0, 0});
    addAsset({"2", "Sto radni", "01.06.2019", 999, 999, "", 3, 1220});
    addAsset({"10", "Automobil", "15.07.2018", 1234, 1234, "20.12.2022", 3, 1230});
    addAsset({"3", "Stolica", "05.05.2021", 15000.5, 14000, "", 7, 1220});
    addAccountingResult("A202312R.dbf", {{"1", 96000}, {"2", 799.2}, {"3", 13500.45}});
    addEmptyResult("A202312P.dbf");
    addEmptyResult("A201812P.dbf");
    window_ = std::make_unique<app::TFOSMAIN>(program(), recorded_.hooks(false));
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
      if (item->childCount() > 0) {
        EXPECT_TRUE(item->isExpanded()) << item->text(0).toStdString();
      }
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

  // Makes the window active, so that keys reach the focused control.
  void activate() {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    QApplication::processEvents();
  }
  // A mouse click on the tree node with this text.
  void clickNode(const char* text) {
    QTreeWidgetItem* item = treeNode(text);
    ASSERT_NE(item, nullptr) << text;
    const QRect rect = window_->TreeView1->visualItemRect(item);
    QTest::mouseClick(window_->TreeView1->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
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

  std::unique_ptr<app::TFOSMAIN> window_;
};

TEST_F(Window, StartsOnTheInformationScreenWithTheListsLoaded) {
  EXPECT_EQ(program().CSENDER, "");
  EXPECT_EQ(program().AOSNOVNASREDSTVA.size(), 4u);
  EXPECT_EQ(program().AFIRME.size(), 1u);
  EXPECT_EQ(program().AOBRACUNI.size(), 8u) << "2 + 4 + 2 rows";
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
      {window_->Firme,
       app::Section::Firma,
       " Kavrina - Firma",
       {"Sifra", "Naziv", "Mesto", ""},
       {100, 200, 200, 0},
       {L, L, L, L},
       "firma"},
      {window_->Kavrina,
       app::Section::Kavrina,
       " Kavrina - Spisak",
       {"Inventarski broj", "Naziv", "Datum nabavke", "Racunovodstvena NV", "Poreska NV",
        "Ispravka vrednosti", "Sadasnja vrednost"},
       {80, 200, 80, 100, 100, 100, 100},
       {L, L, L, R, R, R, R},
       "kavrina"},
      {window_->Obracuni,
       app::Section::Obracuni,
       " Kavrina - Obracuni",
       {"Baza podataka", "Obracun", "Godina", "Broj Meseci", ""},
       {0, 300, 100, 100, 0},
       {L, L, C, C, L},
       "obracuni"},
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
      if (c.widths[col] == 0) {
        EXPECT_TRUE(window_->sgSpisak->isColumnHidden(col)) << col;
      } else {
        // At least the documented width, and wide enough for the whole title.
        const int width = window_->sgSpisak->columnWidth(col);
        EXPECT_GE(width, c.widths[col]) << col;
        EXPECT_GE(width, window_->sgSpisak->horizontalHeader()->sectionSizeHint(col)) << col;
      }
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

TEST_F(Window, ClickingATreeNodeRunsItsCommandAgainEachTime) {
  press(window_->Kavrina);
  ui().type("stol");
  clickNode("Trazi");
  EXPECT_EQ(window_->sgSpisak->model()->rowCount(), 1);
  EXPECT_EQ(cell(0, 1), "Stolica");
  EXPECT_EQ(window_->TreeView1->currentItem(), treeNode("Trazi")) << "the node stays current";
  ui().type("racunar");
  clickNode("Trazi");
  EXPECT_EQ(cell(0, 1), "Racunar Dell") << "the same node runs again";
  clickNode("Osvezi");
  EXPECT_EQ(window_->sgSpisak->model()->rowCount(), 4);
  EXPECT_EQ(program().CFILTER, "");
}

// The command tree and the list from the keyboard alone: a section's mnemonic, the arrows
// through the tree without running anything, Enter on a node, Tab to the list, Enter on a row.
TEST_F(Window, TreeAndListWorkFromTheKeyboard) {
  activate();
  QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
  // The button shows itself pressed for a moment before it clicks.
  ASSERT_TRUE(QTest::qWaitFor([&] { return program().CSENDER == "Kavrina"; }, 2000))
      << "Alt+K is the section's mnemonic";
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), window_->TreeView1) << "the keyboard goes on in the tree";
  EXPECT_EQ(window_->TreeView1->currentItem(), window_->TreeView1->topLevelItem(0));
  EXPECT_TRUE(window_->TreeView1->currentItem()->isSelected()) << "shown selected";

  // Down past "Trazi" and its four filters to "Dodaj": nothing runs on the way.
  for (int i = 0; i < 6; ++i) key(Qt::Key_Down);
  ASSERT_EQ(window_->TreeView1->currentItem(), treeNode("Dodaj"));
  EXPECT_TRUE(treeNode("Dodaj")->isSelected());
  EXPECT_TRUE(recorded_.calls.empty()) << "moving runs no command";
  EXPECT_TRUE(dialogs().empty()) << "no input box of Trazi or a filter";
  key(Qt::Key_Return);
  EXPECT_EQ(recorded_.calls, (std::vector<std::string>{"assetForm 11"}));
  key(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(recorded_.calls.size(), 2u) << "Enter runs the node again";
  EXPECT_TRUE(treeNode("Dodaj")->isSelected());

  // Tab to the list; Enter on a row opens it as a double-click does.
  key(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), window_->sgSpisak);
  key(Qt::Key_Down);  // the first row
  key(Qt::Key_Down);
  key(Qt::Key_Return);
  EXPECT_EQ(recorded_.calls.back(), "assetForm 2");
  key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window_->Firme) << "Tab leaves the list for the tool bar";
  key(Qt::Key_Space);
  ASSERT_TRUE(QTest::qWaitFor([&] { return program().CSENDER == "Firma"; }, 2000))
      << "Space on a section button";
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

// The asset list as an accountant sees it on a 1366 by 900 screen: a longer register, a
// long company name, large amounts and a deleted row; saved for a person to look at.
TEST_F(Window, ScreenshotOfTheAssetListOnALaptopScreen) {
  program().areas.select("Firme");
  ASSERT_TRUE(program().areas["Firme"].seek("000"));
  store::writeRecord(program(), "Firme", false, [](store::DbfTable& t) {
    t.putString("Naziv", "Agencija Velmar Racunovodstvo");
  });
  const char* names[] = {"Viljuskar Linde H25",      "Server Dell PowerEdge R740",
                         "Poslovni prostor Vracar",  "Putnicko vozilo Skoda Octavia",
                         "Klima uredjaj Gree 24000", "Kancelarijski namestaj komplet"};
  const double amounts[] = {4850000, 1234567.89, 98765432.1, 3250000, 145000.5, 389999.99};
  for (int i = 0; i < 6; ++i)
    addAsset({std::to_string(100 + i), names[i],
              "0" + std::to_string(i + 1) + ".0" + std::to_string(i + 1) + ".2021", amounts[i],
              amounts[i], "", 0, 0});
  window_->navigator().UcitajOsnovnaSredstva();
  window_->resize(1366, 900);
  press(window_->Kavrina);
  window_->sgSpisak->setCurrentIndex(window_->sgSpisak->model()->index(1, 0));
  ui().yes();
  window_->runTreeCommand("Brisi");
  QApplication::processEvents();
  screenshot("asset_list_1366x900");
}

TEST_F(Window, EscapeClosesThePreviewAndReturnsToTheList) {
  activate();
  press(window_->Kavrina);
  auto* preview = new QLineEdit("preview");  // takes the focus as the real preview does
  window_->showPreviewWidget(preview);
  QApplication::processEvents();
  ASSERT_TRUE(window_->previewVisible());
  EXPECT_EQ(QApplication::focusWidget(), preview) << "the preview has the keyboard at once";
  key(Qt::Key_Escape);
  EXPECT_FALSE(window_->previewVisible());
  EXPECT_TRUE(window_->ToolBar1->isVisible());
  EXPECT_TRUE(window_->sgSpisak->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), window_->TreeView1) << "the section left it in the tree";
  EXPECT_TRUE(window_->isVisible()) << "Escape closes only the preview";

  // Opened from the list, the preview gives the keyboard back to the list.
  window_->sgSpisak->setFocus();
  window_->showPreviewWidget(new QLineEdit("preview"));
  QApplication::processEvents();
  key(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), window_->sgSpisak);
}

// Maximised and restored again and again, and sized down to its minimum: the side panels
// keep their 150 pixels, the middle one the rest, all inside the bar, and the company's
// name stays whole.
TEST_F(Window, StatusPanelsFollowTheWindowThroughMaximiseAndRestore) {
  auto check = [&](const char* when) {
    SCOPED_TRACE(when);
    QApplication::processEvents();
    const int bar = window_->StatusBar1->width();
    EXPECT_EQ(window_->StatusL->width(), 150);
    EXPECT_EQ(window_->StatusR->width(), 150);
    EXPECT_TRUE(window_->StatusR->isVisible());
    EXPECT_LE(window_->StatusR->geometry().right(), bar);
    EXPECT_GE(window_->StatusR->geometry().right(), bar - 12) << "at the bar's right end";
    EXPECT_LE(window_->StatusC->width(), bar - 300);
    EXPECT_GE(window_->StatusC->width(), bar - 300 - 24) << "the middle takes the rest";
    EXPECT_LT(window_->StatusL->geometry().right(), window_->StatusC->x());
    EXPECT_LT(window_->StatusC->geometry().right(), window_->StatusR->x());
    const QString name = window_->StatusC->text();
    EXPECT_LE(window_->StatusC->fontMetrics().horizontalAdvance(name),
              window_->StatusC->contentsRect().width())
        << name.toStdString() << " shows whole";
  };
  press(window_->Kavrina);
  check("at the start");
  for (int cycle = 0; cycle < 5; ++cycle) {
    window_->showMaximized();
    check("maximised");
    window_->showNormal();
    window_->resize(1000, 640);
    check("restored");
  }
  window_->resize(window_->minimumSize());
  check("at the minimum size");
  window_->resize(1366, 900);
  check("wide again");
}

// Every column shows its title and its widest value, a deleted row's date in parentheses
// included; a width the user drags stays while the program runs, through another section,
// a new list and resizes.
TEST_F(Window, ColumnsFitTheirValuesAndKeepDraggedWidths) {
  press(window_->Kavrina);
  window_->sgSpisak->setCurrentIndex(window_->sgSpisak->model()->index(1, 0));
  ui().yes();
  window_->runTreeCommand("Brisi");
  ASSERT_EQ(cell(1, 2), "(01.06.2019)");
  const QFontMetrics metrics(window_->sgSpisak->font());
  for (int col = 0; col < 7; ++col) {
    int widest = 0;
    for (int row = 0; row < window_->sgSpisak->model()->rowCount(); ++row)
      widest = std::max(widest, metrics.horizontalAdvance(cell(row, col)));
    EXPECT_GT(window_->sgSpisak->columnWidth(col), widest + 4) << col;
  }

  QHeaderView* header = window_->sgSpisak->horizontalHeader();
  header->resizeSection(1, 333);  // as the user's drag of the title's edge does
  press(window_->Firme);
  header->resizeSection(2, 280);
  press(window_->Kavrina);
  EXPECT_EQ(window_->sgSpisak->columnWidth(1), 333);
  window_->resize(1200, 700);
  window_->runTreeCommand("Osvezi");
  QApplication::processEvents();
  EXPECT_EQ(window_->sgSpisak->columnWidth(1), 333);
  EXPECT_GE(window_->sgSpisak->columnWidth(0), 80) << "the others keep theirs";
  press(window_->Firme);
  EXPECT_EQ(window_->sgSpisak->columnWidth(2), 280);
  EXPECT_EQ(window_->sgSpisak->columnWidth(1), 200);

  // The tree's commands show whole, or as a tooltip where the tree is narrow.
  press(window_->Kavrina);
  QApplication::processEvents();
  QTreeWidgetItem* longest = treeNode("Osnovna sredstva za Org.deo (lokaciju)");
  EXPECT_EQ(longest->toolTip(0), longest->text(0));
  EXPECT_LE(window_->TreeView1->visualItemRect(longest).right(),
            window_->TreeView1->viewport()->width());
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

// Alt+I shows the information screen with the Info menu open on it; on the focused Info
// button Alt+Down, F4 and the Menu key open the menu, whose items the arrows and Enter reach.
TEST_F(Window, InfoMenuOpensFromTheKeyboard) {
  activate();
  press(window_->Kavrina);
  const struct {
    const char* name;
    std::function<void()> keys;
  } ways[] = {
      {"Alt+I", [&] { QTest::keyClick(window_.get(), Qt::Key_I, Qt::AltModifier); }},
      {"Alt+Down", [&] { key(Qt::Key_Down, Qt::AltModifier); }},
      {"F4", [&] { key(Qt::Key_F4); }},
      {"Menu", [&] { key(Qt::Key_Menu); }},
  };
  for (const auto& way : ways) {
    bool open = false;
    // The menu runs its own event loop while it is open: looked at, then closed, from it.
    QTimer::singleShot(100, [&] {
      open = window_->PopupMenuInfo->isVisible();
      window_->PopupMenuInfo->close();
    });
    way.keys();
    QTest::qWait(200);
    EXPECT_TRUE(open) << way.name;
    EXPECT_EQ(QApplication::focusWidget(), window_->Info) << way.name;
  }
  EXPECT_TRUE(window_->lAutorskaPrava->isVisible()) << "Alt+I shows the information screen";
  EXPECT_FALSE(window_->sgSpisak->isVisible());
}

// With a node and a row both selected, the pane with the focus shows its selection in the
// selection colour and the other in the inactive one; Tab swaps them.
TEST_F(Window, OnlyThePaneWithTheFocusShowsTheSelectionColour) {
  activate();
  press(window_->Kavrina);
  window_->TreeView1->setFocus();
  window_->sgSpisak->selectRow(1);
  ASSERT_TRUE(window_->TreeView1->currentItem()->isSelected());
  auto selection = [](QWidget* pane) {
    return pane->palette().color(QPalette::Active, QPalette::Highlight);
  };
  const QColor selected = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  EXPECT_EQ(selection(window_->TreeView1), selected);
  EXPECT_NE(selection(window_->sgSpisak), selected);
  screenshot("tree_focused_list_inactive");
  key(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), window_->sgSpisak);
  EXPECT_EQ(selection(window_->sgSpisak), selected);
  EXPECT_NE(selection(window_->TreeView1), selected);
}

// The sorted column shows its arrow; Ctrl with the column's number sorts from the keyboard,
// the next time the other way, as clicks on its title do.
TEST_F(Window, SortedColumnShowsItsArrowAndSortsFromTheKeyboard) {
  activate();
  press(window_->Kavrina);
  window_->sgSpisak->setFocus();
  QHeaderView* header = window_->sgSpisak->horizontalHeader();
  EXPECT_EQ(header->sortIndicatorSection(), -1) << "no arrow before a sort";
  const struct {
    Qt::Key key;
    int section;
    Qt::SortOrder order;
    const char* first;
  } steps[] = {{Qt::Key_4, 3, Qt::AscendingOrder, "2"},
               {Qt::Key_4, 3, Qt::DescendingOrder, "1"},
               {Qt::Key_2, 1, Qt::AscendingOrder, "10"}};
  for (const auto& s : steps) {
    key(s.key, Qt::ControlModifier);
    EXPECT_EQ(header->sortIndicatorSection(), s.section);
    EXPECT_EQ(header->sortIndicatorOrder(), s.order);
    EXPECT_EQ(cell(0, 0), s.first) << s.section;
  }
  EXPECT_TRUE(header->isSortIndicatorShown());
  key(Qt::Key_9, Qt::ControlModifier);  // no ninth column: nothing
  EXPECT_EQ(header->sortIndicatorSection(), 1);
  clickNode("Osvezi");
  EXPECT_EQ(header->sortIndicatorSection(), -1) << "a fresh list is in its own order";
}

// An active filter shows in the status bar; "Izmeni" on an empty list says so.
TEST_F(Window, FilterShowsInTheStatusBarAndIzmeniOfNothingSaysSo) {
  press(window_->Kavrina);
  const std::string status = window_->StatusC->text().toStdString();
  ui().type("3");
  window_->runTreeCommand("Osnovna sredstva za Org.deo (lokaciju)");
  EXPECT_EQ(window_->sgSpisak->model()->rowCount(), 2);
  EXPECT_EQ(window_->StatusC->text().toStdString(), status + "   Filter: lokacija: 3");

  ui().type("99");
  window_->runTreeCommand("Osnovna sredstva za Org.deo (lokaciju)");
  ASSERT_EQ(window_->sgSpisak->model()->rowCount(), 0);
  window_->runTreeCommand("Izmeni");
  EXPECT_EQ(ui().messages().back(), "Nema podataka za izmenu.");
  EXPECT_TRUE(recorded_.calls.empty()) << "no form opened";

  window_->runTreeCommand("Osvezi");
  EXPECT_EQ(window_->StatusC->text().toStdString(), status);
}

}  // namespace
}  // namespace kavrina::test
