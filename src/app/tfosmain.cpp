#include "app/tfosmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/column_widths.h"
#include "app/depreciation_calls.h"
#include "app/form_hooks.h"
#include "app/import_dialog.h"
#include "app/report_calls.h"
#include "app/resource_images.h"
#include "commands/open_database.h"
#include "errors/end_program.h"
#include "errors/program_info.h"
#include "reports/page_frame.h"
#include "settings/settings_keys.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "ui/ftp/curl_ftp_client.h"

namespace kavrina::app {

namespace {

const char* imageName(TreeImage image) {
  switch (image) {
    case TreeImage::Action:
      return "ACTION";
    case TreeImage::Trazi:
      return "TRAZI";
    case TreeImage::Dodaj:
      return "DODAJ";
    case TreeImage::Izmeni:
      return "IZMENI";
    case TreeImage::Brisi:
      return "BRISI";
    case TreeImage::Stampaj:
      return "STAMPAJ";
    case TreeImage::Osvezi:
      return "OSVEZI";
  }
  return "ACTION";
}

QTreeWidgetItem* treeItem(const CommandNode& node) {
  const QString text = QString::fromStdString(node.text);
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setIcon(0, resourceIcon(imageName(node.image)));
  // A narrow tree still tells the whole command.
  item->setToolTip(0, text);
  for (const CommandNode& child : node.children) item->addChild(treeItem(child));
  return item;
}

}  // namespace

TFOSMAIN::TFOSMAIN(store::Program& program, CommandHooks hooks, QWidget* parent)
    : QMainWindow(parent), program_(program), navigator_(program, std::move(hooks)) {
  setObjectName("FOSMAIN");
  // While it waits for the server, the FTP client lets the window's events run.
  Ftp1 = std::make_unique<ui::CurlFtpClient>([this] {
    if (program_.ui != nullptr) program_.ui->processEvents();
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
  hooks.importDialog = [&window](store::Program& program) {
    return showImportDialog(program, window);
  };
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
  program_.NGODINA = program_.clock.today().year();
  program_.NMESECI = 0;
  program_.CFILTER.clear();
  // 2. Deleted records are hidden everywhere; dates are always dd.mm.yyyy (Date::toText).
  program_.areas.setHideDeleted(true);
  // 3.
  store::INITDBF(program_, 0);
  // 4. The toolkit's language: English.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  // 5. The title and the start time.
  const QString title =
      QString::fromStdString("Kavrina " + program_.info.VER + " - Velmar - Trivel");
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
  reports::readReportFont(program_);
  program_.LCENTRIRAJ = settings::read(settings::kCentriranje);
  program_.LAGENCIJSKIMOD = settings::read(settings::kAgencijskiMod);
  // 8.
  commands::DBOPENALL(program_);
  // A register that another station holds alone cannot be worked with: the user is told
  // which table, and the program ends before any list reads it.
  if (const std::filesystem::path held = store::standingTableHeld(program_); !held.empty()) {
    program_.userInterface().messageBox(
        "Drugi korisnik trenutno koristi tabelu " + held.generic_string() + ". Pokusajte kasnije.",
        ui::MessageKind::Error, ui::MessageButtons::Ok);
    throw errors::EndProgram(1);
  }
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
  lSwVerzija->setText(
      QString::fromStdString("verzija " + program_.info.VER + " (" + program_.info.DATVER + ")"));
  lDistribucija->setText(QString("Distribucija i Tehnicka podrska: Velmar - Trivel, ") +
                         kWebAddress);
  // 3.
  layoutInfoLabels();
  // 4. The tree has the grid's height in the splitter. StatusC takes the status bar's width
  // less the two side panels of 150 pixels: it stretches in the bar, so that the three
  // panels follow every change of the window's width (a width set here from the bar's
  // width of the moment would lag one resize behind and push StatusR out of the window).
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
  StatusC->setText(cellText(navigator_.statusLine()));
}

void TFOSMAIN::layoutInfoLabels() {
  for (QLabel* l : {lSwName, lVelmar, lSwVerzija, lAutorskaPrava, lDistribucija}) l->adjustSize();
  const int clientHeight = height();
  const int clientWidth = width();
  const int top = (clientHeight - StatusBar1->height() - lSwName->height() - lVelmar->height() -
                   lSwVerzija->height()) /
                      2 -
                  10;
  // Window coordinates, placed in the page that holds the labels.
  const QPoint origin = listPage_->mapTo(this, QPoint(0, 0));
  auto place = [&](QLabel* l, int y) {
    l->move((clientWidth - l->width()) / 2 - origin.x(), y - origin.y());
  };
  place(lSwName, top);
  place(lVelmar, top + lSwName->height());
  const int verzijaTop = top + lSwName->height() + lVelmar->height() + 10;
  place(lSwVerzija, verzijaTop);
  place(lAutorskaPrava, verzijaTop + 40);
  place(lDistribucija, verzijaTop + 40 + 20);
  for (QLabel* l : {lSwName, lVelmar, lSwVerzija, lAutorskaPrava, lDistribucija}) l->raise();
}

void TFOSMAIN::applyColumnWidths() {
  const Section section = navigator_.section();
  const ListColumns& columns = sectionColumns(section);
  const std::vector<int>& fitting = fittingWidths_[section];
  const std::vector<int>& dragged = draggedWidths_[section];
  settingWidths_ = true;
  for (int c = 0; c < model_->columnCount(); ++c) {
    const auto i = static_cast<std::size_t>(c);
    // The documented width is the least; a column whose title or values need more gets it;
    // a width the user dragged wins over both. A documented 0 hides the column.
    const int documented = i < columns.widths.size() ? columns.widths[i] : 0;
    sgSpisak->setColumnHidden(c, documented == 0);
    if (documented == 0) continue;
    int width = std::max(documented, i < fitting.size() ? fitting[i] : 0);
    if (i < dragged.size() && dragged[i] > 0) width = dragged[i];
    sgSpisak->setColumnWidth(c, width);
  }
  settingWidths_ = false;
}

void TFOSMAIN::columnDragged(int column, int width) {
  if (settingWidths_ || width <= 0 || column < 0) return;
  std::vector<int>& dragged = draggedWidths_[navigator_.section()];
  if (dragged.size() <= static_cast<std::size_t>(column))
    dragged.resize(static_cast<std::size_t>(column) + 1, 0);
  dragged[static_cast<std::size_t>(column)] = width;
}

void TFOSMAIN::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  fOSMainOnCloseQuery(canClose);
  if (canClose) {
    // A network task under way (the start's, or a menu entry's) gives up at once, so that
    // the program ends with the window.
    if (Ftp1) Ftp1->cancel();
    event->accept();
  } else {
    event->ignore();
  }
}

void TFOSMAIN::fOSMainOnCloseQuery(bool& canClose) {
  if (previewVisible()) {
    hidePreview();
    canClose = false;
  }
}

void TFOSMAIN::ToolBarOnClick(QToolButton* sender) {
  program_.CSENDER = captionOf(sender).toStdString();
  SetSenderView();
}

QString TFOSMAIN::captionOf(const QToolButton* button) {
  QString caption = button->text();
  // "&&" stands for an "&" of the caption; a single "&" marks the mnemonic.
  caption.replace("&&", QString(QChar(0x1F)));
  caption.remove('&');
  caption.replace(QChar(0x1F), '&');
  return caption;
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

void TFOSMAIN::PodesavanjaOnClick() {
  showSettingsForm(program_);
}

void TFOSMAIN::SetSenderView() {
  const Section section = navigator_.section();
  navigator_.SetSenderView();
  Panel1->setText(QString::fromStdString(panelCaption(section)));
  StatusC->setText(cellText(navigator_.statusLine()));
  for (QLabel* l : {lVelmar, lSwName, lSwVerzija, lAutorskaPrava, lDistribucija}) l->hide();
  Splitter1->show();
  showListState();
  sgSpisak->show();
  rebuildTree();
  TreeView1->show();
  // Once the splitter has laid out the shown tree and list.
  QTimer::singleShot(0, this, [this] { fitTree(); });
  // The keyboard goes on in the tree: the arrows move to a command, Enter runs it.
  TreeView1->setFocus(Qt::OtherFocusReason);
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
  // The root is current, so that the tree shows where the keyboard is; selecting it runs
  // nothing (a command runs on a click or Enter).
  TreeView1->setCurrentItem(root);
}

void TFOSMAIN::fitTree() {
  if (splitterMoved_ || TreeView1->topLevelItemCount() == 0) return;
  // The splitter's sizes count once it is laid out in the shown window.
  QList<int> sizes = Splitter1->sizes();
  if (!Splitter1->isVisible() || sizes.size() != 2 || sizes[0] <= 0 || sizes[1] <= 0) return;
  const int needed = static_cast<const QAbstractItemView*>(TreeView1)->sizeHintForColumn(0) +
                     2 * TreeView1->frameWidth() +
                     TreeView1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int total = sizes[0] + sizes[1];
  // Never narrower than it is; the list keeps at least half of the width.
  const int width = std::min(needed, total / 2);
  if (width <= sizes[0]) return;
  sizes[0] = width;
  sizes[1] = total - width;
  Splitter1->setSizes(sizes);
}

void TFOSMAIN::showListState() {
  showList(true);
  sgSpisak->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

void TFOSMAIN::showList(bool measure) {
  const Section section = navigator_.section();
  settingWidths_ = true;
  model_->setList(navigator_.currentList(), sectionColumns(section));
  settingWidths_ = false;
  if (measure) {
    // The section's columns shown first: a hidden column's title has no size to measure.
    applyColumnWidths();
    fittingWidths_[section] =
        fittingColumnWidths(*sgSpisak, navigator_.currentList(), model_->columnCount());
  }
  applyColumnWidths();
  showCurrentRow();
  StatusC->setText(cellText(navigator_.statusLine()));
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
  const QTreeWidgetItem* item = TreeView1->currentItem();
  if (item == nullptr) return;
  runTreeCommand(item->text(0));
}

void TFOSMAIN::runTreeCommand(const QString& text) {
  inTreeCommand_ = true;
  takeCurrentRow();
  if (navigator_.TreeView1OnChange(text.toStdString())) showListState();
  inTreeCommand_ = false;
}

bool TFOSMAIN::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Info && infoMenuKey(event)) return true;
  if (watched == sgSpisak && event->type() == QEvent::KeyPress) {
    // Ctrl+1 to Ctrl+9 sort on that column as a click on its title does.
    const auto* key = static_cast<QKeyEvent*>(event);
    const int column = key->key() - Qt::Key_0;
    if (key->modifiers() == Qt::ControlModifier && column >= 1 && column <= 9 &&
        column <= model_->columnCount()) {
      sgSpisakOnHeaderClick(column);
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && (watched == TreeView1 || watched == sgSpisak)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        !(key->modifiers() & ~Qt::KeypadModifier)) {
      if (watched == TreeView1)
        TreeView1OnChange();
      else
        sgSpisakOnDblClick();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TFOSMAIN::infoMenuKey(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    // Alt+I: the information screen, as a click shows it, with the button's menu open on
    // it, so that the menu's commands are reached from the keyboard.
    Info->setFocus(Qt::ShortcutFocusReason);
    InfoOnClick();
    QTimer::singleShot(0, Info, [this] { Info->showMenu(); });
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool altDown = key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier;
  const bool plain = key->modifiers() == Qt::NoModifier;
  if (altDown || (plain && (key->key() == Qt::Key_F4 || key->key() == Qt::Key_Menu))) {
    Info->showMenu();
    return true;
  }
  return false;
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
  // Sorted, the list holds the same texts: the columns keep their widths.
  showList(false);
  // The sort just made used the other order than the next one will.
  sgSpisak->horizontalHeader()->setSortIndicator(
      column - 1, navigator_.nextSortAscending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TFOSMAIN::UcitajFirme() {
  navigator_.UcitajFirme();
}
void TFOSMAIN::UcitajOsnovnaSredstva() {
  navigator_.UcitajOsnovnaSredstva();
}
void TFOSMAIN::UcitajObracune() {
  navigator_.UcitajObracune();
}

void TFOSMAIN::showPreviewWidget(QWidget* preview) {
  if (previewWidget_ != nullptr && previewWidget_ != preview) previewWidget_->deleteLater();
  previewWidget_ = preview;
  if (preview != nullptr) {
    preview->setParent(fPreview);
    previewLayout_->addWidget(preview);
    preview->show();
  }
  // The focus goes back where the report was started from when the preview closes (the
  // window's focus child: a wait notice may be the active window just now).
  QWidget* focus = focusWidget();
  if (focus != nullptr && !previewPage_->isAncestorOf(focus)) previewOpener_ = focus;
  ToolBar1->hide();
  ToolBarStampa->show();
  fPreview->show();
  pages_->setCurrentWidget(previewPage_);
  // The preview takes the keyboard at once (Home, End, Page Up, Page Down, the arrows).
  if (preview != nullptr) preview->setFocus(Qt::OtherFocusReason);
}

void TFOSMAIN::hidePreview() {
  fPreview->hide();
  ToolBarStampa->hide();
  pages_->setCurrentWidget(listPage_);
  ToolBar1->show();
  // Back to the control the report was started from, or else to the list.
  if (previewOpener_ && previewOpener_->isVisible())
    previewOpener_->setFocus(Qt::OtherFocusReason);
  else if (sgSpisak->isVisible())
    sgSpisak->setFocus(Qt::OtherFocusReason);
  else if (TreeView1->isVisible())
    TreeView1->setFocus(Qt::OtherFocusReason);
}

bool TFOSMAIN::previewVisible() const {
  return pages_->currentWidget() == previewPage_ && fPreview->isVisibleTo(this);
}

}  // namespace kavrina::app
