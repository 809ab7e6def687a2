// The preview panel: tool bar, page box, page area, keys, printing and PDF saving.
#include "reports/qt/print_preview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>
#include <system_error>

#include "errors/end_program.h"
#include "reports/qt/document_printing.h"
#include "reports/qt/page_view.h"
#include "reports/qt/pdf_save.h"
#include "reports/qt/toolbar_icons.h"
#include "reports/xlsx_writer.h"
#include "settings/settings_keys.h"

namespace kavrina::reports {

namespace {
constexpr int kToolBarHeight = 45;
}  // namespace

PrintPreview::PrintPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fPreview"));
  std::error_code error;
  programFolder_ = std::filesystem::current_path(error);
  printerChoice_ = [] { return settings::read(settings::kIzborStampaca); };
  errorSink_ = [this](const QString& text) {
    QMessageBox::critical(this, QStringLiteral("Error"), text);
  };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  buildToolBar();
  // A tool bar outside a main window sets its own minimum height; the holder keeps it at 45.
  auto* holder = new QWidget(this);
  holder->setFixedHeight(kToolBarHeight);
  auto* holderLayout = new QVBoxLayout(holder);
  holderLayout->setContentsMargins(0, 0, 0, 0);
  holderLayout->addWidget(toolBar_);
  layout->addWidget(holder);

  scrollArea_ = new QScrollArea(this);
  scrollArea_->setObjectName(QStringLiteral("PreviewArea"));
  scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scrollArea_->setWidgetResizable(false);
  scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollArea_->setFocusPolicy(Qt::StrongFocus);
  pageView_ = new PageView;
  scrollArea_->setWidget(pageView_);
  scrollArea_->installEventFilter(this);
  scrollArea_->viewport()->installEventFilter(this);
  layout->addWidget(scrollArea_, 1);
  // Focus given to the preview goes to the page area, whose keys page and scroll.
  setFocusProxy(scrollArea_);

  printer_.OnPreview = [this](std::shared_ptr<const PageDocument> doc) {
    ShowPreview(std::move(doc));
  };
  printer_.OnPrint = [this](std::shared_ptr<const PageDocument> doc, bool showDialog) {
    if (doc) print(*doc, showDialog);
  };
  state_.reset(1);
  refreshPageBox();
  hide();
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::buildToolBar() {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("ToolBarStampa"));
  toolBar_->setFixedHeight(kToolBarHeight);
  toolBar_->setIconSize(QSize(28, 28));
  toolBar_->setAutoFillBackground(true);
  toolBar_->setBackgroundRole(QPalette::Button);
  toolBar_->setFocusPolicy(Qt::NoFocus);

