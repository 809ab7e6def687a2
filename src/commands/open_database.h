// Opening the active company's database as a command: the structure check told to the user
// as it goes, and the program ended when the tables cannot be worked with.
#pragma once

#include "store/database.h"
#include "store/program.h"
#include "ui/user_interface.h"

namespace kavrina::commands {

// Tells the user how the structure check goes, through `ui` (nothing without one).
class StructureCheckMessages : public store::StructureCheckEvents {
 public:
  explicit StructureCheckMessages(ui::UserInterface* ui) : ui_(ui) {}
  void interruptedBefore() override;
  void starting(const store::Session& program) override;
  void refused() override;
  void finished() override;

 private:
  void show(const std::string& text, ui::MessageKind kind);
  ui::UserInterface* ui_;
};

// What the user is told when the standing index `file` cannot be used (`how` is not
// Attached).
std::string indexRefusalText(store::IndexAttach how, const std::filesystem::path& file);

// Ends the program (EndProgram with exit code 1) unless `opened` is Opened; an index that
// cannot be used is first told through `ui` (the refused structure check was told as it
// happened).
void endUnlessOpened(const store::OpenOutcome& opened, ui::UserInterface* ui);

// DBOPENALL with the session's user interface: the structure check's messages, and the end
// of the program when the tables cannot be worked with.
void DBOPENALL(store::Session& program);

}  // namespace kavrina::commands
