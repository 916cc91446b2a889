// Win32 input: key and button state read asynchronously, the cursor position, the system's
// double-click time and button swap, the tick count, sleeping and dispatching one waiting
// paint message of the calling thread.
#include "gui/platform/input.h"

#include <windows.h>

namespace QGUI::platform {

namespace {

bool held(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

std::uint32_t asyncInputState() {
  // GetAsyncKeyState reports the physical mouse buttons, whatever the swap setting says.
  std::uint32_t bits = 0;
  if (held(VK_LBUTTON)) bits |= physicalLeftButton;
  if (held(VK_MBUTTON)) bits |= middleButton;
  if (held(VK_RBUTTON)) bits |= physicalRightButton;
  if (held(VK_SHIFT)) bits |= shiftKey;
  if (held(VK_CONTROL)) bits |= controlKey;
  if (held(VK_MENU)) bits |= altKey;
  return bits;
}

bool mouseButtonsSwapped() {
  return GetSystemMetrics(SM_SWAPBUTTON) > 0;
}

void cursorPosition(std::int32_t& x, std::int32_t& y) {
  POINT point{0, 0};
  GetCursorPos(&point);
  x = point.x;
  y = point.y;
}

std::uint32_t doubleClickTime() {
  return GetDoubleClickTime();
}

std::uint32_t tickCount() {
  return GetTickCount();
}

void sleepMilliseconds(std::uint32_t milliseconds) {
  Sleep(milliseconds);
}

bool dispatchOnePendingPaint() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) return false;
  DispatchMessageA(&message);
  return true;
}

}  // namespace QGUI::platform
