// The settings form.
#include "register/tf_podesavanja.h"

#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

#include "errors/end_program.h"
#include "settings/booking_accounts.h"
#include "settings/ini_files.h"
#include "settings/settings_form_values.h"
#include "settings/settings_keys.h"
#include "ui/qt/enter_presses_button.h"
#include "ui/qt/full_item_text.h"
#include "ui/qt/wrapping_check_box.h"

namespace kavrina::settings {

namespace {

constexpr int kClientWidth = 424;
constexpr int kClientHeight = 361;
constexpr int kFormFontPixels = 11;  // an 8-point font at 96 dots per inch
constexpr int kLineHeight = 17;
constexpr int kCheckWidth = 392;  // to 16 pixels from the form's right edge
constexpr int kLabelGap = 6;      // between a caption and the field beside it
// The booking accounts below the font: the expense account and the prefix table.
constexpr int kBookingTop = 292;
constexpr int kPrefixRows = 6;
constexpr int kPrefixTableHeight = 130;
constexpr int kBookingHeight = 24 + 20 + kPrefixTableHeight + 8 + kLineHeight + 8;

const QStringList kPApocinje = {"Prvi dan u mesecu posle meseca nabavke",
                                "Prvi dan u mesecu nabavke", "Stvarni datum nabavke"};
const QStringList kPAzavrsava = {"Poslednji dan u mesecu koji prethodi mesecu otpisa / otudjenja",
                                 "Poslednji dan u mesecu otpisa / otudjenja",
                                 "Stvarni datum otpisa/otudjenja"};

QLabel* labelAt(QWidget* parent, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QCheckBox* checkAt(QWidget* parent, const QString& text, int left, int top) {
  auto* box = new QCheckBox(text, parent);
  box->setGeometry(left, top, kCheckWidth, kLineHeight);
  return box;
}

// A check box whose caption wraps within the form at (left, top + shift); the height its
// caption adds to one line is added to `shift`.
QCheckBox* wrappingCheckAt(QWidget* parent, const QString& text, int left, int top, int& shift) {
  auto* box = new ui::WrappingCheckBox(text, parent);
  const int height = std::max(kLineHeight, box->heightForWidth(kCheckWidth));
  box->setGeometry(left, top + shift, kCheckWidth, height);
  shift += height - kLineHeight;
  return box;
}

// The image of the font button: a serif "A" over a small "a", drawn in the button's text
// colour on a transparent ground.
QIcon fontIcon(const QPalette& palette) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(palette.color(QPalette::ButtonText));
  QFont big("Liberation Serif");
  big.setPixelSize(14);
  big.setBold(true);
  painter.setFont(big);
  painter.drawText(QRect(0, 0, 11, 16), Qt::AlignLeft | Qt::AlignBottom, "A");
  QFont small = big;
  small.setPixelSize(9);
  painter.setFont(small);
  painter.drawText(QRect(9, 0, 7, 15), Qt::AlignLeft | Qt::AlignBottom, "a");
  return QIcon(pixmap);
}

// The point size of a chosen font as the settings hold it: whole points when it has them.
double pointSizeOf(const QFont& font) {
  if (font.pointSizeF() > 0) return std::round(font.pointSizeF() * 10) / 10;
  return 8;
}

}  // namespace

TFPODESAVANJA::TFPODESAVANJA(store::Program& program, QWidget* parent)
    : QDialog(parent), program_(program) {
  setWindowTitle("Kavrina : Podesavanja");
  QFont formFont = font();
  // A face with Arial's widths, so that the captions fit the layout's pixel positions.
  formFont.setFamilies({"Liberation Sans", "Arial"});
  formFont.setPixelSize(kFormFontPixels);
  setFont(formFont);

  // The controls at their places from the top; a caption that wraps onto a second line
  // moves everything below it down by the height it adds, and the form grows with it.
  int shift = 0;
  bOk_ = new QPushButton("Ok", this);
  labelAt(this, "Poreska amortizacija pocinje:", 16, 8);
  clbPApocinje_ = new QComboBox(this);
  clbPApocinje_->setGeometry(16, 24, 257, 21);
  clbPApocinje_->addItems(kPApocinje);
  ui::showFullItemTexts(clbPApocinje_);
  labelAt(this, "Poreska amortizacija zavrsava:", 16, 48);
  clbPAzavrsava_ = new QComboBox(this);
  clbPAzavrsava_->setGeometry(16, 64, 345, 21);
  clbPAzavrsava_->addItems(kPAzavrsava);
  ui::showFullItemTexts(clbPAzavrsava_);
  cbKorekcijaPA_ = wrappingCheckAt(
      this, "Korekcija Poreske Amortizacije po osnovu petostrukog iznosa prosecne zarade", 16, 96,
      shift);
  QLabel* limit = labelAt(this, "Petostruki iznosa prosecne zarade:", 16, 118 + shift);
  ePetIznosProsZarade_ = new ui::PictureEdit("9,999,999.99", this);
  // The amount stands clear of its caption, however wide the caption comes out.
  ePetIznosProsZarade_->setGeometry(std::max(188, limit->geometry().right() + kLabelGap),
                                    114 + shift, 89, 21);
  ePetIznosProsZarade_->setNumber(0);
  limit->setBuddy(ePetIznosProsZarade_);
  cbObracunPAkodOtpisa_ = wrappingCheckAt(
      this, "Obracun Poreske Amortizacije u godini otpisa / otudjenja (za grupe II,III,IV,V)", 16,
      136, shift);
  cbUcitajSpisak_ = checkAt(this, "Ucitavanje spiska osnovnih sredstava pri pokretanju programa",
                            16, 160 + shift);
  cbIzborStampaca_ = checkAt(this, "Izbor Stampaca pre stampe dokumenta", 16, 184 + shift);
  cbCentriraj_ = checkAt(this, "Postavi programski prozor na sredinu ekrana", 16, 208 + shift);
  cbAgencijskiMod_ = checkAt(this, "Agencijski mod programa", 16, 232 + shift);
  sbFont_ = new QToolButton(this);
  sbFont_->setGeometry(16, 256 + shift, 23, 23);
  sbFont_->setAutoRaise(true);
  sbFont_->setIcon(fontIcon(palette()));
  lFont_ = labelAt(this, "Font na Stampi:", 48, 264 + shift);
  QLabel* trosak = labelAt(this, "Konto troska amortizacije:", 16, kBookingTop + 4 + shift);
  eKontoTroska_ = new QLineEdit(this);
  eKontoTroska_->setMaxLength(static_cast<int>(kAccountMaxDigits));
  eKontoTroska_->setGeometry(std::max(188, trosak->geometry().right() + kLabelGap),
                             kBookingTop + shift, 89, 21);
  trosak->setBuddy(eKontoTroska_);
  labelAt(this, "Konta ispravke vrednosti po prefiksu konta sredstva:", 16,
          kBookingTop + 28 + shift);
  sgKontaIspravke_ = new QTableWidget(kPrefixRows, 2, this);
  sgKontaIspravke_->setHorizontalHeaderLabels({"Prefiks konta", "Konto ispravke"});
  sgKontaIspravke_->verticalHeader()->setVisible(false);
  sgKontaIspravke_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  sgKontaIspravke_->setGeometry(16, kBookingTop + 44 + shift, kCheckWidth, kPrefixTableHeight);
  cbNalogPoSredstvima_ = checkAt(this, "Nalog za knjizenje po osnovnim sredstvima (analitika)", 16,
                                 kBookingTop + 52 + kPrefixTableHeight + shift);
  shift += kBookingHeight;
  bReset_ = new QPushButton("Vrati na osnovna programska podesavanja", this);
  bReset_->setGeometry(16, 320 + shift, 241, 24);
  bOk_->setGeometry(336, 320 + shift, 75, 25);
  setFixedSize(kClientWidth, kClientHeight + shift);
  for (QPushButton* b : {bOk_, bReset_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  ui::enterPressesFocusedButtons(this);

  QWidget* order[] = {clbPApocinje_,
                      clbPAzavrsava_,
                      cbKorekcijaPA_,
                      ePetIznosProsZarade_,
                      cbObracunPAkodOtpisa_,
                      cbUcitajSpisak_,
                      cbIzborStampaca_,
                      cbCentriraj_,
                      cbAgencijskiMod_,
                      sbFont_,
                      eKontoTroska_,
                      sgKontaIspravke_,
                      bReset_,
                      bOk_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(cbKorekcijaPA_, &QCheckBox::toggled, this,
          [this](bool checked) { cbKorekcijaPAOnChange(checked); });
  connect(sbFont_, &QToolButton::clicked, this, [this] { sbFontOnClick(); });
  connect(bOk_, &QPushButton::clicked, this, [this] { bOkOnClick(); });
  connect(bReset_, &QPushButton::clicked, this, [this] { bResetOnClick(); });
}

void TFPODESAVANJA::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  fPodesavanjaOnShow();
}

void TFPODESAVANJA::fPodesavanjaOnShow() {
  const SettingsFormValues v = readSettingsFormValues(programSettings());
  // Loading is not a user's change: the correction box does not move the focus here.
  const QSignalBlocker block(cbKorekcijaPA_);
  clbPApocinje_->setCurrentIndex(v.paPocetak - 1);
  clbPAzavrsava_->setCurrentIndex(v.paKraj - 1);
  cbKorekcijaPA_->setChecked(v.paKorekcija);
  ePetIznosProsZarade_->setNumber(v.prosecnaZaradaX5);
  cbObracunPAkodOtpisa_->setChecked(v.paKodOtpisa);
  cbUcitajSpisak_->setChecked(v.ucitajSpisak);
  cbIzborStampaca_->setChecked(v.izborStampaca);
  program_.CFONTNAME = v.fontName;
  program_.NFONTSIZE = v.fontSize;
  showFont();
  program_.LCENTRIRAJ = v.centriraj;
  cbCentriraj_->setChecked(v.centriraj);
  program_.LAGENCIJSKIMOD = v.agencijskiMod;
  cbAgencijskiMod_->setChecked(v.agencijskiMod);
  shownAccounts_ = readBookingAccounts(programSettings());
  showBookingAccounts(shownAccounts_);
}

void TFPODESAVANJA::showBookingAccounts(const BookingAccounts& accounts) {
  eKontoTroska_->setText(QString::fromStdString(accounts.trosak));
  cbNalogPoSredstvima_->setChecked(accounts.perAsset);
  const int rows = std::max(kPrefixRows, static_cast<int>(accounts.prefixes.size()) + 1);
  sgKontaIspravke_->clearContents();
  sgKontaIspravke_->setRowCount(rows);
  for (std::size_t i = 0; i < accounts.prefixes.size(); ++i) {
    const int row = static_cast<int>(i);
    sgKontaIspravke_->setItem(
        row, 0, new QTableWidgetItem(QString::fromStdString(accounts.prefixes[i].prefix)));
    sgKontaIspravke_->setItem(
        row, 1, new QTableWidgetItem(QString::fromStdString(accounts.prefixes[i].ispravka)));
  }
}

BookingAccounts TFPODESAVANJA::typedBookingAccounts() const {
  auto cellText = [this](int row, int column) {
    const QTableWidgetItem* item = sgKontaIspravke_->item(row, column);
    return item ? item->text().trimmed().toStdString() : std::string();
  };
  BookingAccounts accounts;
  accounts.trosak = eKontoTroska_->text().trimmed().toStdString();
  accounts.perAsset = cbNalogPoSredstvima_->isChecked();
  accounts.prefixes.clear();
  // A row left empty on both sides is no row.
  for (int row = 0; row < sgKontaIspravke_->rowCount(); ++row) {
    AccountPrefix p{cellText(row, 0), cellText(row, 1)};
    if (!p.prefix.empty() || !p.ispravka.empty()) accounts.prefixes.push_back(std::move(p));
  }
  return accounts;
}

void TFPODESAVANJA::showFont() {
  lFont_->setText(QString::fromStdString(fontLabel(program_.CFONTNAME, program_.NFONTSIZE)));
  lFont_->adjustSize();
}

void TFPODESAVANJA::cbKorekcijaPAOnChange(bool checked) {
  if (!checked) return;
  ePetIznosProsZarade_->setFocus();
  ePetIznosProsZarade_->selectAll();
}

void TFPODESAVANJA::sbFontOnClick() {
  QFont preset(QString::fromStdString(program_.CFONTNAME));
  if (program_.NFONTSIZE > 0) preset.setPointSizeF(program_.NFONTSIZE);
  // The dialog lists installed faces only: a name the system maps to another face
  // ("Arial" to a face with its metrics) is preset as that face.
  preset.setFamily(QFontInfo(preset).family());
  QFontDialog dialog(preset, this);
  dialog.setWindowTitle("Font na stampi");
  const int result = dialog.exec();
  errors::continueEnding();
  if (result != QDialog::Accepted) return;
  const QFont chosen = dialog.selectedFont();
  program_.CFONTNAME = chosen.family().toStdString();
  program_.NFONTSIZE = pointSizeOf(chosen);
  showFont();
  writeReportFont(programSettings(), program_.CFONTNAME, program_.NFONTSIZE);
}

void TFPODESAVANJA::bOkOnClick() {
  const BookingAccounts accounts = typedBookingAccounts();
  if (const auto refused = bookingAccountsRefusal(accounts)) {
    program_.userInterface().messageBox(*refused, ui::MessageKind::Warning, ui::MessageButtons::Ok);
    return;
  }
  SettingsFormValues v;
  v.paPocetak = clbPApocinje_->currentIndex() + 1;
  v.paKraj = clbPAzavrsava_->currentIndex() + 1;
  v.paKorekcija = cbKorekcijaPA_->isChecked();
  v.prosecnaZaradaX5 = ePetIznosProsZarade_->number();
  v.paKodOtpisa = cbObracunPAkodOtpisa_->isChecked();
  v.ucitajSpisak = cbUcitajSpisak_->isChecked();
  v.izborStampaca = cbIzborStampaca_->isChecked();
  v.centriraj = cbCentriraj_->isChecked();
  v.agencijskiMod = cbAgencijskiMod_->isChecked();
  program_.LCENTRIRAJ = v.centriraj;
  program_.LAGENCIJSKIMOD = v.agencijskiMod;
  writeSettingsFormValues(programSettings(), v);
  if (accounts != shownAccounts_) writeBookingAccounts(programSettings(), accounts);
  accept();
}

void TFPODESAVANJA::bResetOnClick() {
  const ResetResult result =
      resetSettings(programSettings(), program_.CSUBDIRFIRME, program_.info.VER);
  if (!result.deleted)
    program_.userInterface().messageBox(kResetFailedText, ui::MessageKind::Error,
                                        ui::MessageButtons::Ok);
  fPodesavanjaOnShow();
}

}  // namespace kavrina::settings
