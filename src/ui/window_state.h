// What the main window keeps between its commands: the section it shows, the lists read into
// arrays, the search and filter words, and the font and placement of its reports. Plain
// values, so that the forms and the reports can take them without the window itself.
#pragma once

#include <string>
#include <vector>

#include "ui/asset_list_rows.h"

namespace kavrina::ui {

struct WindowState {
  std::string CSENDER;  // section the main window shows

  bool LCENTRIRAJ = true;
  std::string CFONTNAME = "Arial";
  double NFONTSIZE = 8;

  std::vector<std::vector<std::string>> AFIRME;
  AssetList AOSNOVNASREDSTVA;  // typed: its texts are made when shown
  std::vector<std::vector<std::string>> AOBRACUNI;

  std::string CFILTER;
  std::string CINVENTARSKIBROJ;
};

}  // namespace kavrina::ui
