// The program-wide variables: one object, created at start and alive for the whole run,
// that the procedures of every subsystem read and set (company, version, lists, the next
// calculation), together with the work areas of the open tables.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "errors/program_info.h"
#include "store/dbf/dbf_header.h"
#include "store/work_areas.h"

namespace kavrina::store {

struct Program {
  // SW, VER, DATVER, CSTARTTIME and the program folder.
  errors::ProgramInfo info;

  std::string I_VER = "0.00";  // data version read from the settings file
  std::string CSENDER;         // section the main window shows

  std::string CSIFRAFIRME = "000";  // active company code
  std::string CSUBDIRFIRME;         // its folder prefix: empty for "000", else code + "/"
  std::string CKORISNIKNAZIV;
  std::string CKORISNIKMESTO;

  bool LAGENCIJSKIMOD = false;
  bool LCENTRIRAJ = true;
  std::string CFONTNAME = "Arial";
  double NFONTSIZE = 8;

  std::vector<std::vector<std::string>> AFIRME;
  std::vector<std::vector<std::string>> AOSNOVNASREDSTVA;
  std::vector<std::vector<std::string>> AOBRACUNI;

  int NGODINA = 0;
  int NMESECI = 12;
  std::string CFILTER;
  std::string CINVENTARSKIBROJ;
  Structure ADBF;

  WorkAreas areas;
};

// The folder prefix of a company code: empty for "000", otherwise the code and "/".
std::string companyPrefix(const std::string& code);

}  // namespace kavrina::store
