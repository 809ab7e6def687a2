// The one place where the program keeps the user interface in use, so that procedures
// deep in the store and the calculation can reach it without Qt.
#pragma once

#include "ui/user_interface.h"

namespace kavrina::ui {

// The installed user interface. Raises std::logic_error when none is installed.
UserInterface& current();

// Whether a user interface is installed.
bool hasCurrent();

// Makes `ui` the user interface in use; nullptr removes it. The caller keeps `ui` alive
// while it is installed. The program installs its Qt implementation once at start.
void install(UserInterface* ui);

// Installs a user interface for the lifetime of the object and then restores the one
// installed before (tests: `ScriptedUi ui; ScopedUserInterface use(ui);`).
class ScopedUserInterface {
 public:
  explicit ScopedUserInterface(UserInterface& ui);
  ~ScopedUserInterface();
  ScopedUserInterface(const ScopedUserInterface&) = delete;
  ScopedUserInterface& operator=(const ScopedUserInterface&) = delete;

 private:
  UserInterface* previous_;
};

}  // namespace kavrina::ui
