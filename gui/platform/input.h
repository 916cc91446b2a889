// Input state read at the moment of the call rather than from the message queue, which lets a
// control track a drag in a loop of its own; plus the clock, sleeping and the one message
// dispatch such a loop needs to keep the window painted. User-interface thread only.
#pragma once

#include <cstdint>

namespace QGUI::platform {

// Bits of asyncInputState. The buttons are physical: a system that swaps the mouse buttons
// still reports the physically left button as physicalLeftButton.
enum : std::uint32_t {
  physicalLeftButton = 1,
  middleButton = 2,
  physicalRightButton = 4,
  shiftKey = 8,
  controlKey = 16,
  altKey = 32,
};

// The buttons and modifier keys held down right now.
std::uint32_t asyncInputState();
// The system is set to swap the left and right mouse buttons.
bool mouseButtonsSwapped();
// The pointer position in screen coordinates.
void cursorPosition(std::int32_t& x, std::int32_t& y);
// The longest gap between the two clicks of a double click, in milliseconds.
std::uint32_t doubleClickTime();
// Milliseconds since an arbitrary start; wraps after about 49.7 days.
std::uint32_t tickCount();
// Sleeps the calling thread.
void sleepMilliseconds(std::uint32_t milliseconds);
// Takes at most one pending paint request of the calling thread and delivers it to its
// window; true when there was one.
bool dispatchOnePendingPaint();

}  // namespace QGUI::platform
