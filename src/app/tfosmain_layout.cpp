// The controls of the main window in the order they are created, with their captions,
// colours, fonts and pictures, and the Info menu.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/focus_selection.h"
#include "app/resource_images.h"
#include "app/status_panel.h"
#include "app/tfosmain.h"
#include "errors/program_info.h"

namespace kavrina::app {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kBanner(63, 208, 252);

QFont arial(int points, bool bold = false) {
  QFont font("Arial");
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

QLabel* infoLabel(QWidget* parent, const QString& text, int points, const QColor& colour,
                  QPoint at) {
  auto* label = new QLabel(text, parent);
  label->setFont(arial(points));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAlignment(Qt::AlignCenter);
  label->adjustSize();
  label->move(at);
  return label;
}

// A section or tool button; its caption's first letter is its mnemonic (Alt+F for
// "Firma"), so that every section is reached from the keyboard.
QToolButton* toolButton(QToolBar* bar, const char* caption, const char* image) {
  auto* button = new QToolButton(bar);
  button->setObjectName(caption);
  button->setText(QString("&") + caption);
  button->setIcon(resourceIcon(image));
  button->setIconSize(QSize(24, 24));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  bar->addWidget(button);
  return button;
}

QToolButton* previewButton(QToolBar* bar, const char* name, const char* hint, const char* image,
                           std::function<void()> TFOSMAIN::PreviewActions::*action,
                           TFOSMAIN* window) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setIcon(resourceIcon(image));
  button->setIconSize(QSize(24, 24));
  button->setAutoRaise(true);
  bar->addWidget(button);
  return button;
}

}  // namespace

