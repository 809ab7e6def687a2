// The company form.
#include "register/tf_firma.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

#include "register/company_record.h"
#include "register/form_layout.h"
#include "register/form_messages.h"
#include "register/stored_text_check.h"
#include "ui/qt/enter_presses_button.h"

namespace kavrina::reg {

namespace {
constexpr int kClientWidth = 331;
constexpr int kClientHeight = 212;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
}  // namespace

TFFIRMA::TFFIRMA(store::Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setWindowTitle("Kavrina : Podaci o firmi");
  useFormFont(this);
  setFixedSize(kClientWidth, kClientHeight);

  eSifraFirme_ = new ui::PictureEdit("XXX", this);
  place(eSifraFirme_, 16, 32, 57, 21);
  eSifraFirme_->setEnabled(false);  // the code cannot be edited
  labelAbove(eSifraFirme_, "Sifra firme:");

  eNazivFirme_ = new ui::PictureEdit("XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX", this);
  place(eNazivFirme_, 16, 72, 297, 21);
  labelAbove(eNazivFirme_, "Naziv firme:");

  eMestoFirme_ = new ui::PictureEdit("!XXXXXXXXXXXXXXXXXXXXXXXXXXXXX", this);
  place(eMestoFirme_, 16, 112, 297, 21);
  labelAbove(eMestoFirme_, "Mesto firme:");

  ePIBFirme_ = new ui::PictureEdit("9999999999999", this);
  place(ePIBFirme_, 16, 152, 105, 21);
  labelAbove(ePIBFirme_, "PIB firme:");

  bSnimiZaglavlje_ = new QPushButton("Snimi", this);
  place(bSnimiZaglavlje_, 160, 176, kButtonWidth, kButtonHeight);
  bOdustaniZaglavlje_ = new QPushButton("Odustani", this);
  place(bOdustaniZaglavlje_, 240, 176, kButtonWidth, kButtonHeight);
  // Enter in an edit does not press a button; Enter on a focused button does.
  for (QPushButton* b : {bSnimiZaglavlje_, bOdustaniZaglavlje_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  ui::enterPressesFocusedButtons(this);

  setTabOrder(eNazivFirme_, eMestoFirme_);
  setTabOrder(eMestoFirme_, ePIBFirme_);
  setTabOrder(ePIBFirme_, bSnimiZaglavlje_);
  setTabOrder(bSnimiZaglavlje_, bOdustaniZaglavlje_);

  connect(bSnimiZaglavlje_, &QPushButton::clicked, this, [this] { bSnimiZaglavljeOnClick(); });
  // bOdustaniOnClick: closes without saving.
  connect(bOdustaniZaglavlje_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFFIRMA::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  fFirmaOnShow();
  eNazivFirme_->setFocus();
}

void TFFIRMA::fFirmaOnShow() {
  const std::string& code = program_.CSIFRAFIRME;
  eSifraFirme_->setValueText(code);
  const auto company = loadCompany(program_, code);
  eNazivFirme_->setValueText(company ? company->Naziv : std::string());
  eMestoFirme_->setValueText(company ? company->Mesto : std::string());
  ePIBFirme_->setValueText(company ? company->PIB : std::string());
}

void TFFIRMA::bSnimiZaglavljeOnClick() {
  if (!textsStorable(program_.userInterface(),
                     {{eNazivFirme_, "Naziv firme"}, {eMestoFirme_, "Mesto firme"}}))
    return;
  const store::CompanyRecord values{program_.CSIFRAFIRME, eNazivFirme_->valueText(),
                                    eMestoFirme_->valueText(), ePIBFirme_->valueText()};
  if (!saveCompany(program_, values)) {
    program_.userInterface().messageBox(kNotSavedText, ui::MessageKind::Error,
                                        ui::MessageButtons::Ok);
    return;
  }
  accept();
}

}  // namespace kavrina::reg
