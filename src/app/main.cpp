// kavrina: the fixed-asset register and depreciation program.
#include "app/start_up.h"

int main(int argc, char** argv) { return kavrina::app::runProgram(argc, argv); }