void TFOSMAIN::createControls() {
  setWindowIcon(resourceIcon("KAVRINAICO"));
  setWindowTitle("Kavrina - Velmar - Trivel");
  resize(762, 582);
  setMinimumSize(700, 500);

  // StatusBar1 with its three panels.
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  setStatusBar(StatusBar1);
  // StatusL and StatusR keep 150 pixels; StatusC stretches over the rest of the bar's
  // width, whatever the window's size, and cuts a text too long for it with an ellipsis.
  StatusL = new QLabel(kCopyrightShort, StatusBar1);
  StatusL->setFixedWidth(150);
  StatusC = new StatusPanel(StatusBar1);
  StatusC->setAlignment(Qt::AlignCenter);
  StatusR = new QLabel(kWebAddress, StatusBar1);
  StatusR->setFixedWidth(150);
  for (QLabel* panel : {StatusL, StatusC, StatusR}) {
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    StatusBar1->addWidget(panel, panel == StatusC ? 1 : 0);
  }

  // ReBar1 / ToolBar1 with the section buttons, "Podesavanja" and "Info".
  ToolBar1 = new QToolBar("ToolBar1", this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setFixedHeight(49);
  ToolBar1->setBackgroundRole(QPalette::Button);
  ToolBar1->setAutoFillBackground(true);
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  Firme = toolButton(ToolBar1, "Firma", "PROMENAFIRME");
  Kavrina = toolButton(ToolBar1, "Kavrina", "OSNOVNASREDSTVA");
  Obracuni = toolButton(ToolBar1, "Obracuni", "OBRACUNI");
  Podesavanja = toolButton(ToolBar1, "Podesavanja", "PODESI");
  Info = toolButton(ToolBar1, "Info", "INFO");
  for (QToolButton* b : {Firme, Kavrina, Obracuni})
    connect(b, &QToolButton::clicked, this, [this, b] { ToolBarOnClick(b); });
  connect(Podesavanja, &QToolButton::clicked, this, [this] { PodesavanjaOnClick(); });
  connect(Info, &QToolButton::clicked, this, [this] { InfoOnClick(); });
  // Its mnemonic and its drop-down keys open the Info menu (eventFilter).
  Info->installEventFilter(this);

  // The client area: the lists' page and the preview's page.
  pages_ = new QStackedWidget(this);
  setCentralWidget(pages_);
  listPage_ = new QWidget(pages_);
  auto* listLayout = new QVBoxLayout(listPage_);
  listLayout->setContentsMargins(0, 0, 0, 0);
  listLayout->setSpacing(0);
  pages_->addWidget(listPage_);

  // Panel1, the banner, with the maker's logo Image1 on its right.
  Panel1 = new QLabel(QString::fromUtf8("\u2022 ") + kWebAddress, listPage_);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(56);
  Panel1->setFont(arial(18));
  Panel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Panel1->setAutoFillBackground(true);
  QPalette bannerPalette = Panel1->palette();
  bannerPalette.setColor(QPalette::Window, kBanner);
  bannerPalette.setColor(QPalette::WindowText, Qt::white);
  Panel1->setPalette(bannerPalette);
  auto* bannerLayout = new QHBoxLayout(Panel1);
  bannerLayout->setContentsMargins(0, 0, 0, 0);
  bannerLayout->addStretch();
  Image1 = new QLabel(Panel1);
  Image1->setPixmap(resourceImage("VELMAR", 0));
  Image1->setFixedSize(290, 56);
  bannerLayout->addWidget(Image1);
  listLayout->addWidget(Panel1);

  // TreeView1 | Splitter1 | sgSpisak.
  Splitter1 = new QSplitter(Qt::Horizontal, listPage_);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setHandleWidth(3);
  TreeView1 = new QTreeWidget(Splitter1);
  TreeView1->setObjectName("TreeView1");
  TreeView1->setHeaderHidden(true);
  TreeView1->setIconSize(QSize(16, 16));
  TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
  // A click runs the node's command, also on the node that ran last; the keys only move
  // (Enter runs, see eventFilter).
  connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    TreeView1->setCurrentItem(item);
    TreeView1OnChange();
  });
  TreeView1->installEventFilter(this);
  showSelectionByFocus(TreeView1);
  sgSpisak = new QTableView(Splitter1);
  sgSpisak->setObjectName("sgSpisak");
  model_ = new ListModel(sgSpisak);
  sgSpisak->setModel(model_);
  sgSpisak->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgSpisak->setSelectionMode(QAbstractItemView::SingleSelection);
  sgSpisak->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgSpisak->setWordWrap(false);
  // Tab leaves the list for the tree instead of moving between its cells.
  sgSpisak->setTabKeyNavigation(false);
  sgSpisak->installEventFilter(this);
  showSelectionByFocus(sgSpisak);
  // The sorted column shows its arrow (set by each sort, cleared by each new list).
  sgSpisak->horizontalHeader()->setSortIndicatorShown(true);
  sgSpisak->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  sgSpisak->horizontalHeader()->setToolTip("Klik ili Ctrl+broj kolone: sortiranje");
  sgSpisak->verticalHeader()->hide();
  sgSpisak->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgSpisak->verticalHeader()->setDefaultSectionSize(20);
  sgSpisak->horizontalHeader()->setSectionsClickable(true);
  sgSpisak->horizontalHeader()->setHighlightSections(false);
  sgSpisak->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  sgSpisak->horizontalHeader()->setStretchLastSection(false);
  connect(sgSpisak->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int logical) { sgSpisakOnHeaderClick(logical + 1); });
  connect(sgSpisak->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int logical, int, int width) { columnDragged(logical, width); });
  connect(sgSpisak, &QTableView::doubleClicked, this, [this] { sgSpisakOnDblClick(); });
  Splitter1->addWidget(TreeView1);
  Splitter1->addWidget(sgSpisak);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({296, 445});
  connect(Splitter1, &QSplitter::splitterMoved, this, [this] { splitterMoved_ = true; });
  listLayout->addWidget(Splitter1, 1);
  listLayout->addStretch(0);
  TreeView1->hide();
  sgSpisak->hide();
  Splitter1->hide();

  // The information labels, laid out by fOSMainOnResize.
  lSwName = infoLabel(listPage_, "Kavrina", 48, kSilver, {168, 168});
  lSwVerzija = infoLabel(listPage_, "verzija (datum)", 14, kSilver, {352, 288});
  lAutorskaPrava = infoLabel(listPage_, "Autorska prava: Velmar - Trivel, Beograd", 12,
                             palette().color(QPalette::WindowText), {248, 336});
  lAutorskaPrava->hide();
  lDistribucija = infoLabel(listPage_, "Distribucija i Tehnicka podrska:", 12,
                            palette().color(QPalette::WindowText), {304, 360});
  lDistribucija->hide();

  // The print preview's page: ToolBarStampa above fPreview.
  previewPage_ = new QWidget(pages_);
  auto* previewPageLayout = new QVBoxLayout(previewPage_);
  previewPageLayout->setContentsMargins(0, 0, 0, 0);
  previewPageLayout->setSpacing(0);
  pages_->addWidget(previewPage_);
  createPreviewBar(previewPage_);
  previewPageLayout->addWidget(ToolBarStampa);

  lVelmar = infoLabel(listPage_, kCopyright, 28, kSilver, {248, 240});

  createInfoMenu();

  fPreview = new QWidget(previewPage_);
  fPreview->setObjectName("fPreview");
  previewLayout_ = new QVBoxLayout(fPreview);
  previewLayout_->setContentsMargins(0, 0, 0, 0);
  previewPageLayout->addWidget(fPreview, 1);
  // Escape closes the preview and returns to the list, as the window's close button does.
  auto* closePreview = new QShortcut(QKeySequence(Qt::Key_Escape), previewPage_);
  closePreview->setContext(Qt::WidgetWithChildrenShortcut);
  connect(closePreview, &QShortcut::activated, this, [this] {
    if (previewVisible()) hidePreview();
  });
}

