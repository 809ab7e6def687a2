// The three forms of the main window, created once and shown modally by its commands.
#include "app/form_hooks.h"

#include <QPointer>

#include "app/depreciation_calls.h"
#include "app/list_rows.h"
#include "errors/end_program.h"
#include "register/tf_firma.h"
#include "register/tf_osnovno_sredstvo.h"
#include "register/tf_podesavanja.h"

namespace kavrina::app {

namespace {

// FFIRMA, FOSNOVNOSREDSTVO, FPODESAVANJA: children of the main window, which deletes them.
QPointer<reg::TFFIRMA> FFIRMA;
QPointer<reg::TFOSNOVNOSREDSTVO> FOSNOVNOSREDSTVO;
QPointer<settings::TFPODESAVANJA> FPODESAVANJA;

}  // namespace

void createForms(store::Program& program, QWidget* mainWindow) {
  FFIRMA = new reg::TFFIRMA(program, mainWindow);
  FOSNOVNOSREDSTVO = new reg::TFOSNOVNOSREDSTVO(program, mainWindow);
  FPODESAVANJA = new settings::TFPODESAVANJA(program, mainWindow);
}

void showCompanyForm(store::Program& program) {
  if (FFIRMA) FFIRMA->exec();
  errors::continueEnding();
}

void showAssetForm(store::Program& program) {
  if (FOSNOVNOSREDSTVO) FOSNOVNOSREDSTVO->exec();
  errors::continueEnding();
}

void showSettingsForm(store::Program& program) {
  if (FPODESAVANJA) FPODESAVANJA->exec();
  errors::continueEnding();
}

}  // namespace kavrina::app
