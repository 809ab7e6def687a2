// The print preview `fPreview` with its tool bar `ToolBarStampa`: one self-contained widget
// that the main window places in its client area. It owns the printer object the reports
// draw into, shows each finished document, pages and zooms through it, prints it and saves
// it as PDF.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "reports/preview_state.h"
#include "reports/recording_printer.h"
#include "ui/user_interface.h"

class QAction;
class QLineEdit;
class QPrintDialog;
class QPrinter;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace kavrina::reports {

class PageView;

class PrintPreview : public QWidget {
  Q_OBJECT

 public:
  // Created hidden; the first document shown makes it visible.
  explicit PrintPreview(QWidget* parent = nullptr);
  ~PrintPreview() override;

  // The printer object (`PRINTER`): reports draw into it; its Preview shows the document
  // here and its Print prints it.
  RecordingPrinter& printer() { return printer_; }

  // --- what the tool bar and the keys do ---
  // Shows `doc` at page 1 in the normal view, scrolled to the start; shows the widget and
  // emits previewShown().
  void ShowPreview(std::shared_ptr<const PageDocument> doc);
  void StampajDokumentClick();
  void SacuvajPdfClick();
  // "Excel" (Ctrl+E): the document's workbook saved as an XLSX file, with the PDF's rules
  // (the overwrite question, no file in the program folder). Enabled only for a document
  // that has a workbook.
  void SacuvajExcelClick();
  void PrvaStranaClick();
  void PrethodnaStranaClick();
  void SledecaStranaClick();
  void PoslednjaStranaClick();
  void UmanjenaStranaClick();
  void StandardnaStranaClick();
  void UvecanaStranaClick();

  // For a host window that has its own `ToolBarStampa` and `eTBStrana`: hides the preview's
  // own tool bar, shows the page text in `pageBox` (typing a page number and Enter moves
  // there), and adds the "Sacuvaj PDF" button to `bar` after its first button, with Ctrl+S
  // and a Tab stop after that button, and the "Excel" button beside it, with Ctrl+E. The host
  // connects its buttons to the handlers above.
  void useHostToolBar(QToolBar* bar, QLineEdit* pageBox);

  // --- state, for the main window and tests ---
  const PreviewState& state() const { return state_; }
  std::shared_ptr<const PageDocument> document() const { return doc_; }
  QLineEdit* pageBox() const { return eTBStrana_; }
  QToolBar* toolBar() const { return toolBar_; }
  QScrollArea* scrollArea() const { return scrollArea_; }
  PageView* pageView() const { return pageView_; }

  // --- settings of the host ---
  // Whether to offer the print dialog; default: the setting "Izbor stampaca".
  void setPrinterChoice(std::function<bool()> choice) { printerChoice_ = std::move(choice); }
  // The folder made current again after printing; default: the current folder at creation.
  void setProgramFolder(std::filesystem::path folder) { programFolder_ = std::move(folder); }
  // Who is asked the questions of saving a PDF or a workbook (the overwrite question); none:
  // neither is saved.
  void setUserInterface(ui::UserInterface* ui) { ui_ = ui; }
  // Shows an error text in a box titled "Error"; replaceable for tests.
  void setErrorSink(std::function<void(const QString&)> sink) { errorSink_ = std::move(sink); }
  // Called on each print job after its set-up and before the dialog (tests direct the job
  // to a PDF file through it).
  void setJobConfigurer(std::function<void(QPrinter&)> configure) {
    configureJob_ = std::move(configure);
  }

 signals:
  // A document was shown: the host makes the preview visible in its window.
  void previewShown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildToolBar();
  void print(const PageDocument& doc, bool showDialog);
  // The file "Sacuvaj PDF" offers for `doc`: its title + ".pdf" in the user's documents
  // folder (the home folder when there is none). The print dialog offers the same file for
  // "Print to File".
  QString proposedPdfPath(const PageDocument& doc) const;
  // Adds the "Excel" action to `bar` before `before` (at the end when null).
  void addExcelAction(QToolBar* bar, QAction* before);
  void proposeFileOf(QPrintDialog& dialog, const PageDocument& doc) const;
  void showCurrentPage();
  // showCurrentPage() after a page turn from `before`: a new page shows from its top.
  void showTurnedPage(int before);
  // Gives the PDF button `pdf` of `bar` Ctrl+S and a place in the Tab chain.
  static void reachableFromKeyboard(QToolBar* bar, QAction* pdf);
  void relayout();
  void refreshPageBox();
  void setView(PreviewView view);
  void goToTypedPage();

  RecordingPrinter printer_;
  PreviewState state_;
  std::shared_ptr<const PageDocument> doc_;
  QToolBar* toolBar_ = nullptr;
  std::vector<QAction*> excelActions_;  // the "Excel" buttons, enabled with a workbook
  QLineEdit* eTBStrana_ = nullptr;
  QScrollArea* scrollArea_ = nullptr;
  PageView* pageView_ = nullptr;
  std::function<bool()> printerChoice_;
  std::filesystem::path programFolder_;
  ui::UserInterface* ui_ = nullptr;
  std::function<void(const QString&)> errorSink_;
  std::function<void(QPrinter&)> configureJob_;
};

}  // namespace kavrina::reports
