// What the main window's sections do, without the window: the section shown, its list and
// current row, the status text, and every command of the three command trees, the
// double-click and the sorting. The window (TFOSMAIN) shows this state and forwards its
// events here, so every decision can be tested without a window.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/command_hooks.h"
#include "app/list_loaders.h"
#include "app/list_sort.h"
#include "app/list_view.h"
#include "app/sections.h"
#include "common/date.h"
#include "depreciation/asset_filters.h"
#include "store/program.h"

namespace kavrina::app {

// Told when "Izmeni" finds no row to change (an empty or emptied list).
inline constexpr std::string_view kNothingToChange = "Nema podataka za izmenu.";

class Navigator {
 public:
  Navigator(store::Program& program, CommandHooks hooks);

  store::Program& program() { return program_; }
  CommandHooks& hooks() { return hooks_; }

  // The section `CSENDER` names (None before a section button was pressed).
  Section section() const { return sectionFromSender(program_.CSENDER); }
  // The list of the section shown (no rows for None).
  ListView currentList() const;

  // The grid's current row, 0-based; -1 when no row is current. The window sets it from
  // the grid before a command and shows it after.
  int currentRow() const { return currentRow_; }
  void setCurrentRow(int row) { currentRow_ = row; }
  // The text of the status panel `StatusC`.
  const std::string& statusText() const { return statusText_; }
  void setStatusText(std::string text) { statusText_ = std::move(text); }
  // What `StatusC` shows: the status text, and in the asset section an active filter
  // ("Aktivna firma: Velmar, Beograd   Filter: lokacija: 3").
  std::string statusLine() const;

  // The sort direction switch, one for the whole run: true while the next sort ascends.
  bool nextSortAscending() const { return sortAscending_; }

  // Today's date for "Brisi sve" and the write-off (tests set a fixed one).

  // --- the main window's methods of the sections
  // After a section button: the status text and the current row of the section in
  // `CSENDER` (the window then shows the section's columns, list and tree).
  void SetSenderView();
  // Runs the command of the tree node with this text in the current section; a text no
  // command of the section has does nothing. Answers whether a command ran.
  bool TreeView1OnChange(std::string_view text);
  // Double-click on the grid: activates, opens or prints the current row.
  void sgSpisakOnDblClick();
  // Click on the title of column `column` (1 = first): sorts the section's list.
  void sgSpisakOnHeaderClick(int column);

  // The lists, reloaded into the program-wide arrays.
  void UcitajFirme(const CompanyFilter& filter = {});
  void UcitajOsnovnaSredstva(const std::function<bool(const store::AssetRecord&)>& keep = {});
  void UcitajObracune();
  // The asset list as at start and after activation: read when "Ucitaj spisak" is on,
  // otherwise empty.
  void loadAssetsIfWanted();

  // The trimmed `Naziv` of the `Firme` record of `CSIFRAFIRME` (empty when there is none).
  std::string activeCompanyName();
  // Takes `CKORISNIKNAZIV` and `CKORISNIKMESTO` from the active company's `Firme` record
  // again, so that a renamed company is printed and shown under its new name at once; the
  // status text follows. Nothing changes when the record is not there.
  void refreshActiveCompany();

  // The index of the first row of `rows` whose cell 1, trimmed, equals `key`; -1 if none.
  static int findRow(const ListView& rows, std::string_view key);

 private:
  // Commands of each section; each answers whether the text named one of its commands.
  bool companyCommand(std::string_view text);
  bool assetCommand(std::string_view text);
  bool calculationCommand(std::string_view text);

  // "Firma" section.
  bool agencyModeAllows(std::string_view command);
  void activateCurrentCompany();
  void searchCompanies();
  void addCompany();
  void editCompany();
  void reloadCompaniesAt(const std::string& code);

  // "Kavrina" section.
  void searchAssets();
  // Loads the asset list with `filter` and makes its words CFILTER.
  void filterAssets(depreciation::AssetFilter filter);
  // Asks for the number of a filter by number (unit, account) and loads the list with it.
  void filterAssetsByNumber(std::string_view prompt, std::string_view picture, int width,
                            depreciation::AssetFilter (*filterOf)(const std::string& typed));
  void addAsset();
  void editAsset();
  // "Uvoz iz CSV fajla": the import dialog; after an import the whole list, on the last
  // asset imported.
  void importAssets();
  void showAssetForm(const std::string& invBr);
  // Seeks the inventory number in `MDOS`; shows the not-found error box when missing.
  bool seekAsset(const std::string& invBr);
  void writeOff();
  void deleteAsset();
  void deleteAllAssets();
  void deleteAssetRange();

  // "Obracuni" section.
  void calculate(bool annual, bool accounting, bool tax);
  void deleteCalculation();
  void openDocument();

  // Cell `n` (1 = first) of the current row; empty when there is no such cell.
  std::string cell(int n);
  bool hasCurrentRow();
  // hasCurrentRow(); when there is none, tells the user that there is nothing to change.
  bool hasRowToChange();
  // Prints the document for the current row, with the active company's current name.
  void print(Document document);
  // "Nalog za knjizenje (CSV)": the booking note of the selected row's calculation (its
  // accounting table, which must exist) written as CSV where the user says.
  void saveBookingCsv();
  // Tells the user that a search found nothing.
  void notFound(const std::string& text);

  store::Program& program_;
  CommandHooks hooks_;
  int currentRow_ = -1;
  // Set by an activation inside a command: its company stays active after the command.
  bool activated_ = false;
  std::string statusText_;
  bool sortAscending_ = true;
};

}  // namespace kavrina::app
