// TFOSMAIN, the main window: tool bar, banner, command tree, list, status bar, the
// information screen and the slot of the print preview. What its sections do is the
// Navigator's; the window shows the Navigator's state and forwards its events to it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/command_hooks.h"
#include "app/list_model.h"
#include "app/navigator.h"
#include "app/service_calls.h"
#include "store/program.h"
#include "ui/ftp_client.h"

class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTableView;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QVBoxLayout;

namespace kavrina::app {

// The maker's web address, shown in `StatusR` and `Panel1`.
inline constexpr const char* kWebAddress = "www.velmar.example";
// The copyright text of `lVelmar`, and its short form in `StatusL`.
inline constexpr const char* kCopyright = "Copyright (c) Velmar - Trivel";
inline constexpr const char* kCopyrightShort = "(c) Velmar - Trivel";

class TFOSMAIN final : public QMainWindow {
  Q_OBJECT

 public:
  // Creates the window's controls and runs fOSMainOnCreate (the database is created and
  // opened before this returns). `hooks` are the calls of the commands; the program
  // passes programHooks(), tests their fakes.
  TFOSMAIN(store::Program& program, CommandHooks hooks, QWidget* parent = nullptr);
  ~TFOSMAIN() override;

  // The calls the program's commands make: forms, depreciation and reports of this build,
  // the reports showing their documents in `window`.
  static CommandHooks programHooks(TFOSMAIN*& window);

  Navigator& navigator() { return navigator_; }
  store::Program& program() { return program_; }

  // --- the print preview's place in the window (the reports fill it)
  // ShowPreview: shows `preview` as `fPreview`, below `ToolBarStampa`, in place of the
  // tool bar, banner and lists; the window keeps `preview` (a previous one is deleted).
  void showPreviewWidget(QWidget* preview);
  // Hides the preview and its tool bar and returns to the view the window had.
  void hidePreview();
  bool previewVisible() const;
  // The widget shown by showPreviewWidget, or null.
  QWidget* previewWidget() const { return previewWidget_; }
  // What the buttons of `ToolBarStampa` do; empty entries do nothing.
  struct PreviewActions {
    std::function<void()> StampajDokumentClick, PrvaStranaClick, PrethodnaStranaClick,
        SledecaStranaClick, PoslednjaStranaClick, UmanjenaStranaClick, StandardnaStranaClick,
        UvecanaStranaClick;
  };
  void setPreviewActions(PreviewActions actions) { previewActions_ = std::move(actions); }

  // --- event handlers
  void fOSMainOnCreate();
  void fOSMainOnResize();
  void fOSMainOnCloseQuery(bool& canClose);
  // The first show: the network tasks of the hook `fOSMainOnShow`; ends the program when
  // the hook asks for it.
  void fOSMainOnShow();
  // A section button ("Firma", "Kavrina", "Obracuni").
  void ToolBarOnClick(QToolButton* sender);
  // The caption of a tool button without its mnemonic mark ("&Firma" gives "Firma").
  static QString captionOf(const QToolButton* button);
  void InfoOnClick();
  void PodesavanjaOnClick();
  void SetSenderView();
  // A click on a tree node, or Enter on the current one: runs the node's command. The arrow
  // keys only move through the tree; the node that ran stays current and selected.
  void TreeView1OnChange();
  void sgSpisakOnDblClick();
  void sgSpisakOnHeaderClick(int column);
  void UcitajFirme();
  void UcitajOsnovnaSredstva();
  void UcitajObracune();
  // The Info menu's entries of other subsystems.
  void ProveriVerzijuPrograma() { runService(*this, program_, Service::ProveriVerzijuPrograma); }
  void PreuzmiNovuVerzijuPrograma() {
    runService(*this, program_, Service::PreuzmiNovuVerzijuPrograma);
  }
  void ObrisiIndex() { runService(*this, program_, Service::ObrisiIndex); }
  void ArhivirajPodatke() { runService(*this, program_, Service::ArhivirajPodatke); }
  void OnlinePodrskaVM() { runService(*this, program_, Service::OnlinePodrskaVM); }
  void OnlinePodrskaImPcR() { runService(*this, program_, Service::OnlinePodrskaImPcR); }

