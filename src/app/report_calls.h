// The main window's calls into the reports: each printed document of the command trees
// and the double-click, drawn through the printer and shown in the window's preview.
// report_calls.cpp is the one place that names the report procedures.
#pragma once

#include "app/command_hooks.h"

namespace kavrina::app {

class TFOSMAIN;

// Prints `document` for the grid's current row `row` (empty when the list is empty) and
// shows it in `window`'s preview. A document whose report this build does not have yet
// shows that it is not available.
void printDocument(TFOSMAIN& window, store::Program& program, Document document,
                   const ListRow& row);

}  // namespace kavrina::app
