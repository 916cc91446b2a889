// OLE initialisation of the user-interface thread. The result is not examined: a thread that
// was initialised before (by the host) answers S_FALSE and still needs its paired release.
#include "gui/platform/ole.h"

#include <ole2.h>

namespace QGUI::platform {

void oleInitialize() {
  OleInitialize(nullptr);
}
void oleUninitialize() {
  OleUninitialize();
}

}  // namespace QGUI::platform
