// The count's differences: sections built from the comparison, flattened into the lines of
// a list report (each section's heading line, its rows, a blank line) for the engine.
#include "reports/count_document.h"

#include <sstream>

#include "common/csv_field.h"
#include "common/decimal.h"
#include "common/number_picture.h"
#include "reports/list_engine.h"
#include "reports/list_print.h"
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

}  // namespace

std::vector<CountSection> countSections(const CountDifferences& d) {
  std::vector<CountSection> sections(4);
  sections[0] = {"Pronadjeno", "u registru i skenirano", {}};
  for (const CountFound& f : d.found) {
    std::string note = unitNote(f.asset.ODeo);
    if (f.scans > 1) note += ", skenirano " + std::to_string(f.scans) + " puta";
    sections[0].rows.push_back({f.asset.InvBr, f.asset.Naziv, note});
  }
  sections[1] = {"Manjak", "u registru, nije skenirano", {}};
  for (const CountAsset& a : d.missing)
    sections[1].rows.push_back({a.InvBr, a.Naziv, unitNote(a.ODeo)});
  sections[2] = {"Visak", "skenirano, a nije u registru ili je otpisano", {}};
  for (const CountSurplus& s : d.surplus)
    sections[2].rows.push_back({s.code, s.Naziv, surplusNote(s) + " (" + whereRead(s.first) + ")"});
  sections[3] = {"Skenirano vise puta", "isti kod procitan vise puta", {}};
  for (const CountRepeat& r : d.repeated)
    sections[3].rows.push_back({r.code, r.Naziv, std::to_string(r.scans) + " puta"});
  if (d.locationsRead) {
    CountSection& moved = sections.emplace_back();
    moved = {"Na drugoj lokaciji", "skenirano na drugom Org.delu od upisanog", {}};
    for (const CountMoved& m : d.moved)
      moved.rows.push_back({m.asset.InvBr, m.asset.Naziv,
                            unitNote(m.asset.ODeo) + ", skenirano na: " + m.location + " (" +
                                whereRead(m.first) + ")"});
  }
  return sections;
}

std::vector<std::vector<std::string>> countLines(const std::vector<CountSection>& sections) {
  std::vector<std::vector<std::string>> lines;
  for (std::size_t s = 0; s < sections.size(); ++s) {
    const CountSection& section = sections[s];
    if (s > 0) lines.push_back({"", "", "", ""});
    lines.push_back(
        {"", "", std::to_string(s + 1) + ". " + section.title,
         "Ukupno: " + std::to_string(section.rows.size()) + " (" + section.description + ")"});
    if (section.rows.empty()) lines.push_back({"", "", "nema", ""});
    for (std::size_t i = 0; i < section.rows.size(); ++i) {
      const CountRow& row = section.rows[i];
      lines.push_back(
          {formatOrdinalGrowing(static_cast<double>(i + 1)), row.InvBr, row.Naziv, row.note});
    }
  }
  return lines;
}

ListReport countDifferencesReport(const store::Program& program,
                                  const std::vector<std::vector<std::string>>& lines, Date date) {
  ListReport report;
  report.style = reportStyleOf(program);
  report.columns = numberedListColumns();
  report.columns.push_back({"Napomena", 95, 200, TextAlign::Left, ValueKind::Text});
  report.heading.frame = datedListFrame(std::string(kPopisneRazlikeTitle), program, date);
  useNumberedListHeading(report.heading);
  report.heading.captions.push_back({"Napomena", 95, 200, 24, TextAlign::Left});
  report.rowCount = lines.size();
  report.row = [&lines](std::size_t i, std::size_t, std::vector<ListCell>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) cells[c].text = lines[i][c];
    cells[0].number = parseNumber(lines[i][0]);
    return true;
  };
  useCountSignatures(report, date);
  report.eventPass = [] { ui::current().processEvents(); };
  return report;
}

ListPrintResult printCountDifferences(const store::Program& program, ui::Printer& printer,
                                      const std::vector<CountSection>& sections, Date date) {
  const std::vector<std::vector<std::string>> lines = countLines(sections);
  // The sections always have their headings: a count with no differences is a document too.
  const ListPrintResult result = printListReport(
      printer, countDifferencesReport(program, lines, date), kPopisneRazlikeTitle, lines.size());
  return {result.shown, std::nullopt};
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
