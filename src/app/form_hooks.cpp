#include "app/form_hooks.h"

#include "app/depreciation_calls.h"

namespace kavrina::app {

void createForms(store::Program& program, QWidget* mainWindow) {}

void showCompanyForm(store::Program& program) { showNotAvailable(); }

void showAssetForm(store::Program& program) { showNotAvailable(); }

void showSettingsForm(store::Program& program) { showNotAvailable(); }

}  // namespace kavrina::app
