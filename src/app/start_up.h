// The program's start, in order: the program folder becomes the working directory, the
// error handler is installed, the application object is made, the forms are created with
// the main window first, and the message loop runs until the main window closes.
#pragma once

namespace kavrina::app {

// Runs the program; answers its exit code. Called by main() with its arguments.
int runProgram(int argc, char** argv);

}  // namespace kavrina::app
