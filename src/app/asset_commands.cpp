// The commands of the "Kavrina" section: search and filters, adding and editing an asset,
// write-off and its cancellation, the three deletions, group reset and the printouts.
#include <cstdio>

#include "app/inventory_number.h"
#include "app/navigator.h"
#include "common/decimal.h"
#include "depreciation/asset_list.h"
#include "register/asset_record.h"
#include "store/dbf/dbf_table.h"
#include "store/rec_lock.h"
#include "store/record_codec.h"
#include "ui/picture.h"

namespace kavrina::app {

namespace {

using ui::Answer;
using ui::MessageButtons;
using ui::MessageKind;

constexpr std::string_view kInvBrDigits = "999999999999999999999999999999";

void errorBox(ui::UserInterface& ui, const std::string& text) {
  ui.messageBox(text, MessageKind::Error, MessageButtons::Ok);
}

bool confirmed(ui::UserInterface& ui, const std::string& text) {
  return ui.messageBox(text, MessageKind::Confirmation, MessageButtons::YesNo) == Answer::Yes;
}

}  // namespace

bool Navigator::assetCommand(std::string_view text) {
  if (text == "Trazi") {
    searchAssets();
  } else if (text == "Otpisana Osnovna sredstva") {
    filterAssets(depreciation::writtenOffAssets());
  } else if (text == "Neotpisana Osnovna sredstva") {
    filterAssets(depreciation::assetsInUse());
  } else if (text == "Osnovna sredstva za Org.deo (lokaciju)") {
    filterAssetsByNumber("Org.deo (lokacija):", "999", 50, depreciation::assetsOfUnit);
  } else if (text == "Osnovna sredstva po Kontu") {
    filterAssetsByNumber("Konto:", "9999999999", 80, depreciation::assetsOfAccount);
  } else if (text == "Dodaj") {
    addAsset();
  } else if (text == "Uvoz iz CSV fajla") {
    importAssets();
  } else if (text == "Izmeni") {
    editAsset();
  } else if (text == "Otpisi") {
    writeOff();
  } else if (text == "Nuliraj grupu") {
    if (hooks_.NULIRAJGRUPU) hooks_.NULIRAJGRUPU(program_);
  } else if (text == "Brisi") {
    deleteAsset();
  } else if (text == "Brisi sve") {
    deleteAllAssets();
  } else if (text == "Brisi selektivno") {
    deleteAssetRange();
  } else if (text == "Stampaj" || text == "Spisak") {
    print(Document::SpisakOS);
  } else if (text == "Popisne liste") {
    print(Document::Popis);
  } else if (text == "Karticu") {
    print(Document::Kartica);
  } else if (text == "Nalepnice") {
    print(Document::Nalepnice);
  } else if (text == "Popisne razlike") {
    print(Document::PopisneRazlike);
  } else if (text == "Osvezi") {
    filterAssets({});
  } else {
    return false;
  }
  return true;
}

void Navigator::filterAssets(depreciation::AssetFilter filter) {
  program_.CFILTER = std::move(filter.words);
  UcitajOsnovnaSredstva(filter.keep);
  currentRow_ = program_.AOSNOVNASREDSTVA.empty() ? -1 : 0;
}

void Navigator::searchAssets() {
  const auto typed = program_.userInterface().inputBox(
      "Unos", "Tekst (ili sifra) za pretragu:", std::string(20, ' '), "XXXXXXXXXXXXXXXXXXXX", 120);
  if (!typed) return;
  const std::string text = trimmed(*typed);
  if (parseNumber(*typed) == 0) {
    // The list is rebuilt with the filter only when the search finds something; otherwise
    // the list, its filter words and its current row stay as they were.
    ui::AssetList shown = std::move(program_.AOSNOVNASREDSTVA);
    const std::string words = program_.CFILTER;
    const int row = currentRow_;
    filterAssets(depreciation::assetsNamed(text));
    if (!program_.AOSNOVNASREDSTVA.empty()) return;
    program_.AOSNOVNASREDSTVA = std::move(shown);
    program_.CFILTER = words;
    currentRow_ = row;
    notFound("Nije pronadjeno osnovno sredstvo ciji naziv sadrzi \"" + text + "\".");
    return;
  }
  // A stored inventory number is left-aligned and blank-padded to 30 characters.
  const std::string key = padded(text, 30);
  const ui::AssetList& list = program_.AOSNOVNASREDSTVA;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (depreciation::assetListCell(list.rows[i], list.widths, 0) == key) {
      currentRow_ = static_cast<int>(i);
      return;
    }
  }
  notFound("Nije pronadjeno osnovno sredstvo sa inventarskim brojem " + text + ".");
}

