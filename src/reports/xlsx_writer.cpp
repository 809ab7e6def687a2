// The XLSX file through libxlsxwriter, published through the output file.
#include "reports/xlsx_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <system_error>
#include <vector>

#include "common/output_file.h"
#include "common/output_target.h"
#include "store/swrun.h"

namespace kavrina::reports {

namespace {

namespace fs = std::filesystem;
using sheet::CellKind;

constexpr const char* kAmountFormat = "#,##0.00";
constexpr const char* kNumberFormat = "#,##0.###";
constexpr const char* kDateFormat = "dd.mm.yyyy";
constexpr std::size_t kSheetNameMax = 31;  // the format's limit on a sheet's name
constexpr std::size_t kCopyBlock = 256 * 1024;

// A folder of our own under the temporary folder, removed with its contents when it goes.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::string pattern = (store::temporaryFolder() / "kavrina-xlsx-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
      path_ = pattern;
    else
      error_ = errno;
  }
  ~PrivateFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  const fs::path& path() const { return path_; }
  int error() const { return error_; }

 private:
  fs::path path_;
  int error_ = 0;
};

// The formats of one workbook.
struct Formats {
  lxw_format* heading;
  lxw_format* title;
  lxw_format* amount;
  lxw_format* number;
  lxw_format* date;
  lxw_format* totalLabel;
  lxw_format* totalAmount;
  lxw_format* totalNumber;

  explicit Formats(lxw_workbook* book) {
    heading = workbook_add_format(book);
    format_set_bold(heading);
    title = workbook_add_format(book);
    format_set_bold(title);
    format_set_bottom(title, LXW_BORDER_THIN);
    format_set_text_wrap(title);
    amount = workbook_add_format(book);
    format_set_num_format(amount, kAmountFormat);
    number = workbook_add_format(book);
    format_set_num_format(number, kNumberFormat);
    date = workbook_add_format(book);
    format_set_num_format(date, kDateFormat);
    totalLabel = workbook_add_format(book);
    format_set_bold(totalLabel);
    format_set_top(totalLabel, LXW_BORDER_THIN);
    totalAmount = workbook_add_format(book);
    format_set_num_format(totalAmount, kAmountFormat);
    format_set_bold(totalAmount);
    format_set_top(totalAmount, LXW_BORDER_THIN);
    totalNumber = workbook_add_format(book);
    format_set_num_format(totalNumber, kNumberFormat);
    format_set_bold(totalNumber);
    format_set_top(totalNumber, LXW_BORDER_THIN);
  }
  lxw_format* of(CellKind kind) const {
    return kind == CellKind::Amount   ? amount
           : kind == CellKind::Number ? number
           : kind == CellKind::Date   ? date
                                      : nullptr;
  }
};

// "A".."Z", "AA".. for a column index from 0.
std::string columnLetters(std::size_t column) {
  std::string letters;
  for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

void writeCell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const sheet::Cell& cell,
               const Formats& formats) {
  switch (cell.kind) {
    case CellKind::Text:
      if (!cell.text.empty()) worksheet_write_string(ws, row, col, cell.text.c_str(), nullptr);
      break;
    case CellKind::Number:
    case CellKind::Amount:
      worksheet_write_number(ws, row, col, cell.number, formats.of(cell.kind));
      break;
    case CellKind::Date:
      if (!cell.date.empty()) {
        lxw_datetime dt{cell.date.year(),
                        static_cast<uint8_t>(cell.date.month()),
                        static_cast<uint8_t>(cell.date.day()),
                        0,
                        0,
                        0};
        worksheet_write_datetime(ws, row, col, &dt, formats.date);
      }
      break;
  }
}

