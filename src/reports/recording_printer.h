// The printer object the program and the tests use: it records every page of the document
// as drawing operations, and hands the finished document to its preview and print actions.
// The program attaches the Qt preview and printing (reports/qt/); tests attach nothing and
// read the recorded pages.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "reports/page_document.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Records pages; owns the current document. BeginDoc replaces the document with a new one,
// so a preview still showing the previous document keeps it alive until it is handed the
// new one.
class RecordingPrinter final : public ui::Printer {
 public:
  // Called by Preview and Print with the current document (the OnPreview action of the
  // main window, and the print job). Print also passes showDialog().
  std::function<void(std::shared_ptr<const PageDocument>)> OnPreview;
  std::function<void(std::shared_ptr<const PageDocument>, bool showDialog)> OnPrint;

  RecordingPrinter();

  void setTitle(std::string_view title) override { title_ = title; }
  void setOrientation(ui::Orientation orientation) override { orientation_ = orientation; }
  void setPaperSize(int code) override;
  ui::PrinterFont& font() override { return font_; }

  void BeginDoc() override;
  void NewPage() override;
  void DrawText(std::string_view text, const ui::RectMm& rect, ui::TextAlign align) override;
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void DrawBox(const ui::RectMm& rect) override;
  void FillBox(const ui::RectMm& rect) override;
  int PageNumber() const override;
  void EndDoc() override;
  void Preview() override;
  void Print() override;

  void setShowDialog(bool show) override { showDialog_ = show; }
  bool showDialog() const override { return showDialog_; }
  // Keeps the workbook with the current document, unless told to keep none (a document
  // only written as PDF).
  void setWorkbook(sheet::WorkbookSource workbook) override {
    if (keepsWorkbooks_) document_->workbook = std::move(workbook);
  }
  bool keepsWorkbooks() const override { return keepsWorkbooks_; }
  void setKeepsWorkbooks(bool keeps) { keepsWorkbooks_ = keeps; }

  // The current document (empty before the first BeginDoc).
  const PageDocument& document() const { return *document_; }
  std::shared_ptr<const PageDocument> sharedDocument() const { return document_; }
  const std::string& title() const { return title_; }
  // Whether the document is between BeginDoc and EndDoc.
  bool printing() const { return printing_; }
  // How often BeginDoc, Preview and Print were called, for tests.
  int beginDocCount() const { return beginDocCount_; }
  int previewCount() const { return previewCount_; }
  int printCount() const { return printCount_; }

 private:
  Page& currentPage();

  std::string title_;
  ui::Orientation orientation_ = ui::Orientation::Portrait;
  ui::PrinterFont font_;
  bool showDialog_ = true;
  bool keepsWorkbooks_ = true;
  bool printing_ = false;
  std::shared_ptr<PageDocument> document_;
  int beginDocCount_ = 0;
  int previewCount_ = 0;
  int printCount_ = 0;
};

}  // namespace kavrina::reports