void Navigator::filterAssetsByNumber(
    std::string_view prompt, std::string_view picture, int width,
    depreciation::AssetFilter (*filterOf)(const std::string& typed)) {
  const auto typed = program_.userInterface().inputBox("Unos", prompt, "0", picture, width);
  if (!typed || typed->empty()) return;
  filterAssets(filterOf(*typed));
}

void Navigator::addAsset() {
  showAssetForm(reg::nextInventoryNumber(program_));
}

void Navigator::importAssets() {
  if (!hooks_.importDialog || !hooks_.importDialog(program_)) return;
  // The whole list again, on the last asset of the file.
  filterAssets({});
  const int row = findRow(ListView(program_.AOSNOVNASREDSTVA), trimmed(program_.CINVENTARSKIBROJ));
  if (row >= 0) currentRow_ = row;
}

void Navigator::editAsset() {
  if (!hasRowToChange()) return;
  showAssetForm(cell(1));
}

void Navigator::showAssetForm(const std::string& invBr) {
  program_.CINVENTARSKIBROJ = invBr;
  if (hooks_.assetForm) hooks_.assetForm(program_);
  currentRow_ = findRow(ListView(program_.AOSNOVNASREDSTVA), trimmed(invBr));
}

bool Navigator::seekAsset(const std::string& invBr) {
  program_.areas.select("MDOS");
  store::DbfTable& mdos = program_.areas["MDOS"];
  if (mdos.seek(parseNumber(invBr))) return true;
  errorBox(program_.userInterface(),
           "Osnovno Sredstvo sa Inventarskim brojem " + trimmed(invBr) +
               " ne postoji u bazi podataka.\rMoguc uzrok: Osnovno Sredstvo je obrisano od strane "
               "drugog operatera.");
  return false;
}

void Navigator::writeOff() {
  if (!hasCurrentRow()) return;
  const std::string invBr = cell(1);
  if (!seekAsset(invBr)) return;
  using R = store::AssetRecord;
  const store::RecordCodec<R> writeOffDate(program_.areas["MDOS"],
                                           store::FieldSet<R>::of(&R::DatumO));
  R asset;
  store::RecordCodec<R>(program_.areas["MDOS"], store::FieldSet<R>::of(&R::Naziv, &R::DatumO))
      .read(asset);
  const std::string number = trimmed(invBr);
  const std::string name = upperCase(trimmed(asset.Naziv));
  const Date written = asset.DatumO;
  if (!written.empty()) {
    if (!confirmed(program_.userInterface(), "Osnovno Sredstvo sa Inventarskim brojem " + number +
                                                 " je Otpisano/Otudjeno.\rNaziv: " + name +
                                                 "\rDatum otpisa: " + written.toText() +
                                                 "\r\rZelite li da ponistite otpis?"))
      return;
    asset.DatumO = Date();
    store::writeRecord(program_, "MDOS", false,
                       [&](store::DbfTable&) { writeOffDate.write(asset); });
    return;
  }
  const auto typed = program_.userInterface().inputBox(
      "Unos", "Datum Otpisa:", program_.clock.today().toText(), ui::kDatePicture, 80);
  if (!typed) return;
  const Date date = Date::fromText(*typed);
  if (date.empty()) {
    errorBox(program_.userInterface(), std::string(ui::kInvalidInputText));
    return;
  }
  if (!confirmed(program_.userInterface(),
                 "Sigurno otpisujete Osnovno Sredstvo sa Inventarskim brojem " + number +
                     "?\rNaziv: " + name + "\rDatum otpisa: " + date.toText()))
    return;
  // The asset may have moved while the question was up; the record is the one found.
  asset.DatumO = date;
  store::writeRecord(program_, "MDOS", false, [&](store::DbfTable&) { writeOffDate.write(asset); });
}