void writeSheet(lxw_workbook* book, const sheet::Sheet& s, const Formats& formats) {
  const std::string name = s.name.substr(0, kSheetNameMax);
  lxw_worksheet* ws = workbook_add_worksheet(book, name.empty() ? nullptr : name.c_str());
  if (ws == nullptr) return;  // the close reports the workbook's state
  for (std::size_t c = 0; c < s.columns.size(); ++c)
    worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                         s.columns[c].width, nullptr);
  lxw_row_t row = 0;
  for (const std::string& line : s.heading)
    worksheet_write_string(ws, row++, 0, line.c_str(), formats.heading);
  if (!s.heading.empty()) ++row;  // a blank line between the heading and the table
  const lxw_row_t titles = row;
  for (std::size_t c = 0; c < s.columns.size(); ++c)
    worksheet_write_string(ws, titles, static_cast<lxw_col_t>(c), s.columns[c].title.c_str(),
                           formats.title);
  worksheet_freeze_panes(ws, titles + 1, 0);
  for (std::size_t r = 0; r < s.rows.size(); ++r) {
    ++row;
    for (std::size_t c = 0; c < s.rows.cellCount(r) && c < s.columns.size(); ++c)
      writeCell(ws, row, static_cast<lxw_col_t>(c), s.rows.at(r, c), formats);
  }
  if (s.totalsLabel.empty()) return;
  const lxw_row_t first = titles + 1;
  const lxw_row_t last = row;
  ++row;
  worksheet_write_string(ws, row, 0, s.totalsLabel.c_str(), formats.totalLabel);
  for (std::size_t c = 0; c < s.columns.size(); ++c) {
    if (!s.columns[c].summed) continue;
    const std::string letters = columnLetters(c);
    // Rows are numbered from 1 in a formula; an empty table sums an empty range of none.
    const std::string formula = s.rows.empty() ? "=0"
                                               : "=SUM(" + letters + std::to_string(first + 1) +
                                                     ":" + letters + std::to_string(last + 1) + ")";
    worksheet_write_formula_num(
        ws, row, static_cast<lxw_col_t>(c), formula.c_str(),
        s.columns[c].kind == CellKind::Amount ? formats.totalAmount : formats.totalNumber,
        columnTotal(s, c));
  }
}

// Builds the workbook at `file`; answers the library's error (LXW_NO_ERROR when written).
lxw_error buildXlsx(const sheet::Workbook& workbook, const fs::path& file, const fs::path& tmp) {
  std::string tmpdir = tmp.string();
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go to the file as they are written
  options.tmpdir = tmpdir.data();
  lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
  if (book == nullptr) return LXW_ERROR_CREATING_XLSX_FILE;
  const Formats formats(book);
  for (const sheet::Sheet& s : workbook.sheets) writeSheet(book, s, formats);
  if (workbook.sheets.empty()) workbook_add_worksheet(book, nullptr);
  return workbook_close(book);
}

// Appends the whole file `from` to `out`; false when it could not be read or written.
bool copyInto(const fs::path& from, output::OutputFile& out) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  std::vector<char> block(kCopyBlock);
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (got > 0 && !out.append({block.data(), got})) return false;
  }
  return in.eof();
}

}  // namespace

double columnTotal(const sheet::Sheet& s, std::size_t column) {
  const bool amounts = column < s.columns.size() && s.columns[column].kind == CellKind::Amount;
  std::int64_t thousandths = 0;
  double sum = 0;
  for (std::size_t r = 0; r < s.rows.size(); ++r) {
    if (column >= s.rows.cellCount(r)) continue;
    const sheet::Cell cell = s.rows.at(r, column);
    if (cell.kind != CellKind::Amount && cell.kind != CellKind::Number) continue;
    if (amounts)
      thousandths += std::llround(cell.number * 1000);
    else
      sum += cell.number;
  }
  return amounts ? static_cast<double>(thousandths) / 1000.0 : sum;
}

std::optional<std::string> writeXlsx(const sheet::Workbook& workbook, const fs::path& path,
                                     const fs::path& programFolder, bool replace,
                                     std::string* warning) {
  if (warning) warning->clear();
  output::OutputFile file;  // its aside file goes again unless it takes the name
  if (auto refused = file.open(path, programFolder, replace)) return refused;
  const PrivateFolder folder;
  if (folder.path().empty()) return output::writeErrorText(folder.error(), path);
  const fs::path built = folder.path() / "workbook.xlsx";
  const lxw_error buildError = buildXlsx(workbook, built, folder.path());
  if (buildError != LXW_NO_ERROR) {
    const int error = buildError == LXW_ERROR_MEMORY_MALLOC_FAILED ? ENOMEM : ENOSPC;
    return output::writeErrorText(error, path);
  }
  if (!copyInto(built, file))
    return output::writeErrorText(file.lastError() != 0 ? file.lastError() : EIO, path);
  return output::errorOrWarning(file.finish(), warning);
}

}  // namespace kavrina::reports
