#include "app/service_calls.h"

#include "app/depreciation_calls.h"

namespace kavrina::app {

bool serviceAvailable(Service service) { return false; }

void runService(TFOSMAIN& window, store::Program& program, Service service) { showNotAvailable(); }

}  // namespace kavrina::app
