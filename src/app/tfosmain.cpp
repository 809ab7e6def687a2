#include "app/tfosmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/depreciation_calls.h"
#include "app/form_hooks.h"
#include "app/report_calls.h"
#include "app/resource_images.h"
#include "errors/program_info.h"
#include "settings/settings_keys.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "ui/current_ui.h"
#include "ui/ftp/curl_ftp_client.h"

namespace kavrina::app {

namespace {

const char* imageName(TreeImage image) {
  switch (image) {
    case TreeImage::Action: return "ACTION";
    case TreeImage::Trazi: return "TRAZI";
    case TreeImage::Dodaj: return "DODAJ";
    case TreeImage::Izmeni: return "IZMENI";
    case TreeImage::Brisi: return "BRISI";
    case TreeImage::Stampaj: return "STAMPAJ";
    case TreeImage::Osvezi: return "OSVEZI";
  }
  return "ACTION";
}

QTreeWidgetItem* treeItem(const CommandNode& node) {
  auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(node.text)});
  item->setIcon(0, resourceIcon(imageName(node.image)));
  for (const CommandNode& child : node.children) item->addChild(treeItem(child));
  return item;
}

}  // namespace

TFOSMAIN::TFOSMAIN(store::Program& program, CommandHooks hooks, QWidget* parent)
    : QMainWindow(parent), program_(program), navigator_(program, std::move(hooks)) {
  setObjectName("FOSMAIN");
  // While it waits for the server, the FTP client lets the window's events run.
  Ftp1 = std::make_unique<ui::CurlFtpClient>([] {
    if (ui::hasCurrent()) ui::current().processEvents();
  });
  createControls();
  fOSMainOnCreate();
}

TFOSMAIN::~TFOSMAIN() = default;

CommandHooks TFOSMAIN::programHooks(TFOSMAIN*& window) {
  CommandHooks hooks;
  addDepreciationCalls(hooks);
  hooks.companyForm = showCompanyForm;
  hooks.assetForm = showAssetForm;
  hooks.print = [&window](store::Program& program, Document document, const ListRow& row) {
    if (window != nullptr) printDocument(*window, program, document, row);
  };
  hooks.fOSMainOnShow = [&window](store::Program& program) {
    return window != nullptr && runStartServices(*window, program);
  };
  return hooks;
}

void TFOSMAIN::fOSMainOnCreate() {
  // 1. The program-wide variables with their initial values.
  program_.I_VER = settings::kNoDataVersion;
  program_.CSENDER = std::string(kSenderStart);
  program_.ADBF.clear();
  program_.CSIFRAFIRME = "000";
  program_.CSUBDIRFIRME.clear();
  program_.AFIRME.clear();
  program_.CKORISNIKNAZIV.clear();
  program_.CKORISNIKMESTO.clear();
  program_.AOSNOVNASREDSTVA.clear();
  program_.AOBRACUNI.clear();
  program_.NGODINA = Date::today().year();
  program_.NMESECI = 0;
  program_.CFILTER.clear();
  // 2. Deleted records are hidden everywhere; dates are always dd.mm.yyyy (Date::toText).
  program_.areas.setHideDeleted(true);
  // 3.
  store::INITDBF(program_, 0);
  // 4. The toolkit's language: English.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  // 5. The title and the start time.
  const QString title = QString::fromStdString("Kavrina " + program_.info.VER + " - Velmar - Trivel");
  QCoreApplication::setApplicationName(title);
  program_.info.CSTARTTIME = errors::currentDateTimeText();
  // 6.
  setWindowTitle(title);
  Panel1->setText(QString(" ") + kWebAddress);
  fPreview->hide();
  ToolBarStampa->hide();
  Info->setMenu(PopupMenuInfo);
  Info->setPopupMode(QToolButton::MenuButtonPopup);
  // 7. The settings.
  program_.CFONTNAME = settings::read(settings::kFontName);
  program_.NFONTSIZE = settings::read(settings::kFontSize);
  program_.LCENTRIRAJ = settings::read(settings::kCentriranje);
  program_.LAGENCIJSKIMOD = settings::read(settings::kAgencijskiMod);
  // 8.
  store::DBOPENALL(program_);
}

void TFOSMAIN::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // The network tasks start once the window is on screen and the event loop runs.
  QTimer::singleShot(0, this, [this] { fOSMainOnShow(); });
}

