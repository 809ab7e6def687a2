// The entries of the Info menu whose work belongs to other subsystems: the version check
// and download, the index files, the data archive and remote support. service_calls.cpp
// is the one place that names them; an entry is enabled once its subsystem is built in.
#pragma once

#include "store/program.h"

namespace kavrina::app {

class TFOSMAIN;

enum class Service {
  ProveriVerzijuPrograma,
  PreuzmiNovuVerzijuPrograma,
  ObrisiIndex,
  ArhivirajPodatke,
  OnlinePodrskaVM,
  OnlinePodrskaImPcR,
};

// Whether this build has the entry's work; the menu shows the entry disabled otherwise.
bool serviceAvailable(Service service);

// Runs the entry (for an entry not available: the not-available notice). An online entry
// that installed a new version ends the program.
void runService(TFOSMAIN& window, store::Program& program, Service service);

// The network tasks of the window's first show over its `Ftp1`; true when the program must
// end (the user accepted a new version).
bool runStartServices(TFOSMAIN& window, store::Program& program);

}  // namespace kavrina::app
