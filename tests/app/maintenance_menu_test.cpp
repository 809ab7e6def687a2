// The maintenance entries of the main window's Info menu, offscreen: enabled, the index
// rebuild and the data archive run from the window, and the window's save dialog answered
// as a user would.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/qt_save_dialog.h"
#include "app/tfosmain.h"
#include "app/window_fixture.h"
#include "errors/end_program.h"
#include "ui/modal_driver.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using ui::testing::ModalDriver;

class MaintenanceMenu : public WindowTest {
 protected:
  void SetUp() override {
    openDatabase();
    addCompany("000", "Velmar", "Beograd");
    addAsset({"1", "Racunar", "10.02.2020", 120000, 120000, "", 0, 0});
    window_ = std::make_unique<app::TFOSMAIN>(program(), recorded_.hooks(false));
    window_->show();
    QApplication::processEvents();
  }
  void TearDown() override { window_.reset(); }

  QAction* maintenanceEntry(const QString& text) {
    for (QAction* entry : window_->PopupMenuInfo->actions()) {
      if (entry->menu() == nullptr || entry->text() != "Odrzavanje") continue;
      for (QAction* action : entry->menu()->actions())
        if (action->text() == text) return action;
    }
    return nullptr;
  }

  // Types the path into the dialog's file name and confirms it, as the user would.
  static void type(QFileDialog* dialog, const fs::path& path) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(path.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  }

  std::unique_ptr<app::TFOSMAIN> window_;
  // Beside the program folder (its temporary folder lies inside it).
  TempDir elsewhere_{folder_.path().parent_path()};
};

TEST_F(MaintenanceMenu, BothEntriesAreEnabled) {
  for (const char* text : {"Obrisi indeksne fajlove", "Arhiviraj podatke"}) {
    QAction* entry = maintenanceEntry(text);
    ASSERT_NE(entry, nullptr) << text;
    EXPECT_TRUE(entry->isEnabled()) << text;
  }
}

TEST_F(MaintenanceMenu, TheIndexEntryDeletesTheIndexesAndEndsTheProgram) {
  ASSERT_TRUE(fs::exists(folder_.path() / "NTX/MDOS.ntx"));
  EXPECT_THROW(window_->ObrisiIndex(), errors::EndProgram);
  EXPECT_FALSE(fs::exists(folder_.path() / "NTX/MDOS.ntx"));
  EXPECT_FALSE(fs::exists(folder_.path() / "NTX/Firme.ntx"));
  EXPECT_EQ(ui().messages().back(),
            "Indeksni fajlovi su uspesno obrisani.\nPotrebno je ponovo pokrenuti program\n"
            "da bi se zavrsila procedura obnavljanja.");
}

TEST_F(MaintenanceMenu, TheArchiveEntryAsksWhereWithTheWindowsSaveDialogAndEndsTheProgram) {
  const fs::path target = elsewhere_.path() / "kopija.zip";
  QString caption, proposed;
  QStringList filters;
  ModalDriver driver;
  driver.on<QFileDialog>([&](QFileDialog* dialog) {
    caption = dialog->windowTitle();
    filters = dialog->nameFilters();
    proposed = fs::path(dialog->selectedFiles().value(0).toStdString()).filename().c_str();
    type(dialog, target);
  });
  EXPECT_THROW(window_->ArhivirajPodatke(), errors::EndProgram);
  EXPECT_TRUE(driver.done());
  EXPECT_EQ(caption, "Arhiviranje je zavrseno. Odaberite lokaciju za snimanje:");
  EXPECT_EQ(filters, QStringList{"ZIP arhive (*.zip)"});
  EXPECT_TRUE(proposed.startsWith("Arhiva-Kavrina-1_07-")) << proposed.toStdString();
  EXPECT_EQ(std::system(("unzip -tqq '" + target.string() + "' >/dev/null").c_str()), 0);
  EXPECT_EQ(ui().messages().back(),
            "Arhiviranje podataka i snimanje arhive je zavrseno.\n"
            "Potrebno je ponovo pokrenuti program.");
}

TEST_F(MaintenanceMenu, TheSaveDialogAnswersNothingWhenCancelledAndReopensWhereTheUserWas) {
  app::QtSaveDialog dialog(window_.get());
  const ui::SaveDialogSettings settings{"Naslov", "ZIP arhive (*.zip)", "*.zip", "a.zip"};
  QString firstFolder, secondFolder;
  ModalDriver driver;
  driver
      .on<QFileDialog>([&](QFileDialog* d) {
        firstFolder = d->directory().absolutePath();
        type(d, elsewhere_.path() / "b.zip");
      })
      .on<QFileDialog>([&](QFileDialog* d) {
        secondFolder = d->directory().absolutePath();
        d->reject();
      });
  EXPECT_EQ(dialog.execute(settings), elsewhere_.path() / "b.zip");
  EXPECT_EQ(dialog.execute(settings), std::nullopt);
  EXPECT_TRUE(driver.done());
  EXPECT_EQ(firstFolder, QDir::homePath());
  EXPECT_EQ(secondFolder.toStdString(), elsewhere_.path().string());
}

}  // namespace
}  // namespace kavrina::test