void Navigator::deleteAsset() {
  if (!hasCurrentRow()) return;
  const std::string invBr = cell(1);
  if (!seekAsset(invBr)) return;
  store::DbfTable& mdos = program_.areas["MDOS"];
  using R = store::AssetRecord;
  const R asset = store::RecordCodec<R>(mdos, store::FieldSet<R>::of(&R::Naziv)).read();
  if (!confirmed(program_.userInterface(),
                 "Sigurno brisete Osnovno Sredstvo sa Inventarskim brojem " + trimmed(invBr) +
                     "?\rNaziv: " + upperCase(trimmed(asset.Naziv))))
    return;
  if (!store::REC_LOCK(program_, 0, "MDOS")) return;
  mdos.deleteRecord();
  mdos.unlock();
  mdos.commit();
  program_.AOSNOVNASREDSTVA.rows[static_cast<std::size_t>(currentRow_)].deleted = true;
}

void Navigator::deleteAllAssets() {
  const auto typed =
      program_.userInterface().inputBox("Unos", "Sifra za brisanje:", "0", "999999", 70);
  if (!typed) return;
  char entered[32];
  std::snprintf(entered, sizeof entered, "%06.0f", parseNumber(*typed));
  if (entered != deleteAllCode(program_.clock.today())) {
    program_.userInterface().messageBox("Pogresna sifra!", MessageKind::Warning,
                                        MessageButtons::Ok);
    return;
  }
  if (!confirmed(program_.userInterface(), "Sigurno brisete SVA Kavrina ?")) return;
  program_.areas.select("MDOS");
  store::DbfTable& mdos = program_.areas["MDOS"];
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    if (store::REC_LOCK(program_, 0, "MDOS")) {
      mdos.deleteRecord();
      mdos.unlock();
    }
    program_.userInterface().processEvents();
  }
  mdos.commit();
  mdos.goTop();
  program_.AOSNOVNASREDSTVA.clear();
  currentRow_ = -1;
}

void Navigator::deleteAssetRange() {
  const char* kCaption = "Brisanje Osnovnih Sredstava";
  const auto from =
      program_.userInterface().inputBox(kCaption, "OD Inventarskog broja:", "0", kInvBrDigits, 120);
  if (!from) return;
  const auto to =
      program_.userInterface().inputBox(kCaption, "DO Inventarskog broja:", "0", kInvBrDigits, 120);
  if (!to) return;
  const std::string low = reg::numberDigits(*from);
  const std::string high = reg::numberDigits(*to);
  if (compareInventory(low, high) > 0) {
    errorBox(program_.userInterface(), std::string(ui::kInvalidInputText));
    return;
  }
  if (!confirmed(program_.userInterface(),
                 "Sigurno brisete Kavrina ?\rInventarski brojevi od " + low + " do " + high))
    return;
  program_.areas.select("MDOS");
  store::DbfTable& mdos = program_.areas["MDOS"];
  using R = store::AssetRecord;
  const store::RecordCodec<R> reader(mdos, store::FieldSet<R>::of(&R::InvBr));
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    const std::string number = reg::numberDigits(reader.read().InvBr);
    if (compareInventory(number, low) >= 0 && compareInventory(number, high) <= 0 &&
        store::REC_LOCK(program_, 0, "MDOS")) {
      mdos.deleteRecord();
      mdos.unlock();
    }
    program_.userInterface().processEvents();
  }
  mdos.commit();
  UcitajOsnovnaSredstva();
  currentRow_ = program_.AOSNOVNASREDSTVA.empty() ? -1 : 0;
}

}  // namespace kavrina::app