  auto button = [this](const char* name, const char* hint, const char* image, auto handler) {
    QAction* action = toolBar_->addAction(toolbarIcon(image), QString::fromUtf8(hint));
    action->setObjectName(QString::fromUtf8(name));
    action->setToolTip(QString::fromUtf8(hint));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  button("Stampaj", "Stampaj dokument", "TB_STAMPAJ", &PrintPreview::StampajDokumentClick);
  reachableFromKeyboard(
      toolBar_, button("SacuvajPdf", "Sacuvaj PDF", "TB_PDF", &PrintPreview::SacuvajPdfClick));
  addExcelAction(toolBar_, nullptr);
  toolBar_->addSeparator()->setObjectName(QStringLiteral("Divider21"));
  button("PrvaStrana", "Prva Strana", "TB_PRVASTRANA", &PrintPreview::PrvaStranaClick);
  button("PrethodnaStrana", "Prethodna Strana", "TB_PRETHODNASTRANA",
         &PrintPreview::PrethodnaStranaClick);
  button("SledecaStrana", "Sledeca Strana", "TB_SLEDECASTRANA", &PrintPreview::SledecaStranaClick);
  button("PoslednjaStrana", "Poslednja Strana", "TB_POSLEDNJASTRANA",
         &PrintPreview::PoslednjaStranaClick);
  toolBar_->addSeparator()->setObjectName(QStringLiteral("Divider22"));
  button("UmanjenaStrana", "Pregled cele strane", "TB_UMANJENASTRANA",
         &PrintPreview::UmanjenaStranaClick);
  button("StandardnaStrana", "Standardan pregled strane", "TB_STANDARDNASTRANA",
         &PrintPreview::StandardnaStranaClick);
  button("UvecanaStrana", "Uvecan pregled strane", "TB_UVECANASTRANA",
         &PrintPreview::UvecanaStranaClick);
  toolBar_->addSeparator()->setObjectName(QStringLiteral("Divider23"));

  eTBStrana_ = new QLineEdit(toolBar_);
  eTBStrana_->setObjectName(QStringLiteral("eTBStrana"));
  eTBStrana_->setFixedSize(120, 21);
  eTBStrana_->setAlignment(Qt::AlignCenter);
  eTBStrana_->installEventFilter(this);
  connect(eTBStrana_, &QLineEdit::returnPressed, this, &PrintPreview::goToTypedPage);
  toolBar_->addWidget(eTBStrana_);
}

void PrintPreview::useHostToolBar(QToolBar* bar, QLineEdit* pageBox) {
  toolBar_->parentWidget()->hide();
  if (pageBox != nullptr && pageBox != eTBStrana_) {
    eTBStrana_ = pageBox;
    pageBox->installEventFilter(this);
    connect(pageBox, &QLineEdit::returnPressed, this, &PrintPreview::goToTypedPage);
    refreshPageBox();
  }
  if (bar != nullptr) {
    auto* pdf = new QAction(toolbarIcon("TB_PDF"), QStringLiteral("Sacuvaj PDF"), bar);
    pdf->setObjectName(QStringLiteral("SacuvajPdf"));
    pdf->setToolTip(QStringLiteral("Sacuvaj PDF"));
    connect(pdf, &QAction::triggered, this, &PrintPreview::SacuvajPdfClick);
    const QList<QAction*> actions = bar->actions();
    QAction* after = actions.size() > 1 ? actions[1] : nullptr;
    bar->insertAction(after, pdf);
    reachableFromKeyboard(bar, pdf);
    addExcelAction(bar, after);
  }
}

void PrintPreview::addExcelAction(QToolBar* bar, QAction* before) {
  auto* excel = new QAction(toolbarIcon("TB_EXCEL"), QStringLiteral("Excel"), bar);
  excel->setObjectName(QStringLiteral("SacuvajExcel"));
  excel->setToolTip(QStringLiteral("Excel"));
  excel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  excel->setEnabled(doc_ && doc_->workbook);
  connect(excel, &QAction::triggered, this, &PrintPreview::SacuvajExcelClick);
  bar->insertAction(before, excel);
  excelActions_.push_back(excel);
}

void PrintPreview::reachableFromKeyboard(QToolBar* bar, QAction* pdf) {
  // Ctrl+S while the bar shows; the button is a Tab stop right after the bar's first one.
  pdf->setShortcut(QKeySequence::Save);
  QWidget* button = bar->widgetForAction(pdf);
  if (button == nullptr) return;
  button->setFocusPolicy(Qt::TabFocus);
  const QList<QAction*> actions = bar->actions();
  QWidget* first = actions.isEmpty() ? nullptr : bar->widgetForAction(actions.front());
  if (first != nullptr && first != button && first->focusPolicy() != Qt::NoFocus)
    QWidget::setTabOrder(first, button);
}

void PrintPreview::ShowPreview(std::shared_ptr<const PageDocument> doc) {
  doc_ = std::move(doc);
  for (QAction* excel : excelActions_) excel->setEnabled(doc_ && doc_->workbook);
  state_.reset(doc_ ? doc_->pageCount() : 0);
  // The host places the panel first, so that the page is laid out for its final size.
  emit previewShown();
  show();
  // The page view learns the new document first, so that a landscape page is laid out
  // landscape.
  showCurrentPage();
  // The normal view: its scroll bars and the page laid out.
  setView(PreviewView::Normal);
  scrollArea_->horizontalScrollBar()->setValue(0);
  scrollArea_->verticalScrollBar()->setValue(0);
  // The keys work at once, without a click into the page first.
  scrollArea_->setFocus(Qt::OtherFocusReason);
}

void PrintPreview::StampajDokumentClick() {
  printer_.setShowDialog(printerChoice_ ? printerChoice_() : true);
  printer_.Print();
  // Printer drivers and dialogs may change the current folder; the program's relative
  // file names need the program folder.
  std::error_code error;
  if (!programFolder_.empty()) std::filesystem::current_path(programFolder_, error);
}

void PrintPreview::print(const PageDocument& doc, bool showDialog) {
  // A fresh printer object per job, preset to the current printer: a printer picked in the
  // dialog serves this job only.
  QPrinter printer(QPrinter::HighResolution);
  prepareJob(printer, doc);
  if (configureJob_) configureJob_(printer);
  if (showDialog) {
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, doc.pageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    proposeFileOf(dialog, doc);
    const int result = dialog.exec();
    errors::continueEnding();
    if (result != QDialog::Accepted) return;
  }
  if (auto error = printDocument(doc, printer)) errorSink_(QString::fromStdString(*error));
}

void PrintPreview::proposeFileOf(QPrintDialog& dialog, const PageDocument& doc) const {
  // The dialog fills its file field when it shows (with the home folder when the current
  // folder is not inside it); the field is set once it is on screen. A printer chosen in
  // the dialog stays the default: only the file a "Print to File" writes is proposed.
  const QString proposed = proposedPdfPath(doc);
  QTimer::singleShot(0, &dialog, [&dialog, proposed] {
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
      file->setText(proposed);
  });
}

QString PrintPreview::proposedPdfPath(const PageDocument& doc) const {
  // In the user's documents: the program folder, where a dialog would start, takes no PDF.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return folder + QStringLiteral("/") + QString::fromStdString(doc.title) + QStringLiteral(".pdf");
}

void PrintPreview::SacuvajPdfClick() {
  if (!doc_) return;
  // The overwrite question is the program's own (savePdfAs).
  QString proposed = proposedPdfPath(*doc_);
  for (;;) {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Sacuvaj PDF"), proposed,
                                                      QStringLiteral("PDF (*.pdf)"), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    errors::continueEnding();
    if (file.isEmpty() || ui_ == nullptr) return;
    if (savePdfAs(*doc_, file.toStdString(), programFolder_, *ui_) == PdfSaveStep::Done) return;
    proposed = file;
  }
}

void PrintPreview::SacuvajExcelClick() {
  if (!doc_ || !doc_->workbook) return;
  const std::shared_ptr<const PageDocument> doc = doc_;
  // Made once the user has named the file, then kept for another try.
  std::optional<sheet::Workbook> workbook;
  QString proposed = proposedPdfPath(*doc);
  proposed.replace(proposed.size() - 4, 4, QStringLiteral(".xlsx"));
  for (;;) {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Excel"), proposed,
                                                      QStringLiteral("Excel (*.xlsx)"), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty() || ui_ == nullptr) return;
    const auto write = [&](const std::filesystem::path& path, bool replace, std::string& warning) {
      if (!workbook) workbook = doc->workbook();
      return writeXlsx(*workbook, path, programFolder_, replace, &warning);
    };
    if (saveOutputAs(file.toStdString(), programFolder_, *ui_, write) == PdfSaveStep::Done) return;
    proposed = file;
  }
}

