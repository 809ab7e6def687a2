#include "app/navigator.h"

#include "settings/settings_keys.h"
#include "store/dbf/dbf_table.h"
#include "store/record_codec.h"

namespace kavrina::app {

Navigator::Navigator(store::Program& program, CommandHooks hooks)
    : program_(program), hooks_(std::move(hooks)) {}

ListView Navigator::currentList() const {
  switch (section()) {
    case Section::Firma:
      return ListView(program_.AFIRME);
    case Section::Kavrina:
      return ListView(program_.AOSNOVNASREDSTVA);
    case Section::Obracuni:
      return ListView(program_.AOBRACUNI);
    case Section::None:
      break;
  }
  return {};
}

std::string Navigator::activeCompanyName() {
  if (!program_.areas.isOpen("Firme")) return {};
  program_.areas.select("Firme");
  store::DbfTable& firme = program_.areas["Firme"];
  if (!firme.seek(program_.CSIFRAFIRME)) return {};
  return trimmed(store::RecordCodec<store::CompanyRecord>(firme).read().Naziv);
}

void Navigator::refreshActiveCompany() {
  if (!program_.areas.isOpen("Firme")) return;
  program_.areas.select("Firme");
  store::DbfTable& firme = program_.areas["Firme"];
  if (!firme.seek(program_.CSIFRAFIRME)) return;
  const auto company = store::RecordCodec<store::CompanyRecord>(firme).read();
  const std::string naziv = trimmed(company.Naziv);
  const std::string mesto = trimmed(company.Mesto);
  if (naziv == program_.CKORISNIKNAZIV && mesto == program_.CKORISNIKMESTO) return;
  if (statusText_ == "Aktivna firma: " + program_.CKORISNIKNAZIV + ", " + program_.CKORISNIKMESTO)
    statusText_ = "Aktivna firma: " + naziv + ", " + mesto;
  else if (statusText_ == program_.CKORISNIKNAZIV)
    statusText_ = naziv;
  program_.CKORISNIKNAZIV = naziv;
  program_.CKORISNIKMESTO = mesto;
}

int Navigator::findRow(const ListView& rows, std::string_view key) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows.cellCount(i) > 0 && trimmed(rows.cell(i, 0)) == key) return static_cast<int>(i);
  return -1;
}

void Navigator::SetSenderView() {
  statusText_ = activeCompanyName();
  const ListView rows = currentList();
  if (section() == Section::Firma) {
    currentRow_ = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows.cellCount(i) > 1 && trimmed(rows.cell(i, 1)) == program_.CKORISNIKNAZIV) {
        currentRow_ = static_cast<int>(i);
        break;
      }
    }
  } else {
    currentRow_ = rows.empty() ? -1 : 0;
  }
}

bool Navigator::TreeView1OnChange(std::string_view text) {
  // The command has its own company code and inventory number: what it sets for the
  // forms it opens does not change the active company, unless it activates one.
  const std::string company = program_.CSIFRAFIRME;
  const std::string invBr = program_.CINVENTARSKIBROJ;
  activated_ = false;
  bool ran = false;
  switch (section()) {
    case Section::Firma:
      ran = companyCommand(text);
      break;
    case Section::Kavrina:
      ran = assetCommand(text);
      break;
    case Section::Obracuni:
      ran = calculationCommand(text);
      break;
    case Section::None:
      break;
  }
  if (!activated_) program_.CSIFRAFIRME = company;
  program_.CINVENTARSKIBROJ = invBr;
  // The company form may have renamed the active company.
  if (ran && section() == Section::Firma) refreshActiveCompany();
  return ran;
}

void Navigator::sgSpisakOnDblClick() {
  if (currentList().empty() || !hasCurrentRow()) return;
  const std::string company = program_.CSIFRAFIRME;
  const std::string invBr = program_.CINVENTARSKIBROJ;
  activated_ = false;
  switch (section()) {
    case Section::Firma:
      if (!program_.LAGENCIJSKIMOD) {
        program_.userInterface().messageBox(
            "Opcija AKTIVIRAJ je dozvoljena samo u Agencijskom modu programa.",
            ui::MessageKind::Information, ui::MessageButtons::Ok);
        break;
      }
      activateCurrentCompany();
      break;
    case Section::Kavrina:
      editAsset();
      break;
    case Section::Obracuni:
      openDocument();
      break;
    case Section::None:
      break;
  }
  if (!activated_) program_.CSIFRAFIRME = company;
  program_.CINVENTARSKIBROJ = invBr;
}

void Navigator::sgSpisakOnHeaderClick(int column) {
  auto notice = program_.userInterface().showWait("Sortiranje u toku. Molim sacekajte...");
  switch (section()) {
    case Section::Firma:
      sortRows(program_.AFIRME, section(), column, sortAscending_);
      break;
    case Section::Kavrina:
      sortAssetList(program_.AOSNOVNASREDSTVA, column, sortAscending_);
      break;
    case Section::Obracuni:
      sortRows(program_.AOBRACUNI, section(), column, sortAscending_);
      break;
    case Section::None:
      break;
  }
  sortAscending_ = !sortAscending_;
  currentRow_ = currentList().empty() ? -1 : 0;
}

void Navigator::UcitajFirme(const CompanyFilter& filter) {
  app::UcitajFirme(program_, filter);
}

void Navigator::UcitajOsnovnaSredstva(const std::function<bool(const store::AssetRecord&)>& keep) {
  depreciation::PresentValueLookup lookup;
  if (hooks_.presentValues) lookup = hooks_.presentValues(program_);
  depreciation::UcitajOsnovnaSredstva(program_, lookup, keep);
}

void Navigator::UcitajObracune() {
  app::UcitajObracune(program_);
}

void Navigator::loadAssetsIfWanted() {
  if (settings::read(settings::kUcitajSpisak))
    UcitajOsnovnaSredstva();
  else
    program_.AOSNOVNASREDSTVA.clear();
}

std::string Navigator::statusLine() const {
  if (section() != Section::Kavrina || program_.CFILTER.empty()) return statusText_;
  return statusText_ + (statusText_.empty() ? "" : "   ") + "Filter: " + program_.CFILTER;
}

bool Navigator::hasRowToChange() {
  if (hasCurrentRow()) return true;
  program_.userInterface().messageBox(kNothingToChange, ui::MessageKind::Information,
                                      ui::MessageButtons::Ok);
  return false;
}

bool Navigator::hasCurrentRow() {
  return currentRow_ >= 0 && currentRow_ < static_cast<int>(currentList().size());
}

std::string Navigator::cell(int n) {
  if (!hasCurrentRow() || n < 1) return {};
  return currentList().cell(static_cast<std::size_t>(currentRow_), static_cast<std::size_t>(n - 1));
}

void Navigator::notFound(const std::string& text) {
  program_.userInterface().messageBox(text, ui::MessageKind::Information, ui::MessageButtons::Ok);
}

void Navigator::print(Document document) {
  if (!hooks_.print) return;
  refreshActiveCompany();
  const ListRow row =
      hasCurrentRow() ? currentList().row(static_cast<std::size_t>(currentRow_)) : ListRow();
  hooks_.print(program_, document, row);
}

}  // namespace kavrina::app
