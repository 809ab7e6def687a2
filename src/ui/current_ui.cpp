// The installed user interface.
#include "ui/current_ui.h"

#include <stdexcept>

namespace kavrina::ui {

namespace {
// Everything runs on the one user-interface thread, so a plain pointer is enough.
UserInterface* installed = nullptr;
}  // namespace

UserInterface& current() {
  if (installed == nullptr) {
    throw std::logic_error("no user interface is installed (kavrina::ui::install)");
  }
  return *installed;
}

bool hasCurrent() {
  return installed != nullptr;
}

void install(UserInterface* ui) {
  installed = ui;
}

ScopedUserInterface::ScopedUserInterface(UserInterface& ui) : previous_(installed) {
  installed = &ui;
}

ScopedUserInterface::~ScopedUserInterface() {
  installed = previous_;
}

}  // namespace kavrina::ui
