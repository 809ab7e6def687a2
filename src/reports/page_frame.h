// The frame every report page carries: the footer with program, page number and the
// maker's web address, and the two heading lines.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "common/version.h"
#include "store/program.h"
#include "ui/printer.h"
#include "ui/user_interface.h"

namespace kavrina::reports {

// The maker's web address printed at the right of every footer.
inline constexpr std::string_view kMakerWebAddress = "www.velmar.example";

// Fixed font sizes of the frame, in points.
inline constexpr double kFooterFontSize = 6;
inline constexpr double kTitleFontSize = 14;
inline constexpr double kSecondLineFontSize = 10;

// What every report takes from the program: the body font, the version and the company.
struct ReportStyle {
  std::string fontName = "Arial";        // CFONTNAME
  double fontSize = 8;                   // NFONTSIZE
  std::string version{kProgramVersion};  // VER
  std::string webAddress = std::string(kMakerWebAddress);
};

ReportStyle reportStyleOf(const store::Program& program);

// Reads the report font of the settings file ("Font-Name", "Font-Size" of "Programska
// podesavanja", "Arial" and 8 when missing) into `CFONTNAME` and `NFONTSIZE`: the window at
// start-up and kavrina-cli before a document both print in the font of the settings.
void readReportFont(store::Program& program);

// The four heading texts; an empty text is left out.
struct FrameHeading {
  std::string title;        // left of the title line
  std::string titleRight;   // right of the title line (CKORISNIKNAZIV)
  std::string second;       // left of the second line (date, period or description)
  std::string secondRight;  // right of the second line (CKORISNIKMESTO)
};

// Sets the document up: title, A4 in `orientation`, the body font.
void setUpA4(ui::Printer& printer, std::string_view title, const ReportStyle& style,
             ui::Orientation orientation);
// Sets the document up as the list reports do: title, portrait A4, the body font.
void setUpPortraitA4(ui::Printer& printer, std::string_view title, const ReportStyle& style);

// The page number of the footer: "Strana " + the number with the picture "999", trimmed.
std::string footerPageText(int page);

// Starts a list report over `rowCount` rows: with no rows, the information box "Nema
// podataka za stampu!" and no value; otherwise the wait notice "Priprema za stampa u
// toku..." (closed when the returned object goes), the document set up as
// setUpPortraitA4 does and begun. Uses ui::current().
std::optional<std::unique_ptr<ui::WaitNotice>> beginListReport(ui::Printer& printer,
                                                               std::size_t rowCount,
                                                               std::string_view title,
                                                               const ReportStyle& style);

// Where the frame lies on the page. The default is the portrait frame of most reports; the
// landscape register widens it and prints its second line in the body size.
struct FrameLayout {
  double left = 8;          // the rules and the footer
  double right = 202;       // the rules, the footer and the right-hand heading texts
  double textRight = 202;   // where the left-hand heading texts end
  double footerRule = 285;  // the footer rule; the footer texts lie 1 to 6 mm below it
  double secondLineFontSize = kSecondLineFontSize;  // 0: the body size
  std::string software;  // the footer's program name; empty: "Kavrina " + the version
};

// Draws the frame on the page just started: the footer rule and texts (size 6), the title
// line (size 14 bold), the second line (bold, size 10 unless `layout` says otherwise), then
// leaves the body font (not bold, size NFONTSIZE) current for the column heading.
void drawPageFrame(ui::Printer& printer, const ReportStyle& style, const FrameHeading& heading,
                   const FrameLayout& layout = {});

// One caption line of a column heading: `text` in (left, top, right, top + 4).
void drawCaption(ui::Printer& printer, std::string_view text, double left, double right, double top,
                 ui::TextAlign align);
}  // namespace kavrina::reports
