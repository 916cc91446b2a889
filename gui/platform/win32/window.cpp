// Win32 windows, as far as this back end goes for now. The queries and changes of existing
// windows (parent chain, class names, caption style, rectangles, resizing, user data, drawing
// surfaces, cursors) are real USER32 calls. The frame's own window class, window and message
// translation come with the win32 editor window: until then registerWindowClass answers false and
// createChildWindow makes no window and answers null, so a frame on this back end behaves as
// one without a window.
#include "gui/platform/window.h"

#include <windows.h>

namespace QGUI::platform {

namespace {

HWND asHwnd(NativeWindow window) {
  return static_cast<HWND>(window);
}
HWND asHwnd(Window* window) {
  return reinterpret_cast<HWND>(window);
}

}  // namespace

bool registerWindowClass(const char*, WindowProc, ModuleHandle) {
  return false;
}

void unregisterWindowClass(const char*, ModuleHandle) {}

Window* createChildWindow(const char*, const char*, NativeWindow, std::int32_t, std::int32_t,
                          ModuleHandle) {
  return nullptr;
}

void destroyWindow(Window* window) {
  if (window) DestroyWindow(asHwnd(window));
}

void setWindowUserData(Window* window, void* data) {
  if (window) SetWindowLongPtrA(asHwnd(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

void* windowUserData(Window* window) {
  return window ? reinterpret_cast<void*>(GetWindowLongPtrA(asHwnd(window), GWLP_USERDATA))
                : nullptr;
}

NativeWindow nativeWindow(Window* window) {
  return asHwnd(window);
}

NativeWindow parentWindowOf(NativeWindow window) {
  return window ? static_cast<NativeWindow>(GetParent(asHwnd(window))) : nullptr;
}

bool windowClassName(NativeWindow window, char* buffer, std::int32_t capacity) {
  if (!window || !buffer || capacity < 1) return false;
  buffer[0] = '\0';
  return GetClassNameA(asHwnd(window), buffer, capacity) > 0;
}

bool windowHasCaption(NativeWindow window) {
  if (!window) return false;
  const LONG style = GetWindowLongA(asHwnd(window), GWL_STYLE);
  return (style & WS_CAPTION) == WS_CAPTION;
}

bool windowScreenRect(NativeWindow window, WindowRect& rect) {
  RECT r;
  if (!window || !GetWindowRect(asHwnd(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

WindowPoint screenToClient(NativeWindow window, WindowPoint point) {
  if (!window) return point;
  POINT p{point.x, point.y};
  MapWindowPoints(nullptr, asHwnd(window), &p, 1);
  return {p.x, p.y};
}

bool resizeWindow(NativeWindow window, std::int32_t width, std::int32_t height) {
  if (!window) return false;
  return SetWindowPos(asHwnd(window), nullptr, 0, 0, width, height,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

std::int32_t fixedFrameThickness() {
  return GetSystemMetrics(SM_CYFIXEDFRAME);
}

// Surfaces are device contexts here.
Surface* acquireWindowSurface(Window* window) {
  return window ? reinterpret_cast<Surface*>(GetDC(asHwnd(window))) : nullptr;
}

void releaseWindowSurface(Window* window, Surface* surface) {
  if (window && surface) ReleaseDC(asHwnd(window), reinterpret_cast<HDC>(surface));
}

WindowPoint windowScreenOrigin(Window* window) {
  POINT p{0, 0};
  if (window) ClientToScreen(asHwnd(window), &p);
  return {p.x, p.y};
}

Cursor* loadSystemCursor(SystemCursor shape) {
  LPCSTR id = IDC_ARROW;
  switch (shape) {
    case SystemCursor::arrow:
      id = IDC_ARROW;
      break;
    case SystemCursor::wait:
      id = IDC_WAIT;
      break;
    case SystemCursor::sizeWE:
      id = IDC_SIZEWE;
      break;
    case SystemCursor::sizeNS:
      id = IDC_SIZENS;
      break;
    case SystemCursor::sizeAll:
      id = IDC_SIZEALL;
      break;
    case SystemCursor::sizeNESW:
      id = IDC_SIZENESW;
      break;
    case SystemCursor::sizeNWSE:
      id = IDC_SIZENWSE;
      break;
    case SystemCursor::no:
      id = IDC_NO;
      break;
    case SystemCursor::hand:
      id = IDC_HAND;
      break;
  }
  return reinterpret_cast<Cursor*>(LoadCursorA(nullptr, id));
}

Cursor* currentCursor() {
  return reinterpret_cast<Cursor*>(GetCursor());
}

void setCursor(Cursor* cursor) {
  SetCursor(reinterpret_cast<HCURSOR>(cursor));
}

}  // namespace QGUI::platform