  // Runs the command of the tree node with this text as a selection of it would.
  void runTreeCommand(const QString& text);
  // Shows the navigator's list, columns, current row and status text again.
  void showListState();

  // --- controls, by their documented names (owned by the window)
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusL = nullptr;
  QLabel* StatusC = nullptr;
  QLabel* StatusR = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolButton* Firme = nullptr;
  QToolButton* Kavrina = nullptr;
  QToolButton* Obracuni = nullptr;
  QToolButton* Podesavanja = nullptr;
  QToolButton* Info = nullptr;
  QLabel* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QTreeWidget* TreeView1 = nullptr;
  QTableView* sgSpisak = nullptr;
  QSplitter* Splitter1 = nullptr;
  QLabel* lSwName = nullptr;
  QLabel* lSwVerzija = nullptr;
  QLabel* lAutorskaPrava = nullptr;
  QLabel* lDistribucija = nullptr;
  QToolBar* ToolBarStampa = nullptr;
  QToolButton* Stampaj = nullptr;
  QToolButton* PrvaStrana = nullptr;
  QToolButton* PrethodnaStrana = nullptr;
  QToolButton* SledecaStrana = nullptr;
  QToolButton* PoslednjaStrana = nullptr;
  QToolButton* UmanjenaStrana = nullptr;
  QToolButton* StandardnaStrana = nullptr;
  QToolButton* UvecanaStrana = nullptr;
  QLineEdit* eTBStrana = nullptr;
  QLabel* lVelmar = nullptr;
  QMenu* PopupMenuInfo = nullptr;
  QWidget* fPreview = nullptr;
  // The FTP client of the maker's server (opened and closed by each online task).
  std::unique_ptr<ui::FtpClient> Ftp1;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Enter in the tree runs the current node's command; Enter on a list row opens it as a
  // double-click does.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // tfosmain_layout.cpp: the controls in their documented order, and the Info menu.
  void createControls();
  // The Info button's keys: its mnemonic shows the information screen with the menu open;
  // Alt+Down, F4 and the Menu key open the menu. True when `event` was one of them.
  bool infoMenuKey(QEvent* event);
  void createPreviewBar(QWidget* page);
  void createInfoMenu();
  void layoutInfoLabels();
  void applyColumnWidths();
  // Remembers a column width the user dragged, for the section shown.
  void columnDragged(int column, int width);
  void rebuildTree();
  // Widens the tree so that its longest command shows whole, unless the user has moved
  // the splitter.
  void fitTree();
  // showListState, measuring the columns' fitting widths anew when `measure`.
  void showList(bool measure);
  // Takes the grid's current row into the navigator before a command.
  void takeCurrentRow();
  void showCurrentRow();

  store::Program& program_;
  Navigator navigator_;
  ListModel* model_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QWidget* listPage_ = nullptr;
  QWidget* previewPage_ = nullptr;
  QVBoxLayout* previewLayout_ = nullptr;
  QWidget* previewWidget_ = nullptr;
  // The control that had the focus when the preview was shown.
  QPointer<QWidget> previewOpener_;
  PreviewActions previewActions_;
  bool inTreeCommand_ = false;
  bool shownOnce_ = false;
  // Column widths per section: those that fit the titles and values of the list shown last,
  // and those the user dragged (0: not dragged), kept for the whole run.
  std::map<Section, std::vector<int>> fittingWidths_;
  std::map<Section, std::vector<int>> draggedWidths_;
  // Set while the window itself sizes the columns.
  bool settingWidths_ = false;
  bool splitterMoved_ = false;
};

}  // namespace kavrina::app