void TFOSMAIN::createPreviewBar(QWidget* page) {
  ToolBarStampa = new QToolBar("ToolBarStampa", page);
  ToolBarStampa->setObjectName("ToolBarStampa");
  ToolBarStampa->setFixedHeight(45);
  ToolBarStampa->setMovable(false);
  ToolBarStampa->setBackgroundRole(QPalette::Button);
  ToolBarStampa->setAutoFillBackground(true);
  using A = PreviewActions;
  struct Button {
    QToolButton** member;
    const char* name;
    const char* hint;
    const char* image;
    std::function<void()> A::*action;
  };
  const Button buttons[] = {
      {&Stampaj, "Stampaj", "Stampaj dokument", "TB_STAMPAJ", &A::StampajDokumentClick},
      {nullptr, "Divider21", nullptr, nullptr, nullptr},
      {&PrvaStrana, "PrvaStrana", "Prva Strana", "TB_PRVASTRANA", &A::PrvaStranaClick},
      {&PrethodnaStrana, "PrethodnaStrana", "Prethodna Strana", "TB_PRETHODNASTRANA",
       &A::PrethodnaStranaClick},
      {&SledecaStrana, "SledecaStrana", "Sledeca Strana", "TB_SLEDECASTRANA",
       &A::SledecaStranaClick},
      {&PoslednjaStrana, "PoslednjaStrana", "Poslednja Strana", "TB_POSLEDNJASTRANA",
       &A::PoslednjaStranaClick},
      {nullptr, "Divider22", nullptr, nullptr, nullptr},
      {&UmanjenaStrana, "UmanjenaStrana", "Pregled cele strane", "TB_UMANJENASTRANA",
       &A::UmanjenaStranaClick},
      {&StandardnaStrana, "StandardnaStrana", "Standardan pregled strane", "TB_STANDARDNASTRANA",
       &A::StandardnaStranaClick},
      {&UvecanaStrana, "UvecanaStrana", "Uvecan pregled strane", "TB_UVECANASTRANA",
       &A::UvecanaStranaClick},
      {nullptr, "Divider23", nullptr, nullptr, nullptr},
  };
  for (const Button& b : buttons) {
    if (b.member == nullptr) {
      ToolBarStampa->addSeparator();
      continue;
    }
    QToolButton* button = previewButton(ToolBarStampa, b.name, b.hint, b.image, b.action, this);
    *b.member = button;
    auto action = b.action;
    connect(button, &QToolButton::clicked, this, [this, action] {
      if (previewActions_.*action) (previewActions_.*action)();
    });
  }
  eTBStrana = new QLineEdit("Strana 1 od 1", ToolBarStampa);
  eTBStrana->setObjectName("eTBStrana");
  eTBStrana->setFixedSize(120, 21);
  eTBStrana->setAlignment(Qt::AlignCenter);
  ToolBarStampa->addWidget(eTBStrana);
}

void TFOSMAIN::createInfoMenu() {
  PopupMenuInfo = new QMenu(this);
  PopupMenuInfo->setObjectName("PopupMenuInfo");
  auto serviceItem = [this](QMenu* menu, const char* text, Service service,
                            void (TFOSMAIN::*call)()) {
    QAction* action = menu->addAction(text);
    action->setEnabled(serviceAvailable(service));
    connect(action, &QAction::triggered, this, [this, call] { (this->*call)(); });
  };
  QMenu* pomoc = PopupMenuInfo->addMenu("Pomoc");
  // The program, its version and where its data lie (beside the program, in $KAVRINA_HOME
  // or, for an installed program, in the user's data folder).
  connect(pomoc->addAction("Informacije o programu"), &QAction::triggered, this, [this] {
    program_.userInterface().messageBox(programInfoText(program_.info),
                                        ui::MessageKind::Information, ui::MessageButtons::Ok);
  });
  pomoc->addSeparator();
  QMenu* daljinska = pomoc->addMenu("Daljinska podrska");
  serviceItem(daljinska, "Velmar", Service::OnlinePodrskaVM, &TFOSMAIN::OnlinePodrskaVM);
  serviceItem(daljinska, "Im Pc Remote", Service::OnlinePodrskaImPcR,
              &TFOSMAIN::OnlinePodrskaImPcR);
  PopupMenuInfo->addSeparator();
  QMenu* odrzavanje = PopupMenuInfo->addMenu("Odrzavanje");
  QMenu* verzija = odrzavanje->addMenu("Aktuelna verzija programa");
  serviceItem(verzija, "Proveri aktuelnu verziju", Service::ProveriVerzijuPrograma,
              &TFOSMAIN::ProveriVerzijuPrograma);
  serviceItem(verzija, "Preuzmi aktuelnu verziju", Service::PreuzmiNovuVerzijuPrograma,
              &TFOSMAIN::PreuzmiNovuVerzijuPrograma);
  odrzavanje->addSeparator();
  serviceItem(odrzavanje, "Obrisi indeksne fajlove", Service::ObrisiIndex, &TFOSMAIN::ObrisiIndex);
  odrzavanje->addSeparator();
  serviceItem(odrzavanje, "Arhiviraj podatke", Service::ArhivirajPodatke,
              &TFOSMAIN::ArhivirajPodatke);
  PopupMenuInfo->addSeparator();
  PopupMenuInfo->addAction("Odustani");
}

}  // namespace kavrina::app
