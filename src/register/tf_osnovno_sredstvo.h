// The fixed-asset form `TFOSNOVNOSREDSTVO`: the modal dialog in which an asset of the open
// company's register is added or changed, found by its inventory number, and in which
// several assets can be entered in a row.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include "register/asset_record.h"
#include "register/date_picker.h"
#include "store/program.h"
#include "ui/qt/picture_edit.h"

namespace kavrina::reg {

// Holds its controls; works on the program's `MDOS` (open), `CINVENTARSKIBROJ` and
// `AOSNOVNASREDSTVA`. Lives as long as the main window and is shown modally for each asset.
class TFOSNOVNOSREDSTVO final : public QDialog {
  Q_OBJECT

 public:
  // A saved asset's row goes into the asset list as the list reads it, with its present
  // value from the annual accounting results.
  explicit TFOSNOVNOSREDSTVO(store::Program& program, QWidget* parent = nullptr);

  // Each time the form is shown: the number of `CINVENTARSKIBROJ`, then the load.
  void fOsnovnoSredstvoOnShow();
  // Enter in the inventory number: the load for the number typed.
  void eInventarskiBrojOnKeyDown(int key);
  // Either status button: the write-off date is shown exactly when "Otpisano" is checked.
  void rbOtpisanoOnChange();
  // The save, when the values are accepted; then the form closes or prepares the next entry.
  void bSnimiOnClick();
  // Whether the values may be saved: the dates are dates and accumulated depreciation is
  // not above the accounting base. Otherwise the message is shown and the focus is in the
  // field to correct.
  bool valuesAccepted();

  // The load: the asset of the number in the edit fills every control; a number not in
  // `MDOS` clears them to the new asset's record and keeps the number as typed.
  void load();
  // The record the save stores: the controls' values, the account typed as its number and
  // digit count, the tax rate of the group chosen.
  store::AssetRecord shownAsset() const;
  // Shows `asset` in every control. A stored asset (`stored`) shows its inventory number and
  // its account too; a new one keeps the number in the edit and has no account typed.
  void showAsset(const store::AssetRecord& asset, bool stored);

  ui::PictureEdit* eInventarskiBroj() const { return eInventarskiBroj_; }
  ui::PictureEdit* eNazivOsnovnogSredstva() const { return eNazivOsnovnogSredstva_; }
  DatePicker* dtpDatumNabavke() const { return dtpDatumNabavke_; }
  ui::PictureEdit* eDobavljac() const { return eDobavljac_; }
  ui::PictureEdit* eDokument() const { return eDokument_; }
  ui::PictureEdit* eRacunovodstvenaOsnovica() const { return eRacunovodstvenaOsnovica_; }
  ui::PictureEdit* ePoreskaOsnovica() const { return ePoreskaOsnovica_; }
  ui::PictureEdit* eIspravkaVrednosti() const { return eIspravkaVrednosti_; }
  ui::PictureEdit* ePKVT() const { return ePKVT_; }
  ui::PictureEdit* eStopaAmortizacije() const { return eStopaAmortizacije_; }
  QComboBox* csMetodRA() const { return csMetodRA_; }
  QComboBox* csGrupaPA() const { return csGrupaPA_; }
  ui::PictureEdit* eKolicina() const { return eKolicina_; }
  ui::PictureEdit* eODeo() const { return eODeo_; }
  ui::PictureEdit* eKonto() const { return eKonto_; }
  QRadioButton* rbNijeOtpisano() const { return rbNijeOtpisano_; }
  QRadioButton* rbOtpisano() const { return rbOtpisano_; }
  DatePicker* dtpDatumO() const { return dtpDatumO_; }
  QCheckBox* cbNastaviUnos() const { return cbNastaviUnos_; }
  QCheckBox* cbPonistiPolja() const { return cbPonistiPolja_; }
  QCheckBox* cbNoviInventarskiBroj() const { return cbNoviInventarskiBroj_; }
  QPushButton* bSnimi() const { return bSnimi_; }
  QPushButton* bOdustani() const { return bOdustani_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Escape closes the form as Odustani does, after asking "Odustati od unetih izmena?"
  // when a field differs from what the form last showed.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void prepareNextEntry();
  // The texts, items and status of the data controls, to tell whether anything was typed.
  QStringList fieldsShown() const;

  store::Program& program_;

  ui::PictureEdit* eInventarskiBroj_;
  ui::PictureEdit* eNazivOsnovnogSredstva_;
  DatePicker* dtpDatumNabavke_;
  ui::PictureEdit* eDobavljac_;
  ui::PictureEdit* eDokument_;
  ui::PictureEdit* eRacunovodstvenaOsnovica_;
  ui::PictureEdit* ePoreskaOsnovica_;
  ui::PictureEdit* eIspravkaVrednosti_;
  ui::PictureEdit* ePKVT_;
  ui::PictureEdit* eStopaAmortizacije_;
  QComboBox* csMetodRA_;
  QComboBox* csGrupaPA_;
  ui::PictureEdit* eKolicina_;
  ui::PictureEdit* eODeo_;
  ui::PictureEdit* eKonto_;
  QRadioButton* rbNijeOtpisano_;
  QRadioButton* rbOtpisano_;
  DatePicker* dtpDatumO_;
  QCheckBox* cbNastaviUnos_;
  QCheckBox* cbPonistiPolja_;
  QCheckBox* cbNoviInventarskiBroj_;
  QPushButton* bSnimi_;
  QPushButton* bOdustani_;
  QStringList shown_;  // fieldsShown() when the values were last shown
};

}  // namespace kavrina::reg
