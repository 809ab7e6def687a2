// The forms the main window opens: the company form FFIRMA, the asset form
// FOSNOVNOSREDSTVO and the settings form FPODESAVANJA, classes of their own (register/)
// that form_hooks.cpp creates and shows.
#pragma once

#include <QWidget>

#include "store/program.h"

namespace kavrina::app {

// Creates the three forms, in the order company, asset, settings, after the main window
// (`mainWindow` is their parent). They live for the whole run.
void createForms(store::Program& program, QWidget* mainWindow);

// Shows FFIRMA modally for the company code in `CSIFRAFIRME` (a new code adds a company).
void showCompanyForm(store::Program& program);

// Shows FOSNOVNOSREDSTVO modally for the inventory number in `CINVENTARSKIBROJ`; the form
// keeps `AOSNOVNASREDSTVA` up to date itself.
void showAssetForm(store::Program& program);

// Shows FPODESAVANJA modally (the "Podesavanja" button).
void showSettingsForm(store::Program& program);

}  // namespace kavrina::app
