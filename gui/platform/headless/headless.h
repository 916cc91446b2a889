// Scripting of the headless back end for tests: host windows with parents, sizes, class names
// and captions; the frame's child windows and what was drawn onto them; scripted mouse
// position, buttons, modifiers and clock; posted paint requests, presses and wheel turns.
// Nothing here sleeps: sleepMilliseconds advances the scripted clock instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/platform/input.h"
#include "gui/platform/platform_types.h"
#include "gui/platform/window.h"

namespace QGUI::platform::headless {

// Forgets every window (without sending messages), class, cursor, posted paint and input
// script, and sets the clock to 0, the double-click time to 500 ms, the border thickness to 3
// and the pointer to (0, 0) with nothing held. Tests call it in their fixture.
void reset();

// ---- windows -----------------------------------------------------------------------------

struct HostWindowParams {
  NativeWindow parent = nullptr;  // null: a top-level window
  const char* className = "HostWindow";
  WindowRect screenRect;  // outer rectangle in screen coordinates
  bool caption = false;   // has a title bar style
  // Offset of the client area inside the outer rectangle (border and title bar).
  std::int32_t clientLeft = 0, clientTop = 0;
};

// A window of the host; child windows are placed at the top-left of its client area.
NativeWindow createHostWindow(const HostWindowParams& params);
// Destroys a window as the window system does: the window itself and then its children, each
// getting the destroy message.
void destroyHostWindow(NativeWindow window);

// Windows stay known (and queries on them safe) until reset, also after being destroyed.
bool windowAlive(NativeWindow window);
std::string windowTitle(NativeWindow window);
// Children in creation order, destroyed ones left out.
std::vector<NativeWindow> childWindows(NativeWindow parent);
// The window behind a handle, as the window functions take it; null for handles the back end
// did not make.
Window* asWindow(NativeWindow window);

// How often registerWindowClass succeeded for the name, and whether it is registered now.
std::int32_t classRegistrations(const char* className);
bool classRegistered(const char* className);

// The client pixel of a window as 0xAARRGGBB (what has been copied onto it); 0 outside.
std::uint32_t windowPixel(NativeWindow window, std::int32_t x, std::int32_t y);
// Writes the window's client pixels as a PNG (for looking at failures); false on failure.
bool writeWindowPng(NativeWindow window, const std::string& path);

void setFixedFrameThickness(std::int32_t pixels);

// ---- input and clock ------------------------------------------------------------------------

// Pointer position in screen coordinates.
void setCursorPosition(std::int32_t x, std::int32_t y);
// Physical buttons and modifiers held, as the bits of input.h.
void setInputState(std::uint32_t bits);
void setButtonsSwapped(bool swapped);
void setDoubleClickTime(std::uint32_t milliseconds);
void setTickCount(std::uint32_t ticks);
void advanceTicks(std::uint32_t milliseconds);
// Totals of sleepMilliseconds since reset.
std::uint32_t sleptMilliseconds();
std::int32_t sleepCount();

// A scripted change that takes effect as soon as the clock reaches atTick (checked whenever
// the input or the clock is read and whenever time advances). Steps apply in tick order; steps
// of the same tick in the order they were scheduled.
struct InputStep {
  std::uint32_t atTick = 0;
  bool movesCursor = false;
  std::int32_t x = 0, y = 0;
  bool setsState = false;
  std::uint32_t state = 0;
};
void scheduleInput(const InputStep& step);
void scheduleCursor(std::uint32_t atTick, std::int32_t x, std::int32_t y);
void scheduleState(std::uint32_t atTick, std::uint32_t bits);
std::int32_t pendingInputSteps();

// Called each time asyncInputState is read, after due steps are applied, with the 0-based
// number of the read; lets a test script a drag pass by pass. Null removes it.
void setInputPollHook(std::function<void(std::int32_t pollIndex)> hook);
std::int32_t inputPollCount();
// A safety net against a test whose tracking loop never ends: after this many reads of the
// input state, every button reads as released (default 100000).
void setInputPollLimit(std::int32_t limit);
bool inputPollLimitReached();

// ---- messages ---------------------------------------------------------------------------------

// Queues a paint request for the window; dispatchOnePendingPaint takes the oldest. Requests
// for the same window are merged into one covering both rectangles, as the window system
// merges update regions.
void postPaint(NativeWindow window, const WindowRect& updateRect);
std::int32_t pendingPaints();
// Delivers every pending paint request; answers how many were delivered.
std::int32_t deliverPendingPaints();
// Delivers a paint message at once (client coordinates).
void paintNow(NativeWindow window, const WindowRect& updateRect);
// A button press at a client position (the input state is not changed).
void pressButton(NativeWindow window, std::int32_t x, std::int32_t y);
// A wheel turn at a screen position, in 1/120 notches (positive away from the user).
void turnWheel(NativeWindow window, std::int32_t screenX, std::int32_t screenY, std::int32_t delta);
// Messages the procedures left to default processing since reset, per kind.
std::int32_t defaultProcessed(WindowMessageKind kind);

// ---- cursors ----------------------------------------------------------------------------------

// The shape of the cursor shown now (arrow after reset).
SystemCursor currentCursorShape();
std::int32_t cursorChanges();

}  // namespace QGUI::platform::headless
