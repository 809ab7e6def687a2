// The program-wide variables, created at start and alive for the whole run. They come in two
// parts: the session, which the store and the calculation read and set (the program, the
// active company and its folders, the next calculation, the work areas of the open tables),
// and the main window's state (ui::WindowState). A function takes the narrowest part it
// uses; only the window, the forms and the reports take the whole Program.
#pragma once

#include <string>

#include "common/clock.h"
#include "errors/program_info.h"
#include "store/dbf/dbf_header.h"
#include "store/work_areas.h"
#include "ui/user_interface.h"
#include "ui/window_state.h"

namespace kavrina::store {

struct Session {
  // SW, VER, DATVER, CSTARTTIME and the program folder.
  errors::ProgramInfo info;

  std::string I_VER = "0.00";  // data version read from the settings file

  std::string CSIFRAFIRME = "000";  // active company code
  std::string CSUBDIRFIRME;         // its folder prefix: empty for "000", else code + "/"
  std::string CKORISNIKNAZIV;
  std::string CKORISNIKMESTO;
  bool LAGENCIJSKIMOD = false;

  int NGODINA = 0;
  int NMESECI = 12;
  Structure ADBF;

  WorkAreas areas;

  // The user interface the procedures of this run talk through, handed down from main (the
  // window's, kavrina-cli's console, a test's scripted one); none in a run without a user,
  // where a wait notice is simply not shown. The store itself only shows wait notices and
  // lets events run through it; questions and messages belong to the commands above it.
  ui::UserInterface* ui = nullptr;
  // The user interface, for a procedure that must talk to the user. Raises std::logic_error
  // when none was handed down.
  ui::UserInterface& userInterface() const;
  // The clock every part of the run asks for today's date and the time of day.
  Clock clock;
};

struct Program : Session, ui::WindowState {};

// The folder prefix of a company code: empty for "000", otherwise the code and "/".
std::string companyPrefix(const std::string& code);

}  // namespace kavrina::store
