// kavrina: the fixed-asset register and depreciation program.
#include "app/start_up.h"

int main(int argc, char** argv) {
  const int code = kavrina::app::runProgram(argc, argv);
  // Work after the call keeps main a frame of its own below runProgram (the compiler would
  // otherwise turn the call into a jump), so that the error log's "Called from" lines end
  // with main, as kavrina-cli's do.
  asm volatile("" ::: "memory");
  return code;
}
