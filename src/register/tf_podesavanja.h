// The settings form `TFPODESAVANJA`: the modal dialog in which the tax depreciation rules,
// the report font and the main window's behaviours are chosen.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "settings/booking_accounts.h"
#include "store/program.h"
#include "ui/qt/picture_edit.h"

namespace kavrina::settings {

// Holds its controls; reads and writes the main settings file through READINI/WRITEINI and
// keeps `CFONTNAME`, `NFONTSIZE`, `LCENTRIRAJ` and `LAGENCIJSKIMOD` of the program in step.
// Lives as long as the main window and is shown modally from its settings button.
class TFPODESAVANJA final : public QDialog {
  Q_OBJECT

 public:
  explicit TFPODESAVANJA(store::Program& program, QWidget* parent = nullptr);

  // Each time the form is shown: every control from the settings file with its default,
  // the report font into `CFONTNAME` / `NFONTSIZE` and the label, centring and agency mode
  // into `LCENTRIRAJ` / `LAGENCIJSKIMOD`.
  void fPodesavanjaOnShow();
  // Checking the correction moves the input focus to the amount; unchecking does not.
  void cbKorekcijaPAOnChange(bool checked);
  // The font dialog preset to the report font; a confirmed choice becomes the report font
  // and is written at once, whatever happens to the form afterwards.
  void sbFontOnClick();
  // Writes every setting in its order, updates `LCENTRIRAJ` and `LAGENCIJSKIMOD`, closes.
  // The booking accounts are checked first (a refusal is told, and the form stays open with
  // nothing written) and written only when they were changed.
  void bOkOnClick();
  // Back to the default settings (deletes the settings file, keeps the data-version key)
  // and shows them.
  void bResetOnClick();

  QPushButton* bOk() const { return bOk_; }
  QComboBox* clbPApocinje() const { return clbPApocinje_; }
  QComboBox* clbPAzavrsava() const { return clbPAzavrsava_; }
  QCheckBox* cbKorekcijaPA() const { return cbKorekcijaPA_; }
  ui::PictureEdit* ePetIznosProsZarade() const { return ePetIznosProsZarade_; }
  QCheckBox* cbObracunPAkodOtpisa() const { return cbObracunPAkodOtpisa_; }
  QCheckBox* cbUcitajSpisak() const { return cbUcitajSpisak_; }
  QCheckBox* cbIzborStampaca() const { return cbIzborStampaca_; }
  QCheckBox* cbCentriraj() const { return cbCentriraj_; }
  QCheckBox* cbAgencijskiMod() const { return cbAgencijskiMod_; }
  QToolButton* sbFont() const { return sbFont_; }
  QLabel* lFont() const { return lFont_; }
  QPushButton* bReset() const { return bReset_; }
  QLineEdit* eKontoTroska() const { return eKontoTroska_; }
  // Two columns: the prefix of the asset account and its accumulated-depreciation account.
  QTableWidget* sgKontaIspravke() const { return sgKontaIspravke_; }
  QCheckBox* cbNalogPoSredstvima() const { return cbNalogPoSredstvima_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showFont();
  void showBookingAccounts(const BookingAccounts& accounts);
  BookingAccounts typedBookingAccounts() const;

  store::Program& program_;
  QPushButton* bOk_;
  QComboBox* clbPApocinje_;
  QComboBox* clbPAzavrsava_;
  QCheckBox* cbKorekcijaPA_;
  ui::PictureEdit* ePetIznosProsZarade_;
  QCheckBox* cbObracunPAkodOtpisa_;
  QCheckBox* cbUcitajSpisak_;
  QCheckBox* cbIzborStampaca_;
  QCheckBox* cbCentriraj_;
  QCheckBox* cbAgencijskiMod_;
  QToolButton* sbFont_;
  QLabel* lFont_;
  QPushButton* bReset_;
  QLineEdit* eKontoTroska_;
  QTableWidget* sgKontaIspravke_;
  QCheckBox* cbNalogPoSredstvima_;
  BookingAccounts shownAccounts_;  // as read when the form was shown
};

}  // namespace kavrina::settings
