// The online services as the main window calls them: the network tasks of its first show
// and the entries of the Info menu. One network task runs at a time: a task asked for
// while another waits for the server (the window's events run meanwhile) does nothing.
#pragma once

#include "online/online_context.h"

namespace kavrina::online {

enum class Outcome {
  Continue,
  EndProgram,  // a new version was accepted at start or installed: the program ends
};

enum class MenuEntry {
  ProveriVerzijuPrograma,
  PreuzmiNovuVerzijuPrograma,
  OnlinePodrskaVM,
  OnlinePodrskaImPcR,
};

// `fOSMainOnShow`: the error report, then the version check, each over its own connection.
Outcome fOSMainOnShow(OnlineContext& context);

// One entry of the Info menu.
Outcome runMenuEntry(OnlineContext& context, MenuEntry entry);

// Whether a network task is running now.
bool networkTaskRunning();

}  // namespace kavrina::online
