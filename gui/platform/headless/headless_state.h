// What the headless back end's window and input sides share; not for tests (they use
// headless.h).
#pragma once

namespace QGUI::platform::headless_detail {

// Forget every window, class, cursor and posted paint.
void resetWindows();
// Forget the input state, the input script and the clock.
void resetInput();
// The window side of dispatchOnePendingPaint.
bool dispatchOnePaint();

}  // namespace QGUI::platform::headless_detail
