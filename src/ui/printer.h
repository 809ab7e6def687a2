// The printer object the reports draw into: document set-up, the current font, and text,
// lines and boxes placed in millimetres on numbered pages, then preview and print. Report
// composition talks only to this interface; the program's implementation records the pages
// and replays them to the preview, the printer and PDF, and tests use a recording one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/workbook.h"

namespace kavrina::ui {

// Page orientation; the codes are the ones the reports set (0 portrait, 1 landscape).
enum class Orientation : int { Portrait = 0, Landscape = 1 };

// Paper size code of A4, 210 x 297 mm; the only paper the reports use.
inline constexpr int kPaperA4 = 4;
inline constexpr double kA4WidthMm = 210;
inline constexpr double kA4HeightMm = 297;

// Where a text line sits in its rectangle: the codes of the reports are 0 left, 2 right and
// any other value centred (the reports use 6).
enum class TextAlign : int { Left = 0, Right = 2, Center = 6 };

// The alignment of a report's alignment code: 0 left, 2 right, anything else centred.
constexpr TextAlign textAlignOf(int code) {
  return code == 0 ? TextAlign::Left : code == 2 ? TextAlign::Right : TextAlign::Center;
}

// The font of the following DrawText calls. Size is in points; colour is 0xRRGGBB.
struct PrinterFont {
  std::string name = "Arial";
  double size = 8;
  bool bold = false;
  std::uint32_t color = 0x000000;

  friend bool operator==(const PrinterFont&, const PrinterFont&) = default;
};

// A rectangle in millimetres from the top-left corner of the paper.
struct RectMm {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  friend bool operator==(const RectMm&, const RectMm&) = default;
};

// The printer object. Coordinates are millimetres from the top-left corner of the paper.
// Drawing before the first NewPage of a document is a programming error
// (std::logic_error).
class Printer {
 public:
  virtual ~Printer() = default;

  // Document identifier; it becomes the print job's name and the proposed PDF name.
  virtual void setTitle(std::string_view title) = 0;
  virtual void setOrientation(Orientation orientation) = 0;
  // Paper size code; only kPaperA4 is known (anything else raises std::invalid_argument).
  virtual void setPaperSize(int code) = 0;

  // The current font; changes apply to the following DrawText calls.
  virtual PrinterFont& font() = 0;

  // Starts a new document and discards the pages of the previous one. Creates no page.
  virtual void BeginDoc() = 0;
  // Starts the next page (the first page of a document too).
  virtual void NewPage() = 0;
  // One line of text, no wrapping, clipped to `rect`, its top edge at the rectangle's top,
  // in the current font. An empty text draws nothing.
  virtual void DrawText(std::string_view text, const RectMm& rect, TextAlign align) = 0;
  // A straight line from (x1, y1) to (x2, y2).
  virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
  // The outline of `rect`.
  virtual void DrawBox(const RectMm& rect) = 0;
  // `rect` filled in black, without an outline (the bars of a barcode).
  virtual void FillBox(const RectMm& rect) = 0;
  // Number of the page being drawn, from 1; 0 before the first NewPage.
  virtual int PageNumber() const = 0;
  // Closes the last page.
  virtual void EndDoc() = 0;
  // Shows the finished document.
  virtual void Preview() = 0;
  // Prints the finished document (with the print dialog when showDialog() is true).
  virtual void Print() = 0;

  // Whether Print shows the print dialog first.
  virtual void setShowDialog(bool show) = 0;
  virtual bool showDialog() const = 0;

  // The document's tables as a workbook, for saving it as a spreadsheet: given by a report
  // after BeginDoc, and belonging to that document. A printer that keeps no workbooks
  // ignores it.
  virtual void setWorkbook(sheet::WorkbookSource /*workbook*/) {}
  // Whether the printer keeps the workbook given: a report may leave out gathering a large one
  // that nobody would save.
  virtual bool keepsWorkbooks() const { return false; }
};

}  // namespace kavrina::ui
