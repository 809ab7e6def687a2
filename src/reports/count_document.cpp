// The count's differences: sections built from the comparison, printed in the 5 mm slots of
// the list reports, each section under a bold heading with its count.
#include "reports/count_document.h"

#include <sstream>

#include "common/csv_field.h"
#include "common/number_picture.h"
#include "reports/page_frame.h"
#include "reports/signature_block.h"
#include "ui/current_ui.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

std::string unitNote(int unit) {
  return "Org.deo " + std::to_string(unit);
}

std::string whereRead(const ScanLine& line) {
  return line.file + ", red " + std::to_string(line.line);
}

void drawColumnHeading(ui::Printer& printer) {
  drawNumberedListHeading(printer);
  drawCaption(printer, "Napomena", 95, 200, 24, TextAlign::Left);
}

}  // namespace

std::vector<CountSection> countSections(const CountDifferences& d) {
  std::vector<CountSection> sections(4);
  sections[0].title = "Pronadjena sredstva";
  for (const CountFound& f : d.found) {
    std::string note = unitNote(f.asset.ODeo);
    if (f.scans > 1) note += ", skenirano " + std::to_string(f.scans) + " puta";
    sections[0].rows.push_back({f.asset.InvBr, f.asset.Naziv, note});
  }
  sections[1].title = "Manjak: u registru, nisu skenirana";
  for (const CountAsset& a : d.missing)
    sections[1].rows.push_back({a.InvBr, a.Naziv, unitNote(a.ODeo)});
  sections[2].title = "Visak: skenirano, a nije u registru ili je otpisano";
  for (const CountSurplus& s : d.surplus)
    sections[2].rows.push_back({s.code, s.Naziv, surplusNote(s) + " (" + whereRead(s.first) + ")"});
  sections[3].title = "Skenirano vise puta";
  for (const CountRepeat& r : d.repeated)
    sections[3].rows.push_back({r.code, r.Naziv, std::to_string(r.scans) + " puta"});
  if (d.locationsRead) {
    CountSection& moved = sections.emplace_back();
    moved.title = "Na drugoj lokaciji";
    for (const CountMoved& m : d.moved)
      moved.rows.push_back({m.asset.InvBr, m.asset.Naziv,
                            unitNote(m.asset.ODeo) + ", skenirano na: " + m.location + " (" +
                                whereRead(m.first) + ")"});
  }
  return sections;
}

ListPrintResult printCountDifferences(const store::Program& program, ui::Printer& printer,
                                      const std::vector<CountSection>& sections, Date date) {
  const ReportStyle style = reportStyleOf(program);
  // The sections always have their headings: a count with no differences is a document too.
  auto wait = beginListReport(printer, sections.size(), kPopisneRazlikeTitle, style);
  if (!wait) return {};

  FrameHeading heading;
  heading.title = std::string(kPopisneRazlikeTitle);
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = "na dan: " + date.toText();
  if (!program.CFILTER.empty()) heading.second += "   (" + program.CFILTER + ")";
  heading.secondRight = program.CKORISNIKMESTO;

  int slot = kSlotsPerPage + 1;
  // Starts a page when fewer than `needed` slots are left on this one.
  auto room = [&](int needed) {
    if (slot + needed - 1 <= kSlotsPerPage) return;
    printer.NewPage();
    drawPageFrame(printer, style, heading);
    drawColumnHeading(printer);
    slot = 1;
  };
  std::size_t rowsDrawn = 0;
  for (std::size_t s = 0; s < sections.size(); ++s) {
    const CountSection& section = sections[s];
    if (s > 0 && slot > 1) ++slot;  // a blank slot between sections
    room(2);                        // a heading never stands alone at a page's foot
    printer.font().bold = true;
    printer.DrawText(std::to_string(s + 1) + ". " + section.title, slotRect(slot, 10, 170),
                     TextAlign::Left);
    printer.DrawText("Ukupno: " + std::to_string(section.rows.size()), slotRect(slot, 170, 200),
                     TextAlign::Right);
    printer.font().bold = false;
    ++slot;
    if (section.rows.empty()) {
      printer.DrawText("nema", slotRect(slot, 40, 90), TextAlign::Left);
      ++slot;
    }
    for (std::size_t i = 0; i < section.rows.size(); ++i) {
      room(1);
      if (++rowsDrawn % kRowsPerEventPass == 0) ui::current().processEvents();
      const CountRow& row = section.rows[i];
      printer.DrawText(formatOrdinalGrowing(static_cast<double>(i + 1)), slotRect(slot, 10, 16),
                       TextAlign::Right);
      printer.DrawText(row.InvBr, slotRect(slot, 20, 40), TextAlign::Left);
      printer.DrawText(row.Naziv, slotRect(slot, 40, 90), TextAlign::Left);
      printer.DrawText(row.note, slotRect(slot, 95, 200), TextAlign::Left);
      ++slot;
    }
  }
  drawClosingAndSignatures(printer, style, heading, date.toText(), slot);
  printer.EndDoc();
  wait->reset();
  printer.Preview();
  return {true, std::nullopt};
}

std::string countCsv(const std::vector<CountSection>& sections) {
  std::ostringstream out;
  out << "Odeljak,Redni broj,InvBr,Naziv,Napomena\n";
  for (const CountSection& section : sections) {
    for (std::size_t i = 0; i < section.rows.size(); ++i) {
      const CountRow& row = section.rows[i];
      csv::putText(out, section.title);
      out << ',' << i + 1 << ',';
      csv::putText(out, row.InvBr);
      out << ',';
      csv::putText(out, row.Naziv);
      out << ',';
      csv::putText(out, row.note);
      out << '\n';
    }
  }
  return out.str();
}

}  // namespace kavrina::reports