void PrintPreview::PrvaStranaClick() {
  const int before = state_.page();
  state_.first();
  showTurnedPage(before);
}

void PrintPreview::PrethodnaStranaClick() {
  const int before = state_.page();
  state_.previous();
  showTurnedPage(before);
}

void PrintPreview::SledecaStranaClick() {
  const int before = state_.page();
  state_.next();
  showTurnedPage(before);
}

void PrintPreview::PoslednjaStranaClick() {
  const int before = state_.page();
  state_.last();
  showTurnedPage(before);
}

void PrintPreview::UmanjenaStranaClick() {
  setView(PreviewView::FullSize);
}
void PrintPreview::StandardnaStranaClick() {
  setView(PreviewView::Normal);
}
void PrintPreview::UvecanaStranaClick() {
  setView(PreviewView::Zoom);
}

void PrintPreview::setView(PreviewView view) {
  state_.setView(view);
  // The whole page fits the area by its size: no scroll bar takes room beside it. The other
  // views keep the vertical bar, so that the page's width does not change as it comes
  // and goes.
  const bool whole = view == PreviewView::FullSize;
  scrollArea_->setVerticalScrollBarPolicy(whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
  scrollArea_->setHorizontalScrollBarPolicy(whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  relayout();
}

void PrintPreview::showTurnedPage(int before) {
  showCurrentPage();
  // Another page is read from its top, whatever part of the last one was in view.
  if (state_.page() != before) scrollArea_->verticalScrollBar()->setValue(0);
}

void PrintPreview::showCurrentPage() {
  pageView_->showPage(doc_, state_.page());
  refreshPageBox();
}

void PrintPreview::refreshPageBox() {
  // While the user types in the box it shows the bare page number.
  const std::string text =
      eTBStrana_->hasFocus() ? std::to_string(state_.page()) : state_.pageText();
  eTBStrana_->setText(QString::fromStdString(text));
}

void PrintPreview::goToTypedPage() {
  if (state_.goToTyped(eTBStrana_->text().toStdString())) {
    pageView_->showPage(doc_, state_.page());
  }
  refreshPageBox();
}

void PrintPreview::relayout() {
  pageView_->layOut(state_.view(), scrollArea_->viewport()->size());
}

void PrintPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  relayout();
}

bool PrintPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == eTBStrana_) {
    if (event->type() == QEvent::FocusIn) {
      eTBStrana_->setText(QString::number(state_.page()));
    } else if (event->type() == QEvent::FocusOut) {
      eTBStrana_->setText(QString::fromStdString(state_.pageText()));
    }
    return false;
  }
  if (watched == scrollArea_->viewport() && event->type() == QEvent::Resize) {
    relayout();
    return false;
  }
  if (watched == scrollArea_ && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Home:
        PrvaStranaClick();
        return true;
      case Qt::Key_End:
        PoslednjaStranaClick();
        return true;
      case Qt::Key_PageUp:
        PrethodnaStranaClick();
        return true;
      case Qt::Key_PageDown:
        SledecaStranaClick();
        return true;
      default:
        return false;  // the arrow keys scroll the page area
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavrina::reports
