// The company form `TFFIRMA`: the modal dialog in which a company's name, place and tax
// number are entered or changed, for the code the main window puts in `CSIFRAFIRME`.
#pragma once

#include <QDialog>
#include <QPushButton>

#include "store/program.h"
#include "ui/qt/picture_edit.h"

namespace kavrina::reg {

// Holds its edits and buttons; works on the program's `Firme` (open) and `AFIRME`. Lives
// as long as the main window and is shown modally (exec) for each company.
class TFFIRMA final : public QDialog {
  Q_OBJECT

 public:
  explicit TFFIRMA(store::Program& program, QWidget* parent = nullptr);

  // Each time the form is shown: the code from `CSIFRAFIRME` and the company's fields, or
  // blank fields for a code not in `Firme`.
  void fFirmaOnShow();
  // Writes the company by the record-writing rule, updates `AFIRME` and closes the form.
  // When a new record cannot be appended the error box says so and the form stays open
  // with what was typed.
  void bSnimiZaglavljeOnClick();

  ui::PictureEdit* eSifraFirme() const { return eSifraFirme_; }
  ui::PictureEdit* eNazivFirme() const { return eNazivFirme_; }
  ui::PictureEdit* eMestoFirme() const { return eMestoFirme_; }
  ui::PictureEdit* ePIBFirme() const { return ePIBFirme_; }
  QPushButton* bSnimiZaglavlje() const { return bSnimiZaglavlje_; }
  QPushButton* bOdustaniZaglavlje() const { return bOdustaniZaglavlje_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  store::Program& program_;
  ui::PictureEdit* eSifraFirme_;
  ui::PictureEdit* eNazivFirme_;
  ui::PictureEdit* eMestoFirme_;
  ui::PictureEdit* ePIBFirme_;
  QPushButton* bSnimiZaglavlje_;
  QPushButton* bOdustaniZaglavlje_;
};

}  // namespace kavrina::reg
