// The listener's default answer to a modifier click.
#include "gui/control_listener.h"

namespace QGUI {

std::int32_t CControlListener::modifierClicked(CDrawContext*, CControl*, std::int32_t) {
  return 0;
}

}  // namespace QGUI
