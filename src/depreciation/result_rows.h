// One record of the accounting result table (`BazaRA`) and of the tax result table
// (`BazaPA`), field for field in file order.
#pragma once

#include <string>

namespace kavrina::depreciation {

// A record of A(Y)(P)R.dbf. Every amount holds the value as stored: three decimals.
struct RaRow {
  std::string InvBr;      // C 30, without trailing blanks
  double RAPrVr = 0;      // N 15.3 opening present value
  double RAOsn = 0;       // N 15.3 base of the year
  double RAStopa = 0;     // N 7.3
  int RATip = 0;          // N 1
  int BrMes = 0;          // N 2 months depreciated
  double RAm = 0;         // N 15.3 depreciation
  double RASadVr = 0;     // N 15.3 closing present value
  bool RANab = false;     // acquired in the year
  bool RAOtp = false;     // written off in the year
  bool NoviPrav = false;  // acquired after 2018
};

// A record of A(Y)(P)P.dbf. Every amount holds the value as stored: three decimals.
struct PaRow {
  std::string InvBr;      // C 30, without trailing blanks
  double PAPrVr = 0;      // N 15.3 opening present value
  double PAOsn = 0;       // N 15.3 base of the year
  double PAOtpVr = 0;     // N 15.3 value taken out of the group on write-off
  double PAStopa = 0;     // N 7.3
  int PAGrupa = 0;        // N 1
  int BrMes = 0;          // N 2 months depreciated
  int BrDan = 0;          // N 3 days depreciated
  double PAm = 0;         // N 15.3 depreciation
  double PASadVr = 0;     // N 15.3 closing present value
  bool PANab = false;     // acquired in the year
  bool PAOtp = false;     // written off in the year
  bool NoviPrav = false;  // acquired after 2018
};

}  // namespace kavrina::depreciation
