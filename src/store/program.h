// The program-wide variables, created at start and alive for the whole run. They come in two
// parts: the session, which the store and the calculation read and set (the program, the
// active company and its folders, the next calculation, the work areas of the open tables),
// and the main window's state (ui::WindowState). A function takes the narrowest part it
// uses; only the window, the forms and the reports take the whole Program.
#pragma once

#include <string>

#include "errors/program_info.h"
#include "store/dbf/dbf_header.h"
#include "store/work_areas.h"
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
};

struct Program : Session, ui::WindowState {};

// The folder prefix of a company code: empty for "000", otherwise the code and "/".
std::string companyPrefix(const std::string& code);

}  // namespace kavrina::store
