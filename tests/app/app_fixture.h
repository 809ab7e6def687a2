// A program folder with an open database, a scripted user and a Navigator whose calls to
// the forms, the calculation and the reports are recorded; helpers that speak the
// register's language (a company, an asset, a result table).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/depreciation_calls.h"
#include "app/navigator.h"
#include "common/date.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/program_folder.h"
#include "store/rec_lock.h"
#include "store/schema.h"

namespace kavrina::test {

// An asset of the register, as a test describes it.
struct Asset {
  std::string invBr;
  std::string naziv;
  std::string datumN;  // dd.mm.yyyy
  double raOsn = 0;
  double paOsn = 0;
  std::string datumO;  // empty: in use
  int oDeo = 0;
  int konto = 0;
};

// The calls the commands made outside the main window, one line each, e.g.
// "OBRACUN 1 1 0 2023/12", "assetForm 7", "companyForm 002", "print OA A202312P.dbf".
class RecordedHooks {
 public:
  app::CommandHooks hooks(bool realActivation = true);
  std::vector<std::string> calls;
};

class AppTest : public ::testing::Test {
 protected:
  AppTest();

  store::Program& program() { return folder_.program(); }
  ui::ScriptedUi& ui() { return folder_.ui(); }
  app::Navigator& nav() { return nav_; }

  // Opens the database (first start in this folder).
  void openDatabase();
  void addCompany(const std::string& code, const std::string& naziv, const std::string& mesto);
  void addAsset(const Asset& asset);
  // A result table in the active company's DBF/ folder: (InvBr, RASadVr) records.
  void addAccountingResult(const std::string& fileName,
                           const std::vector<std::pair<std::string, double>>& records);
  void addEmptyResult(const std::string& fileName);
  // Shows the section, as its tool-bar button does.
  void showSection(std::string_view section);
  // Selects the row whose cell 1, trimmed, is `key`.
  void selectRow(const std::string& key);
  // Message and input lines of the transcript (wait notices and progress boxes left out).
  std::vector<std::string> dialogs();
  // The last input box shown.
  const ui::ScriptedUi::Event& input();
  // The trimmed inventory numbers of the asset list, in order.
  std::vector<std::string> assetNumbers();
  // The texts of row `i` of the asset list, as the window shows them.
  app::ListRow assetRow(std::size_t i);
  // Visible (not deleted) inventory numbers of MDOS.
  std::vector<std::string> storedAssets();

  static const Date kToday;  // 15.03.2024

  ProgramFolder folder_;
  RecordedHooks recorded_;
  app::Navigator nav_;
};

}  // namespace kavrina::test
