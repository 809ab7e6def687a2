// The fixed-asset form.
#include "register/tf_osnovno_sredstvo.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

#include "depreciation/asset_list.h"
#include "register/company_record.h"
#include "register/form_layout.h"
#include "register/form_messages.h"
#include "register/stored_text_check.h"
#include "ui/qt/enter_presses_button.h"
#include "ui/qt/full_item_text.h"

namespace kavrina::reg {

namespace {

constexpr int kClientWidth = 387;
constexpr int kClientHeight = 463;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kCheckHeight = 17;

constexpr const char* kNamePicture = "!XXXXXXXXXXXXXXXXXXXXXXXXXXXXX";
constexpr const char* kAmountPicture = "99999999999.99";

const QStringList kMetodRA = {
    "Proporcionalni metod", "Degresivni metod dvostrukog opadajuceg salda",
    "Degresivni metod smanjenja stope amortizacije", "Funkcionalni metod"};
const QStringList kGrupaPA = {"I grupa - 2.5%", "II grupa - 10%", "III grupa - 15%",
                              "IV grupa - 20%", "V grupa - 30%"};

ui::PictureEdit* labelledEdit(QWidget* parent, const char* picture, const QString& label, int left,
                              int top, int width) {
  auto* edit = new ui::PictureEdit(picture, parent);
  place(edit, left, top, width, kEditHeight);
  labelAbove(edit, label);
  return edit;
}

QLabel* labelAt(QWidget* parent, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

// The 1-based item of a combo box (0 when none is selected).
int itemNumber(const QComboBox* box) {
  return box->currentIndex() + 1;
}

// Selects the 1-based item; a value outside the items leaves none selected, so that a
// save stores the value it was loaded with.
void selectItem(QComboBox* box, int number) {
  box->setCurrentIndex(number >= 1 && number <= box->count() ? number - 1 : -1);
}

}  // namespace

TFOSNOVNOSREDSTVO::TFOSNOVNOSREDSTVO(store::Program& program, QWidget* parent)
    : QDialog(parent), program_(program) {
  setWindowTitle("Kavrina : Osnovno Sredstvo");
  useFormFont(this);
  setFixedSize(kClientWidth, kClientHeight);

  eInventarskiBroj_ =
      labelledEdit(this, "999999999999999999999999999999", "Inventarski broj:", 8, 24, 120);
  eInventarskiBroj_->setNumber(0);
  eInventarskiBroj_->installEventFilter(this);
  eNazivOsnovnogSredstva_ = labelledEdit(this, kNamePicture, "Naziv:", 144, 24, 233);

  auto* nabavka = new QGroupBox("NABAVKA", this);
  place(nabavka, 8, 56, 201, 145);
  QLabel* datum = labelAt(nabavka, "&Datum:", 8, 16);
  dtpDatumNabavke_ = new DatePicker(program_.ui, program_.clock, nabavka);
  dtpDatumNabavke_->setFieldName("datum nabavke");
  place(dtpDatumNabavke_, 8, 32, 88, kEditHeight);
  // Not a tab stop: Tab goes from the name straight to the supplier. Alt+D, the mnemonic
  // of its label, reaches it.
  dtpDatumNabavke_->setFocusPolicy(Qt::ClickFocus);
  datum->setBuddy(dtpDatumNabavke_);
  eDobavljac_ = labelledEdit(nabavka, kNamePicture, "Dobavljac", 8, 72, 185);
  eDokument_ = labelledEdit(nabavka, kNamePicture, "Dokument:", 8, 112, 185);

  auto* osnovica = new QGroupBox("POCETNA OSNOVICA", this);
  place(osnovica, 216, 56, 161, 145);
  eRacunovodstvenaOsnovica_ =
      labelledEdit(osnovica, kAmountPicture, "Racunovodstvena:", 8, 32, 145);
  ePoreskaOsnovica_ = labelledEdit(osnovica, kAmountPicture, "Poreska:", 8, 72, 145);
  eIspravkaVrednosti_ = labelledEdit(osnovica, kAmountPicture, "Ispravka vrednosti:", 8, 112, 145);

  auto* amortizacija = new QGroupBox("AMORTIZACIJA", this);
  place(amortizacija, 8, 208, 369, 113);
  ePKVT_ =
      labelledEdit(amortizacija, "999", "Procenjeni korisni vek trajanja (godina):", 8, 32, 41);
  ePKVT_->setAlignment(Qt::AlignCenter);
  eStopaAmortizacije_ =
      labelledEdit(amortizacija, "999.999", "Stopa amortizacije (%):", 224, 32, 49);
  labelAt(amortizacija, "Racunovodstvena:", 8, 60);
  csMetodRA_ = new QComboBox(amortizacija);
  place(csMetodRA_, 104, 56, 257, kEditHeight);
  csMetodRA_->addItems(kMetodRA);
  ui::showFullItemTexts(csMetodRA_);
  labelAt(amortizacija, "Poreska:", 8, 84);
  csGrupaPA_ = new QComboBox(amortizacija);
  place(csGrupaPA_, 104, 80, 257, kEditHeight);
  csGrupaPA_->addItems(kGrupaPA);
  ui::showFullItemTexts(csGrupaPA_);

  auto* dodaci = new QGroupBox("Dodaci", this);
  place(dodaci, 8, 328, 201, 65);
  eKolicina_ = labelledEdit(dodaci, "9999", "Kolicina:", 8, 32, 41);
  eODeo_ = labelledEdit(dodaci, "999", "Org.deo:", 64, 32, 41);
  eKonto_ = labelledEdit(dodaci, "9999999999", "Konto:", 120, 32, 73);

  auto* status = new QGroupBox("Status", this);
  place(status, 216, 328, 161, 65);
  rbNijeOtpisano_ = new QRadioButton("U upotrebi", status);
  place(rbNijeOtpisano_, 8, 18, 145, kCheckHeight);
  rbOtpisano_ = new QRadioButton("Otpisano", status);
  place(rbOtpisano_, 8, 38, 66, kCheckHeight);
  dtpDatumO_ = new DatePicker(program_.ui, program_.clock, status);
  dtpDatumO_->setFieldName("datum otpisa");
  place(dtpDatumO_, 74, 36, 80, kEditHeight);

  cbNastaviUnos_ = new QCheckBox("Nastavi unos nakon snimanja", this);
  place(cbNastaviUnos_, 8, 400, 200, kCheckHeight);
  cbPonistiPolja_ = new QCheckBox("Ponisti polja nakon snimanja", this);
  place(cbPonistiPolja_, 8, 416, 200, kCheckHeight);
  cbPonistiPolja_->setChecked(true);
  cbNoviInventarskiBroj_ = new QCheckBox("Generisi novi inventarski broj", this);
  place(cbNoviInventarskiBroj_, 8, 432, 200, kCheckHeight);
  cbNoviInventarskiBroj_->setChecked(true);

  bSnimi_ = new QPushButton("Snimi", this);
  place(bSnimi_, 224, 424, kButtonWidth, kButtonHeight);
  bOdustani_ = new QPushButton("Odustani", this);
  place(bOdustani_, 304, 424, kButtonWidth, kButtonHeight);
  // Enter in the inventory number loads it; in the other fields it presses nothing. Enter
  // on a focused button presses it.
  for (QPushButton* b : {bSnimi_, bOdustani_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  // The acquisition date keeps its place in the chain (after the name) without being a stop.
  QWidget* order[] = {eInventarskiBroj_,
                      eNazivOsnovnogSredstva_,
                      dtpDatumNabavke_,
                      eDobavljac_,
                      eDokument_,
                      eRacunovodstvenaOsnovica_,
                      ePoreskaOsnovica_,
                      eIspravkaVrednosti_,
                      ePKVT_,
                      eStopaAmortizacije_,
                      csMetodRA_,
                      csGrupaPA_,
                      eKolicina_,
                      eODeo_,
                      eKonto_,
                      rbNijeOtpisano_,
                      rbOtpisano_,
                      dtpDatumO_,
                      bSnimi_,
                      bOdustani_,
                      cbPonistiPolja_,
                      cbNoviInventarskiBroj_,
                      cbNastaviUnos_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  ui::enterPressesFocusedButtons(this);

  showAsset(newAssetRecord("0", program_.clock.today()), false);

  connect(rbNijeOtpisano_, &QRadioButton::toggled, this, [this] { rbOtpisanoOnChange(); });
  connect(rbOtpisano_, &QRadioButton::toggled, this, [this] { rbOtpisanoOnChange(); });
  connect(bSnimi_, &QPushButton::clicked, this, [this] { bSnimiOnClick(); });
  // bOdustaniOnClick: closes without saving.
  connect(bOdustani_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFOSNOVNOSREDSTVO::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  fOsnovnoSredstvoOnShow();
  eInventarskiBroj_->setFocus();
}

bool TFOSNOVNOSREDSTVO::eventFilter(QObject* watched, QEvent* event) {
  if (watched == eInventarskiBroj_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      eInventarskiBrojOnKeyDown(key);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFOSNOVNOSREDSTVO::fOsnovnoSredstvoOnShow() {
  eInventarskiBroj_->setValueText(numberDigits(program_.CINVENTARSKIBROJ));
  load();
}

void TFOSNOVNOSREDSTVO::eInventarskiBrojOnKeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  load();
}

void TFOSNOVNOSREDSTVO::rbOtpisanoOnChange() {
  dtpDatumO_->setVisible(rbOtpisano_->isChecked());
}

void TFOSNOVNOSREDSTVO::load() {
  const std::string typed = eInventarskiBroj_->valueText();
  if (const auto asset = loadAsset(program_, storedInvBr(typed)))
    showAsset(*asset, true);
  else
    showAsset(newAssetRecord(typed, program_.clock.today()), false);
}

void TFOSNOVNOSREDSTVO::showAsset(const store::AssetRecord& asset, bool stored) {
  if (stored) eInventarskiBroj_->setValueText(numberDigits(asset.InvBr));
  eNazivOsnovnogSredstva_->setValueText(asset.Naziv);
  dtpDatumNabavke_->setValue(asset.DatumN);
  eDobavljac_->setValueText(asset.Dobavljac);
  eDokument_->setValueText(asset.Dokument);
  eRacunovodstvenaOsnovica_->setNumber(asset.RAOsn);
  ePoreskaOsnovica_->setNumber(asset.PAOsn);
  eIspravkaVrednosti_->setNumber(asset.IspVr);
  ePKVT_->setNumber(asset.PKVT);
  eStopaAmortizacije_->setNumber(asset.RAStopa);
  selectItem(csMetodRA_, asset.RAtip);
  selectItem(csGrupaPA_, asset.PAgrupa);
  eKolicina_->setNumber(asset.Kolicina);
  eODeo_->setNumber(asset.ODeo);
  // A stored account of 0 shows as "0"; a new asset's field stays empty for the typing.
  eKonto_->setValueText(stored ? kontoText(asset.Konto, asset.DuzKonta) : std::string());
  const bool inUse = asset.DatumO.empty();
  rbNijeOtpisano_->setChecked(inUse);
  rbOtpisano_->setChecked(!inUse);
  dtpDatumO_->setValue(inUse ? program_.clock.today() : asset.DatumO);
  rbOtpisanoOnChange();
  shown_ = fieldsShown();
}

store::AssetRecord TFOSNOVNOSREDSTVO::shownAsset() const {
  store::AssetRecord r;
  r.InvBr = numberDigits(eInventarskiBroj_->valueText());
  r.Naziv = eNazivOsnovnogSredstva_->valueText();
  r.DatumN = dtpDatumNabavke_->value();
  r.Dobavljac = eDobavljac_->valueText();
  r.Dokument = eDokument_->valueText();
  r.RAOsn = eRacunovodstvenaOsnovica_->number();
  r.PAOsn = ePoreskaOsnovica_->number();
  r.IspVr = eIspravkaVrednosti_->number();
  r.PKVT = ePKVT_->number();
  r.RAStopa = eStopaAmortizacije_->number();
  r.RAtip = itemNumber(csMetodRA_);
  r.PAgrupa = itemNumber(csGrupaPA_);
  r.PAStopa = groupRate(r.PAgrupa);
  r.Kolicina = eKolicina_->number();
  r.ODeo = eODeo_->number();
  const StoredKonto konto = storedKonto(eKonto_->valueText());
  r.Konto = konto.konto;
  r.DuzKonta = konto.duzKonta;
  r.DatumO = rbNijeOtpisano_->isChecked() ? Date() : dtpDatumO_->value();
  return r;
}

bool TFOSNOVNOSREDSTVO::valuesAccepted() {
  if (!dtpDatumNabavke_->check()) return false;
  if (rbOtpisano_->isChecked() && !dtpDatumO_->check()) return false;
  if (const auto refusal = invBrRefusal(numberDigits(eInventarskiBroj_->valueText()))) {
    program_.userInterface().messageBox(*refusal, ui::MessageKind::Error, ui::MessageButtons::Ok);
    eInventarskiBroj_->setFocus(Qt::OtherFocusReason);
    return false;
  }
  if (const auto refusal = refusalOf(shownAsset())) {
    program_.userInterface().messageBox(*refusal, ui::MessageKind::Error, ui::MessageButtons::Ok);
    eIspravkaVrednosti_->setFocus(Qt::OtherFocusReason);
    eIspravkaVrednosti_->selectAll();
    return false;
  }
  return true;
}

void TFOSNOVNOSREDSTVO::bSnimiOnClick() {
  if (!textsStorable(program_.userInterface(), {{eNazivOsnovnogSredstva_, "Naziv"},
                                                {eDobavljac_, "Dobavljac"},
                                                {eDokument_, "Dokument"}}))
    return;
  if (!valuesAccepted()) return;
  if (!saveAsset(program_, shownAsset())) {
    program_.userInterface().messageBox(kNotSavedText, ui::MessageKind::Error,
                                        ui::MessageButtons::Ok);
    return;
  }
  depreciation::putCurrentAsset(program_, depreciation::presentValueLookup(program_),
                                program_.AOSNOVNASREDSTVA);
  if (!cbNastaviUnos_->isChecked()) accept();
  prepareNextEntry();
}

void TFOSNOVNOSREDSTVO::prepareNextEntry() {
  const std::string next =
      cbNoviInventarskiBroj_->isChecked() ? nextInventoryNumber(program_) : "0";
  eInventarskiBroj_->setValueText(next);
  if (cbPonistiPolja_->isChecked()) showAsset(newAssetRecord(next, program_.clock.today()), false);
  eInventarskiBroj_->setFocus();
  shown_ = fieldsShown();
}

QStringList TFOSNOVNOSREDSTVO::fieldsShown() const {
  QStringList fields;
  for (const QLineEdit* edit : findChildren<QLineEdit*>()) fields << edit->text();
  for (const QComboBox* box : findChildren<QComboBox*>()) fields << box->currentText();
  fields << (rbOtpisano_->isChecked() ? QStringLiteral("otpisano") : QString());
  return fields;
}

void TFOSNOVNOSREDSTVO::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
    QDialog::keyPressEvent(event);
    return;
  }
  event->accept();
  if (fieldsShown() != shown_ &&
      program_.userInterface().messageBox(kOdustatiOdIzmena, ui::MessageKind::Confirmation,
                                          ui::MessageButtons::YesNo) != ui::Answer::Yes)
    return;
  reject();
}

}  // namespace kavrina::reg
