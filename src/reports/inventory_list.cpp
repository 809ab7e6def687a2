// The inventory list: 50 rows a page in the 5 mm slots of the list reports, a grey dotted
// leader to the writing line, and the signature block at the foot of the last page.
#include "reports/inventory_list.h"

#include <string>

#include "common/number_picture.h"
#include "depreciation/asset_list.h"
#include "reports/list_print.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "reports/signature_block.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

constexpr std::string_view kTitle = "Popisna lista Osnovnih sredstava";
// Light grey (red, green and blue 192) for the dotted leader.
constexpr std::uint32_t kLeaderColor = 12632256;

std::string repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

}  // namespace

ListReport inventoryListReport(const store::Program& program, Date date) {
  ListReport report;
  report.style = reportStyleOf(program);
  report.columns = numberedListColumns();
  report.columns.push_back({"", 90, 175, TextAlign::Left, ValueKind::Text, 0, false, kLeaderColor});
  report.columns.push_back({"Stanje po popisu", 175, 200, TextAlign::Right, ValueKind::Text});
  report.heading.frame = datedListFrame(std::string(kTitle), program, date);
  useNumberedListHeading(report.heading);
  report.heading.captions.push_back({"Stanje", 175, 200, 22, TextAlign::Right});
  report.heading.captions.push_back({"po popisu", 175, 200, 26, TextAlign::Right});

  // The list as printed, kept as the asset list keeps it.
  const ui::AssetList list = program.AOSNOVNASREDSTVA;
  report.rowCount = list.size();
  report.rowsKept = true;
  report.row = [list, leader = repeated(".  ", 35)](std::size_t i, std::size_t ordinal,
                                                    std::vector<ListCell>& cells) {
    cells[0].text = formatOrdinalGrowing(static_cast<double>(ordinal));
    cells[0].number = static_cast<double>(ordinal);
    depreciation::assetListCellInto(list.rows[i], list.widths, 0, cells[1].text);
    depreciation::assetListCellInto(list.rows[i], list.widths, 1, cells[2].text);
    cells[3].text = leader;
    cells[4].text.assign(30, '_');
    return true;
  };
  useCountSignatures(report, date);
  report.eventPass = [&program] { program.userInterface().processEvents(); };
  return report;
}

ListPrintResult printInventoryList(const store::Program& program, ui::Printer& printer, Date date) {
  return printListReport(program.userInterface(), printer, inventoryListReport(program, date),
                         "PopisOsnovnihSredstava", program.AOSNOVNASREDSTVA.size());
}

ListPrintResult StampaPopisa(const store::Program& program, ui::Printer& printer, Date today) {
  const auto date = askListDate(program.userInterface(), program.AOSNOVNASREDSTVA.size(), today);
  if (!date) return {};
  return printInventoryList(program, printer, *date);
}

}  // namespace kavrina::reports