void TFOSMAIN::fOSMainOnShow() {
  const auto& tasks = navigator_.hooks().fOSMainOnShow;
  if (tasks && tasks(program_)) QCoreApplication::exit(0);
}

void TFOSMAIN::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  fOSMainOnResize();
}

void TFOSMAIN::fOSMainOnResize() {
  // 1. Centring (a maximised or full-screen window stays where the desktop put it).
  if (program_.LCENTRIRAJ && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
    if (const QScreen* s = screen()) {
      const QRect area = s->geometry();
      const QPoint centred((area.width() - frameGeometry().width()) / 2,
                           (area.height() - frameGeometry().height()) / 2);
      if (pos() != centred) move(centred);
    }
  }
  // 2. The texts the information labels keep after the first resize.
  lSwVerzija->setText(QString::fromStdString("verzija " + program_.info.VER + " (" +
                                             program_.info.DATVER + ")"));
  lDistribucija->setText(QString("Distribucija i Tehnicka podrska: Velmar - Trivel, ") +
                         kWebAddress);
  // 3.
  layoutInfoLabels();
  // 4. The tree has the grid's height in the splitter; the status panel takes the rest.
  StatusC->setFixedWidth(std::max(0, StatusBar1->width() - 300));
  // 5.
  applyColumnWidths();
  // 6. The first resize loads the lists; the information screen stays.
  if (program_.CSENDER == kSenderStart) {
    program_.CSENDER.clear();
    UcitajFirme();
    navigator_.loadAssetsIfWanted();
    UcitajObracune();
  }
  // 7.
  navigator_.setStatusText(navigator_.activeCompanyName());
  StatusC->setText(cellText(navigator_.statusText()));
}

void TFOSMAIN::layoutInfoLabels() {
  for (QLabel* l : {lSwName, lVelmar, lSwVerzija, lAutorskaPrava, lDistribucija}) l->adjustSize();
  const int clientHeight = height();
  const int clientWidth = width();
  const int top = (clientHeight - StatusBar1->height() - lSwName->height() - lVelmar->height() -
                   lSwVerzija->height()) / 2 - 10;
  // Window coordinates, placed in the page that holds the labels.
  const QPoint origin = listPage_->mapTo(this, QPoint(0, 0));
  auto place = [&](QLabel* l, int y) { l->move((clientWidth - l->width()) / 2 - origin.x(), y - origin.y()); };
  place(lSwName, top);
  place(lVelmar, top + lSwName->height());
  const int verzijaTop = top + lSwName->height() + lVelmar->height() + 10;
  place(lSwVerzija, verzijaTop);
  place(lAutorskaPrava, verzijaTop + 40);
  place(lDistribucija, verzijaTop + 40 + 20);
  for (QLabel* l : {lSwName, lVelmar, lSwVerzija, lAutorskaPrava, lDistribucija}) l->raise();
}

void TFOSMAIN::applyColumnWidths() {
  const ListColumns& columns = sectionColumns(navigator_.section());
  for (int c = 0; c < model_->columnCount(); ++c) {
    const int width = c < static_cast<int>(columns.widths.size()) ? columns.widths[c] : 0;
    sgSpisak->setColumnHidden(c, width == 0);
    if (width > 0) sgSpisak->setColumnWidth(c, width);
  }
}

void TFOSMAIN::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  fOSMainOnCloseQuery(canClose);
  if (canClose)
    event->accept();
  else
    event->ignore();
}

void TFOSMAIN::fOSMainOnCloseQuery(bool& canClose) {
  if (previewVisible()) {
    hidePreview();
    canClose = false;
  }
}

void TFOSMAIN::ToolBarOnClick(QToolButton* sender) {
  program_.CSENDER = sender->text().toStdString();
  SetSenderView();
}

void TFOSMAIN::InfoOnClick() {
  Panel1->setText(QString(" ") + kWebAddress);
  navigator_.setStatusText({});
  StatusC->clear();
  for (QLabel* l : {lVelmar, lSwName, lSwVerzija, lAutorskaPrava, lDistribucija}) l->show();
  Splitter1->hide();
  sgSpisak->hide();
  TreeView1->hide();
  layoutInfoLabels();
}

void TFOSMAIN::PodesavanjaOnClick() { showSettingsForm(program_); }

