// The commands of the "Firma" section: activation, search, adding and editing a company,
// the company list and the refresh.
#include <cstdio>

#include "app/navigator.h"
#include "common/decimal.h"
#include "settings/settings_keys.h"
#include "store/dbf/dbf_table.h"
#include "store/record_codec.h"

namespace kavrina::app {

namespace {

using ui::MessageButtons;
using ui::MessageKind;

std::string threeDigits(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%03.0f", value);
  return text;
}

}  // namespace

bool Navigator::companyCommand(std::string_view text) {
  if (text == "Aktiviraj") {
    if (agencyModeAllows(text) && hasCurrentRow()) activateCurrentCompany();
  } else if (text == "Trazi") {
    if (agencyModeAllows(text)) searchCompanies();
  } else if (text == "Dodaj") {
    if (agencyModeAllows(text)) addCompany();
  } else if (text == "Izmeni") {
    editCompany();
  } else if (text == "Stampaj") {
    if (agencyModeAllows(text)) print(Document::SpisakFirmi);
  } else if (text == "Osvezi") {
    UcitajFirme();
  } else {
    return false;
  }
  return true;
}

bool Navigator::agencyModeAllows(std::string_view command) {
  if (program_.LAGENCIJSKIMOD) return true;
  program_.userInterface().messageBox(
      "Opcija " + upperCase(command) + " je dozvoljena samo u Agencijskom modu programa.",
      MessageKind::Information, MessageButtons::Ok);
  return false;
}

void Navigator::activateCurrentCompany() {
  program_.CSIFRAFIRME = trimmed(cell(1));
  program_.CSUBDIRFIRME = store::companyPrefix(program_.CSIFRAFIRME);
  program_.CKORISNIKNAZIV = trimmed(cell(2));
  program_.CKORISNIKMESTO = trimmed(cell(3));
  activated_ = true;
  statusText_ = "Aktivna firma: " + program_.CKORISNIKNAZIV + ", " + program_.CKORISNIKMESTO;
  const int row = currentRow_;
  if (hooks_.AKTIVIRAJ) hooks_.AKTIVIRAJ(program_);
  loadAssetsIfWanted();
  UcitajObracune();
  currentRow_ = row;
  program_.userInterface().messageBox(
      "Firma: " + upperCase(program_.CKORISNIKNAZIV) + "\rPodaci su ucitani i aktivni.",
      MessageKind::Information, MessageButtons::Ok);
}

void Navigator::searchCompanies() {
  const auto typed = program_.userInterface().inputBox(
      "Unos", "Tekst (ili sifra) za pretragu:", std::string(20, ' '), "XXXXXXXXXXXXXXXXXXXX", 120);
  if (!typed) return;
  const std::string text = trimmed(*typed);
  const double number = parseNumber(*typed);
  if (number == 0) {
    const std::string wanted = upperCase(text);
    // As for the assets: a search that finds nothing leaves the list as it was.
    ListRows shown = std::move(program_.AFIRME);
    const int row = currentRow_;
    UcitajFirme([&wanted](const store::CompanyRecord& c) {
      return upperCase(c.Naziv).find(wanted) != std::string::npos;
    });
    if (!program_.AFIRME.empty()) {
      currentRow_ = 0;
      return;
    }
    program_.AFIRME = std::move(shown);
    currentRow_ = row;
    notFound("Nije pronadjena firma ciji naziv sadrzi \"" + text + "\".");
    return;
  }
  const int found = findRow(ListView(program_.AFIRME), threeDigits(number));
  if (found >= 0) {
    currentRow_ = found;
    return;
  }
  notFound("Nije pronadjena firma sa sifrom " + threeDigits(number) + ".");
}

void Navigator::addCompany() {
  program_.areas.select("Firme");
  store::DbfTable& firme = program_.areas["Firme"];
  firme.goBottom();
  const store::CompanyRecord last = store::RecordCodec<store::CompanyRecord>(firme).read();
  const std::string code = threeDigits(parseNumber(last.Sifra) + 1);
  program_.CSIFRAFIRME = code;
  if (hooks_.companyForm) hooks_.companyForm(program_);
  reloadCompaniesAt(code);
}

void Navigator::editCompany() {
  if (!hasRowToChange()) return;
  const std::string code = trimmed(cell(1));
  program_.CSIFRAFIRME = code;
  if (hooks_.companyForm) hooks_.companyForm(program_);
  reloadCompaniesAt(code);
}

void Navigator::reloadCompaniesAt(const std::string& code) {
  UcitajFirme();
  currentRow_ = findRow(ListView(program_.AFIRME), code);
}

}  // namespace kavrina::app
