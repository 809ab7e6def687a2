#include "app_fixture.h"

#include "app/list_rows.h"
#include "depreciation/asset_list.h"
#include "store/record_codec.h"

namespace kavrina::test {

const Date AppTest::kToday = Date::fromYmd(2024, 3, 15);

app::CommandHooks RecordedHooks::hooks(bool realActivation) {
  app::CommandHooks h;
  if (realActivation) h.AKTIVIRAJ = app::callAKTIVIRAJ;
  h.presentValues = depreciation::presentValueLookup;
  h.OBRACUN = [this](store::Program& p, bool ra, bool pa, bool periodic) {
    calls.push_back("OBRACUN " + std::to_string(ra) + " " + std::to_string(pa) + " " +
                    std::to_string(periodic) + " " + std::to_string(p.NGODINA) + "/" +
                    std::to_string(p.NMESECI));
  };
  h.NULIRAJGRUPU = [this](store::Program&) { calls.push_back("NULIRAJGRUPU"); };
  h.companyForm = [this](store::Program& p) { calls.push_back("companyForm " + p.CSIFRAFIRME); };
  h.assetForm = [this](store::Program& p) {
    calls.push_back("assetForm " + app::trimmed(p.CINVENTARSKIBROJ));
  };
  h.print = [this](store::Program&, app::Document d, const app::ListRow& row) {
    static const char* names[] = {
        "SpisakFirmi", "SpisakOS",       "Popis",     "Kartica",        "ORA",   "OPA",     "OA",
        "POA",         "Evidencija2019", "Nalepnice", "PopisneRazlike", "Nalog", "NalogCsv"};
    calls.push_back(std::string("print ") + names[static_cast<int>(d)] +
                    (row.empty() ? std::string() : " " + app::trimmed(row[0])));
  };
  return h;
}

AppTest::AppTest() : nav_(folder_.program(), recorded_.hooks()) {
  program().clock = Clock::fixedOn(kToday);
  program().NGODINA = kToday.year();
  program().NMESECI = 0;
  program().areas.setHideDeleted(true);
}

void AppTest::openDatabase() {
  store::DBOPENALL(program());
}

void AppTest::addCompany(const std::string& code, const std::string& naziv,
                         const std::string& mesto) {
  using C = store::CompanyRecord;
  store::writeRecord(program(), "Firme", true, [&](store::DbfTable& t) {
    store::RecordCodec<C>(t, store::FieldSet<C>::of(&C::Sifra, &C::Naziv, &C::Mesto))
        .write({code, naziv, mesto, {}});
  });
}

void AppTest::addAsset(const Asset& a) {
  using R = store::AssetRecord;
  R r;
  r.InvBr = a.invBr;
  r.Naziv = a.naziv;
  r.DatumN = Date::fromText(a.datumN);
  r.DatumO = Date::fromText(a.datumO);
  r.RAOsn = a.raOsn;
  r.PAOsn = a.paOsn;
  r.ODeo = a.oDeo;
  r.Konto = a.konto;
  store::writeRecord(program(), "MDOS", true, [&](store::DbfTable& t) {
    store::RecordCodec<R>(t, depreciation::listedFields()).write(r);
  });
}

void AppTest::addAccountingResult(const std::string& fileName,
                                  const std::vector<std::pair<std::string, double>>& records) {
  const auto path = store::dataPath(program(), fileName);
  ASSERT_TRUE(store::DbfTable::create(path, store::schema::resultRa()));
  auto t = store::DbfTable::open(path, {.shared = false});
  ASSERT_TRUE(t);
  for (const auto& [invBr, value] : records) {
    ASSERT_TRUE(t->append());
    using R = store::RaRow;
    R row;
    row.InvBr = invBr;
    row.RASadVr = value;
    store::RecordCodec<R>(*t, store::FieldSet<R>::of(&R::InvBr, &R::RASadVr)).write(row);
  }
  t->close();
}

void AppTest::addEmptyResult(const std::string& fileName) {
  const auto path = store::dataPath(program(), fileName);
  const bool tax = fileName.size() > 7 && (fileName[7] == 'P' || fileName[7] == 'p');
  ASSERT_TRUE(
      store::DbfTable::create(path, tax ? store::schema::resultPa() : store::schema::resultRa()));
}

void AppTest::showSection(std::string_view section) {
  program().CSENDER = std::string(section);
  nav_.SetSenderView();
}

void AppTest::selectRow(const std::string& key) {
  const int row = app::Navigator::findRow(nav_.currentList(), key);
  ASSERT_GE(row, 0) << key;
  nav_.setCurrentRow(row);
}

std::vector<std::string> AppTest::dialogs() {
  std::vector<std::string> out;
  for (const std::string& line : folder_.ui().transcript())
    if (line.rfind("wait", 0) != 0 && line.rfind("progress", 0) != 0) out.push_back(line);
  return out;
}

const ui::ScriptedUi::Event& AppTest::input() {
  static const ui::ScriptedUi::Event kNone;
  const auto& events = folder_.ui().events();
  for (auto it = events.rbegin(); it != events.rend(); ++it)
    if (it->type == ui::ScriptedUi::EventType::Input) return *it;
  ADD_FAILURE() << "no input box was shown";
  return kNone;
}

std::vector<std::string> AppTest::assetNumbers() {
  std::vector<std::string> out;
  const app::ListView list(folder_.program().AOSNOVNASREDSTVA);
  for (std::size_t i = 0; i < list.size(); ++i) out.push_back(app::trimmed(list.cell(i, 0)));
  return out;
}

app::ListRow AppTest::assetRow(std::size_t i) {
  return app::ListView(folder_.program().AOSNOVNASREDSTVA).row(i);
}

std::vector<std::string> AppTest::storedAssets() {
  std::vector<std::string> out;
  store::DbfTable& t = program().areas["MDOS"];
  using R = store::AssetRecord;
  const store::RecordCodec<R> reader(t, store::FieldSet<R>::of(&R::InvBr));
  for (t.goTop(); !t.eof(); t.skip()) out.push_back(app::trimmed(reader.read().InvBr));
  return out;
}

}  // namespace kavrina::test