void TFOSMAIN::SetSenderView() {
  const Section section = navigator_.section();
  navigator_.SetSenderView();
  Panel1->setText(QString::fromStdString(panelCaption(section)));
  StatusC->setText(cellText(navigator_.statusText()));
  for (QLabel* l : {lVelmar, lSwName, lSwVerzija, lAutorskaPrava, lDistribucija}) l->hide();
  Splitter1->show();
  showListState();
  sgSpisak->show();
  rebuildTree();
  TreeView1->show();
}

void TFOSMAIN::rebuildTree() {
  const QSignalBlocker block(TreeView1);
  TreeView1->clear();
  const Section section = navigator_.section();
  if (section == Section::None) return;
  QTreeWidgetItem* root = treeItem(commandTree(section));
  TreeView1->addTopLevelItem(root);
  std::function<void(QTreeWidgetItem*)> expand = [&](QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) {
      QTreeWidgetItem* child = item->child(i);
      if (child->childCount() > 0) {
        child->setExpanded(true);
        expand(child);
      }
    }
  };
  expand(root);
  root->setExpanded(true);
  TreeView1->setCurrentItem(nullptr);
  TreeView1->clearSelection();
}

void TFOSMAIN::showListState() {
  model_->setList(&navigator_.currentList(), sectionColumns(navigator_.section()));
  applyColumnWidths();
  showCurrentRow();
  StatusC->setText(cellText(navigator_.statusText()));
}

void TFOSMAIN::takeCurrentRow() {
  const QModelIndex current = sgSpisak->currentIndex();
  navigator_.setCurrentRow(current.isValid() ? current.row() : -1);
}

void TFOSMAIN::showCurrentRow() {
  const int row = navigator_.currentRow();
  if (row >= 0 && row < model_->rowCount()) {
    int column = 0;
    while (column < model_->columnCount() - 1 && sgSpisak->isColumnHidden(column)) ++column;
    const QModelIndex index = model_->index(row, column);
    sgSpisak->setCurrentIndex(index);
    sgSpisak->selectRow(row);
    sgSpisak->scrollTo(index);
  } else {
    sgSpisak->clearSelection();
    sgSpisak->setCurrentIndex(QModelIndex());
  }
}

void TFOSMAIN::TreeView1OnChange() {
  if (inTreeCommand_) return;
  const QList<QTreeWidgetItem*> selected = TreeView1->selectedItems();
  if (selected.isEmpty()) return;
  runTreeCommand(selected.front()->text(0));
}

void TFOSMAIN::runTreeCommand(const QString& text) {
  inTreeCommand_ = true;
  takeCurrentRow();
  if (navigator_.TreeView1OnChange(text.toStdString())) showListState();
  {
    const QSignalBlocker block(TreeView1);
    TreeView1->clearSelection();
    TreeView1->setCurrentItem(nullptr);
  }
  inTreeCommand_ = false;
}

void TFOSMAIN::sgSpisakOnDblClick() {
  takeCurrentRow();
  navigator_.sgSpisakOnDblClick();
  showListState();
  const QSignalBlocker block(TreeView1);
  TreeView1->clearSelection();
}

void TFOSMAIN::sgSpisakOnHeaderClick(int column) {
  navigator_.sgSpisakOnHeaderClick(column);
  showListState();
}

void TFOSMAIN::UcitajFirme() { navigator_.UcitajFirme(); }
void TFOSMAIN::UcitajOsnovnaSredstva() { navigator_.UcitajOsnovnaSredstva(); }
void TFOSMAIN::UcitajObracune() { navigator_.UcitajObracune(); }

void TFOSMAIN::showPreviewWidget(QWidget* preview) {
  if (previewWidget_ != nullptr && previewWidget_ != preview) previewWidget_->deleteLater();
  previewWidget_ = preview;
  if (preview != nullptr) {
    preview->setParent(fPreview);
    previewLayout_->addWidget(preview);
    preview->show();
  }
  ToolBar1->hide();
  ToolBarStampa->show();
  fPreview->show();
  pages_->setCurrentWidget(previewPage_);
}

void TFOSMAIN::hidePreview() {
  fPreview->hide();
  ToolBarStampa->hide();
  pages_->setCurrentWidget(listPage_);
  ToolBar1->show();
}

bool TFOSMAIN::previewVisible() const { return pages_->currentWidget() == previewPage_ && fPreview->isVisibleTo(this); }

}  // namespace kavrina::app
