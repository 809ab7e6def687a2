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

// Runs the entry (for an entry not available: the not-available notice).
void runService(TFOSMAIN& window, store::Program& program, Service service);

}  // namespace kavrina::app
