// "Uvoz iz CSV fajla" in the window: the dialog lists the bad rows before anything is
// written and imports a good file into the open list; and another station importing while
// the window shows the list.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

#include "app/import_dialog.h"
#include "app/tfosmain.h"
#include "app/window_fixture.h"
#include "cli/cli_run.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class ImportWindow : public WindowTest {
 protected:
  void SetUp() override {
    openDatabase();
    addCompany("000", "Velmar", "Beograd");
    addAsset({"1", "Racunar", "10.02.2020", 120000, 120000, "", 0, 0});
    addAsset({"2", "Sto", "01.06.2019", 999, 999, "", 0, 0});
    app::CommandHooks hooks = recorded_.hooks(false);
    // The dialog as the program shows it, driven here instead of by the user.
    hooks.importDialog = [this](store::Program& p) {
      app::ImportDialog dialog(p, window_.get());
      dialog.setFile(QString::fromStdString(file_.string()));
      checked_ = dialog.check();
      for (int r = 0; r < dialog.sgGreske->rowCount(); ++r)
        listed_.push_back(dialog.sgGreske->item(r, 0)->text().toStdString() + " " +
                          dialog.sgGreske->item(r, 1)->text().toStdString() + ": " +
                          dialog.sgGreske->item(r, 2)->text().toStdString());
      status_ = dialog.lStatus->text().toStdString();
      importEnabled_ = dialog.bUvezi->isEnabled();
      return checked_ && dialog.importFile();
    };
    window_ = std::make_unique<app::TFOSMAIN>(program(), hooks);
    window_->resize(1000, 640);
    window_->show();
    QApplication::processEvents();
    window_->Kavrina->click();
    QApplication::processEvents();
  }
  void TearDown() override { window_.reset(); }

  void clickNode(const char* text) {
    const auto found = window_->TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << text;
    const QRect rect = window_->TreeView1->visualItemRect(found.front());
    QTest::mouseClick(window_->TreeView1->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
  }
  // The inventory numbers the grid shows, in order.
  std::vector<std::string> shownNumbers() {
    std::vector<std::string> numbers;
    auto* model = window_->sgSpisak->model();
    for (int r = 0; r < model->rowCount(); ++r)
      numbers.push_back(model->index(r, 0).data().toString().trimmed().toStdString());
    return numbers;
  }

  std::unique_ptr<app::TFOSMAIN> window_;
  TempDir files_;
  fs::path file_;
  bool checked_ = false;
  bool importEnabled_ = false;
  std::string status_;
  std::vector<std::string> listed_;
};

TEST_F(ImportWindow, TheDialogListsTheBadRowsFirstAndImportsAGoodFileIntoTheList) {
  file_ = files_.path() / "los.csv";
  writeFileBytes(file_,
                 "InvBr;Naziv;DatumN;RAOsn\n3;Novi;01.01.2024;5\n2;Isti;01.01.2024;5\n"
                 "4;Los;01.01.2024;pet\n");
  clickNode("Uvoz iz CSV fajla");
  EXPECT_FALSE(checked_);
  EXPECT_FALSE(importEnabled_);
  EXPECT_EQ(listed_, (std::vector<std::string>{"3 InvBr: inventarski broj 2 vec postoji u registru",
                                               "4 RAOsn: nije iznos: \"pet\""}));
  EXPECT_EQ(status_,
            "Pogresnih redova: 2. Nista nije uvezeno; ispravite fajl pa ga proverite ponovo.");
  EXPECT_EQ(storedAssets(), (std::vector<std::string>{"1", "2"}));

  listed_.clear();
  file_ = files_.path() / "dobar.csv";
  writeFileBytes(file_, "InvBr;Naziv;DatumN;RAOsn\n3;Novi;01.01.2024;5\n7;Sedmi;01.01.2024;7\n");
  clickNode("Uvoz iz CSV fajla");
  EXPECT_TRUE(checked_);
  EXPECT_TRUE(importEnabled_);
  EXPECT_TRUE(listed_.empty());
  EXPECT_EQ(status_,
            "Fajl je ispravan: 2 sredstava. Uvezi ih dugmetom \"Uvezi\".\n"
            "Fajl je procitan kao UTF-8.\nPAOsn nije zadat: uzeta je RAOsn za 2 sredstava");
  EXPECT_EQ(ui().messages().back(), "Uvezeno sredstava: 2");
  EXPECT_EQ(storedAssets(), (std::vector<std::string>{"1", "2", "3", "7"}));
  EXPECT_EQ(shownNumbers(), (std::vector<std::string>{"1", "2", "3", "7"}));
  EXPECT_EQ(window_->sgSpisak->currentIndex().row(), 3) << "on the last asset imported";
}

TEST_F(ImportWindow, AnotherStationImportsWhileTheListIsOpen) {
  const fs::path file = files_.path() / "stanica.csv";
  std::string text = "InvBr,Naziv,DatumN,RAOsn\n";
  for (int n = 100; n < 400; ++n) text += std::to_string(n) + ",Sa druge stanice,1.1.2024,1\n";
  writeFileBytes(file, text);
  ASSERT_EQ(shownNumbers(), (std::vector<std::string>{"1", "2"}));

  const CliRun run = runKavrinaCli({"--dir", folder_.path().string(), "uvoz", file.string()},
                                   files_.path(), {{"KAVRINA_HOME", ""}});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "Fajl je procitan kao UTF-8.\nPAOsn nije zadat: uzeta je RAOsn za 300 sredstava\n"
            "Uvezeno sredstava: 300\n");

  clickNode("Osvezi");
  const std::vector<std::string> shown = shownNumbers();
  ASSERT_EQ(shown.size(), 302u);
  EXPECT_EQ(shown.back(), "399");
  // The window's own open of the register finds them through the index it keeps open.
  store::DbfTable& mdos = program().areas["MDOS"];
  ASSERT_TRUE(mdos.seek(250.0));
  EXPECT_EQ(mdos.getString("Naziv").substr(0, 16), "Sa druge stanice");
}

TEST_F(ImportWindow, TheInformationScreenNamesTheDataFolder) {
  QAction* info = nullptr;
  for (QAction* action : window_->findChildren<QAction*>())
    if (action->text() == "Informacije o programu") info = action;
  ASSERT_NE(info, nullptr);
  program().info.folder = folder_.path();
  info->trigger();
  ASSERT_FALSE(ui().messages().empty());
  EXPECT_EQ(ui().messages().back(),
            "Kavrina 1.07 (16.10.2023)\nPodaci programa: " + folder_.path().string());
}

}  // namespace
}  // namespace kavrina::test
