// The window side of the operating-system layer, as far as the frame needs it: a window class
// with a procedure, one visible child window inside a host window, the messages the frame
// reacts to (paint requests with an update rectangle, button presses, wheel turns, destruction),
// the chain of parent windows with their rectangles, class names and caption style for
// resizing, a drawing surface on a window outside painting, and the shared system cursors.
// User-interface thread only.
#pragma once

#include <cstdint>

#include "gui/platform/platform_types.h"

namespace QGUI::platform {

struct Cursor;  // a shared system cursor; never destroyed by its users

// Rectangles and points of this layer, in pixels; right and bottom excluded.
struct WindowRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct WindowPoint {
  std::int32_t x = 0, y = 0;
};

enum class WindowMessageKind {
  paint,       // surface and updateRect are set; the surface is valid during the call only
  buttonDown,  // left, right or middle button pressed; where in client coordinates
  wheel,       // where in screen coordinates, wheelDelta in 1/120 notches (positive away)
  destroy,     // the window is being destroyed (by its owner or with its parent)
};

struct WindowMessage {
  WindowMessageKind kind = WindowMessageKind::paint;
  Surface* surface = nullptr;
  WindowRect updateRect;
  WindowPoint where;
  std::int32_t wheelDelta = 0;
};

// A class's window procedure. Answers true when the message is fully handled; false asks the
// back end for its default processing (for a wheel turn: passing it on to the parent window).
using WindowProc = bool (*)(Window* window, const WindowMessage& message);

// Registers a class of child windows whose messages go to proc. False when the class cannot
// be registered. module: the library that owns the class.
bool registerWindowClass(const char* className, WindowProc proc, ModuleHandle module);
void unregisterWindowClass(const char* className, ModuleHandle module);

// A visible child window of parent at (0, 0) of its client area, of the given size in pixels.
// Null when parent is null or no window can be made.
Window* createChildWindow(const char* className, const char* title, NativeWindow parent,
                          std::int32_t width, std::int32_t height, ModuleHandle module);
// Destroys the window; its procedure gets the destroy message first.
void destroyWindow(Window* window);

// One pointer kept with the window for its procedure; null until set.
void setWindowUserData(Window* window, void* data);
void* windowUserData(Window* window);

// The handle under which the window is known in the parent chain (and to hosts).
NativeWindow nativeWindow(Window* window);

// The parent chain. Every query on a null window answers null, false or an empty value.
NativeWindow parentWindowOf(NativeWindow window);
// Copies the class name, zero-terminated and cut to capacity; false when there is none.
bool windowClassName(NativeWindow window, char* buffer, std::int32_t capacity);
// The window has a caption (title bar) style.
bool windowHasCaption(NativeWindow window);
// The window's outer rectangle in screen coordinates.
bool windowScreenRect(NativeWindow window, WindowRect& rect);
// Converts a screen point into window's client coordinates; unchanged for a null window.
WindowPoint screenToClient(NativeWindow window, WindowPoint point);
// Resizes the window's outer rectangle to width x height without moving it.
bool resizeWindow(NativeWindow window, std::int32_t width, std::int32_t height);
// Thickness in pixels of a fixed (non-resizable) window border.
std::int32_t fixedFrameThickness();

// The drawing surface of a window's client area outside painting, with fresh state (stock
// objects, no clip, copy mode); give it back with releaseWindowSurface. Null without a window.
// Several surfaces of one window may be out at the same time.
Surface* acquireWindowSurface(Window* window);
void releaseWindowSurface(Window* window, Surface* surface);
// The screen position of the window's client top-left corner; (0, 0) without a window.
WindowPoint windowScreenOrigin(Window* window);

// The shapes the frame shows.
enum class SystemCursor { arrow, wait, sizeWE, sizeNS, sizeAll, sizeNESW, sizeNWSE, no, hand };
Cursor* loadSystemCursor(SystemCursor shape);
// The cursor shown now; may be null.
Cursor* currentCursor();
void setCursor(Cursor* cursor);

}  // namespace QGUI::platform
