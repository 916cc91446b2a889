// Headless OLE: there is nothing to initialise; the calls are counted.
#include "gui/platform/ole.h"

#include "gui/platform/headless/headless_ole.h"

namespace QGUI::platform {

namespace {
std::int32_t initializeCalls = 0;
std::int32_t uninitializeCalls = 0;
}  // namespace

void oleInitialize() {
  ++initializeCalls;
}
void oleUninitialize() {
  ++uninitializeCalls;
}

namespace headless {
std::int32_t oleInitializeCalls() {
  return initializeCalls;
}
std::int32_t oleUninitializeCalls() {
  return uninitializeCalls;
}
}  // namespace headless

}  // namespace QGUI::platform
