// Headless windows: in-memory windows with parents, screen rectangles, class names, captions and
// client pixels, window classes with procedures, a queue of paint requests and the shared
// cursors. Window objects stay allocated until reset, so that handles of destroyed windows can
// still be asked about (and answer as dead windows do).
#include "gui/platform/window.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gui/platform/cairo/cairo_backend.h"
#include "gui/platform/draw_surface.h"
#include "gui/platform/headless/headless.h"
#include "gui/platform/headless/headless_state.h"
#include "gui/platform/image.h"

namespace QGUI::platform {

struct Window {
  std::string className;
  std::string title;
  Window* parent = nullptr;
  std::vector<Window*> children;
  WindowRect screenRect;
  bool caption = false;
  std::int32_t clientLeft = 0;
  std::int32_t clientTop = 0;
  bool alive = true;
  WindowProc proc = nullptr;
  void* userData = nullptr;
  Image* pixels = nullptr;      // the client area of a toolkit window; null for host windows
  std::vector<Image*> retired;  // earlier pixels, kept while surfaces may still point there
};

struct Cursor {
  SystemCursor shape;
};

namespace {

struct WindowClass {
  WindowProc proc = nullptr;
  bool registered = false;
  std::int32_t registrations = 0;
};

struct PendingPaint {
  Window* window;
  WindowRect rect;
};

struct State {
  std::vector<std::unique_ptr<Window>> windows;
  std::set<const void*> known;
  std::map<std::string, WindowClass> classes;
  std::deque<PendingPaint> paints;
  std::array<std::int32_t, 4> defaulted{};
  std::int32_t fixedFrame = 3;
  Cursor* cursor = nullptr;
  std::int32_t cursorChanges = 0;
};

std::array<Cursor, 9>& cursors();

State& state() {
  static State s = [] {
    State initial;
    initial.cursor = &cursors()[0];
    return initial;
  }();
  return s;
}

std::array<Cursor, 9>& cursors() {
  static std::array<Cursor, 9> all{{{SystemCursor::arrow},
                                    {SystemCursor::wait},
                                    {SystemCursor::sizeWE},
                                    {SystemCursor::sizeNS},
                                    {SystemCursor::sizeAll},
                                    {SystemCursor::sizeNESW},
                                    {SystemCursor::sizeNWSE},
                                    {SystemCursor::no},
                                    {SystemCursor::hand}}};
  return all;
}

Cursor* arrowCursor() {
  return &cursors()[0];
}

// The window behind a handle; null for null, unknown or destroyed handles.
Window* live(const void* handle) {
  if (!handle || !state().known.count(handle)) return nullptr;
  auto* window = static_cast<Window*>(const_cast<void*>(handle));
  return window->alive ? window : nullptr;
}

// Any window the back end made, dead or alive.
Window* known(const void* handle) {
  if (!handle || !state().known.count(handle)) return nullptr;
  return static_cast<Window*>(const_cast<void*>(handle));
}

std::int32_t width(const WindowRect& r) {
  return r.right - r.left;
}
std::int32_t height(const WindowRect& r) {
  return r.bottom - r.top;
}

WindowPoint clientOrigin(const Window* window) {
  return {window->screenRect.left + window->clientLeft, window->screenRect.top + window->clientTop};
}

void allocatePixels(Window* window) {
  const std::int32_t w = std::max(0, width(window->screenRect) - window->clientLeft);
  const std::int32_t h = std::max(0, height(window->screenRect) - window->clientTop);
  if (window->pixels) window->retired.push_back(window->pixels);
  window->pixels = createCompatibleImage(nullptr, w, h);
}

Window* makeWindow() {
  auto owned = std::make_unique<Window>();
  Window* window = owned.get();
  state().windows.push_back(std::move(owned));
  state().known.insert(window);
  return window;
}

void linkToParent(Window* window, Window* parent) {
  window->parent = parent;
  if (parent) parent->children.push_back(window);
}

std::size_t kindIndex(WindowMessageKind kind) {
  return static_cast<std::size_t>(kind);
}

void deliver(Window* window, const WindowMessage& message) {
  const bool handled = window->alive && window->proc && window->proc(window, message);
  if (!handled) ++state().defaulted[kindIndex(message.kind)];
}

bool sameRect(const WindowRect& a, const WindowRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

WindowRect unite(const WindowRect& a, const WindowRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool isEmpty(const WindowRect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// A surface drawing on the window's pixels. Window surfaces share the image instead of
// selecting it, so that several can be out at once, as device contexts of one window can.
Surface* makeWindowSurface(Window* window) {
  Surface* surface = createMemorySurface(nullptr);
  if (surface) surface->image = window->pixels;
  return surface;
}

void dropWindowSurface(Surface* surface) {
  if (!surface) return;
  surface->image = nullptr;  // not selected: nothing to hand back
  deleteMemorySurface(surface);
}

void paint(Window* window, const WindowRect& update) {
  if (!window->alive) return;
  if (isEmpty(update)) {
    // No update region: nothing to paint, default processing.
    ++state().defaulted[kindIndex(WindowMessageKind::paint)];
    return;
  }
  Surface* surface = makeWindowSurface(window);
  setClip(surface, CRectangle(update.left, update.top, update.right, update.bottom));
  WindowMessage message;
  message.kind = WindowMessageKind::paint;
  message.surface = surface;
  message.updateRect = update;
  deliver(window, message);
  dropWindowSurface(surface);
}

void destroy(Window* window) {
  if (!window->alive) return;
  WindowMessage message;
  message.kind = WindowMessageKind::destroy;
  deliver(window, message);
  window->alive = false;
  // The children go after their parent was told, as the window system does it.
  const std::vector<Window*> children = window->children;
  for (Window* child : children) destroy(child);
  if (window->parent) {
    auto& siblings = window->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  }
  auto& paints = state().paints;
  paints.erase(std::remove_if(paints.begin(), paints.end(),
                              [window](const PendingPaint& p) { return p.window == window; }),
               paints.end());
}

}  // namespace

// ---- window.h ---------------------------------------------------------------------------------

bool registerWindowClass(const char* className, WindowProc proc, ModuleHandle) {
  if (!className || !proc) return false;
  WindowClass& entry = state().classes[className];
  if (entry.registered) return false;
  entry.proc = proc;
  entry.registered = true;
  ++entry.registrations;
  return true;
}

void unregisterWindowClass(const char* className, ModuleHandle) {
  if (!className) return;
  auto found = state().classes.find(className);
  if (found != state().classes.end()) found->second.registered = false;
}

Window* createChildWindow(const char* className, const char* title, NativeWindow parentHandle,
                          std::int32_t w, std::int32_t h, ModuleHandle) {
  Window* parent = live(parentHandle);
  if (!parent || !className) return nullptr;
  auto found = state().classes.find(className);
  if (found == state().classes.end() || !found->second.registered) return nullptr;
  Window* window = makeWindow();
  window->className = className;
  window->title = title ? title : "";
  window->proc = found->second.proc;
  const WindowPoint origin = clientOrigin(parent);
  window->screenRect = {origin.x, origin.y, origin.x + std::max(0, w), origin.y + std::max(0, h)};
  linkToParent(window, parent);
  allocatePixels(window);
  return window;
}

void destroyWindow(Window* window) {
  if (Window* target = live(window)) destroy(target);
}

void setWindowUserData(Window* window, void* data) {
  if (Window* target = known(window)) target->userData = data;
}

void* windowUserData(Window* window) {
  Window* target = known(window);
  return target ? target->userData : nullptr;
}

NativeWindow nativeWindow(Window* window) {
  return window;
}

NativeWindow parentWindowOf(NativeWindow handle) {
  Window* window = live(handle);
  return window && window->parent && window->parent->alive ? window->parent : nullptr;
}

bool windowClassName(NativeWindow handle, char* buffer, std::int32_t capacity) {
  Window* window = live(handle);
  if (!window || !buffer || capacity < 1) return false;
  const std::size_t length =
      std::min(window->className.size(), static_cast<std::size_t>(capacity - 1));
  std::memcpy(buffer, window->className.data(), length);
  buffer[length] = '\0';
  return true;
}

bool windowHasCaption(NativeWindow handle) {
  Window* window = live(handle);
  return window && window->caption;
}

bool windowScreenRect(NativeWindow handle, WindowRect& rect) {
  Window* window = live(handle);
  if (!window) return false;
  rect = window->screenRect;
  return true;
}

WindowPoint screenToClient(NativeWindow handle, WindowPoint point) {
  Window* window = live(handle);
  if (!window) return point;
  const WindowPoint origin = clientOrigin(window);
  return {point.x - origin.x, point.y - origin.y};
}

bool resizeWindow(NativeWindow handle, std::int32_t w, std::int32_t h) {
  Window* window = live(handle);
  if (!window) return false;
  const WindowRect old = window->screenRect;
  window->screenRect.right = old.left + std::max(0, w);
  window->screenRect.bottom = old.top + std::max(0, h);
  if (window->pixels && !sameRect(old, window->screenRect)) allocatePixels(window);
  return true;
}

std::int32_t fixedFrameThickness() {
  return state().fixedFrame;
}

Surface* acquireWindowSurface(Window* window) {
  Window* target = live(window);
  return target ? makeWindowSurface(target) : nullptr;
}

void releaseWindowSurface(Window*, Surface* surface) {
  dropWindowSurface(surface);
}

WindowPoint windowScreenOrigin(Window* window) {
  Window* target = live(window);
  return target ? clientOrigin(target) : WindowPoint{};
}

Cursor* loadSystemCursor(SystemCursor shape) {
  for (Cursor& cursor : cursors())
    if (cursor.shape == shape) return &cursor;
  return arrowCursor();
}

Cursor* currentCursor() {
  return state().cursor;
}

void setCursor(Cursor* cursor) {
  state().cursor = cursor;
  ++state().cursorChanges;
}

// ---- the back end's shared parts
// -----------------------------------------------------------------

namespace headless_detail {

void resetWindows() {
  State& s = state();
  for (auto& window : s.windows) {
    deleteImage(window->pixels);
    for (Image* image : window->retired) deleteImage(image);
  }
  s = State{};
  s.cursor = arrowCursor();
}

bool dispatchOnePaint() {
  auto& paints = state().paints;
  if (paints.empty()) return false;
  const PendingPaint next = paints.front();
  paints.pop_front();
  paint(next.window, next.rect);
  return true;
}

}  // namespace headless_detail

// ---- scripting --------------------------------------------------------------------------------

namespace headless {

NativeWindow createHostWindow(const HostWindowParams& params) {
  Window* parent = params.parent ? live(params.parent) : nullptr;
  Window* window = makeWindow();
  window->className = params.className ? params.className : "";
  window->screenRect = params.screenRect;
  window->caption = params.caption;
  window->clientLeft = params.clientLeft;
  window->clientTop = params.clientTop;
  linkToParent(window, parent);
  return window;
}

void destroyHostWindow(NativeWindow window) {
  if (Window* target = live(window)) destroy(target);
}

bool windowAlive(NativeWindow window) {
  return live(window) != nullptr;
}

std::string windowTitle(NativeWindow window) {
  Window* target = known(window);
  return target ? target->title : std::string();
}

std::vector<NativeWindow> childWindows(NativeWindow parent) {
  std::vector<NativeWindow> result;
  if (Window* target = known(parent))
    for (Window* child : target->children)
      if (child->alive) result.push_back(child);
  return result;
}

Window* asWindow(NativeWindow window) {
  return known(window);
}

std::int32_t classRegistrations(const char* className) {
  if (!className) return 0;
  auto found = state().classes.find(className);
  return found == state().classes.end() ? 0 : found->second.registrations;
}

bool classRegistered(const char* className) {
  if (!className) return false;
  auto found = state().classes.find(className);
  return found != state().classes.end() && found->second.registered;
}

std::uint32_t windowPixel(NativeWindow window, std::int32_t x, std::int32_t y) {
  Window* target = known(window);
  if (!target || !target->pixels || !target->pixels->surface) return 0;
  cairo_surface_t* surface = target->pixels->surface;
  if (x < 0 || y < 0 || x >= target->pixels->width || y >= target->pixels->height) return 0;
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, data + y * stride + x * 4, sizeof pixel);
  if (cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24) pixel |= 0xff000000u;
  return pixel;
}

bool writeWindowPng(NativeWindow window, const std::string& path) {
  Window* target = known(window);
  if (!target || !target->pixels || !target->pixels->surface) return false;
  return cairo_surface_write_to_png(target->pixels->surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void setFixedFrameThickness(std::int32_t pixels) {
  state().fixedFrame = pixels;
}

void postPaint(NativeWindow window, const WindowRect& updateRect) {
  Window* target = live(window);
  if (!target) return;
  for (PendingPaint& pending : state().paints) {
    if (pending.window != target) continue;
    pending.rect = isEmpty(pending.rect) ? updateRect : unite(pending.rect, updateRect);
    return;
  }
  state().paints.push_back({target, updateRect});
}

std::int32_t pendingPaints() {
  return static_cast<std::int32_t>(state().paints.size());
}

std::int32_t deliverPendingPaints() {
  std::int32_t delivered = 0;
  while (headless_detail::dispatchOnePaint()) ++delivered;
  return delivered;
}

void paintNow(NativeWindow window, const WindowRect& updateRect) {
  if (Window* target = live(window)) paint(target, updateRect);
}

void pressButton(NativeWindow window, std::int32_t x, std::int32_t y) {
  Window* target = live(window);
  if (!target) return;
  WindowMessage message;
  message.kind = WindowMessageKind::buttonDown;
  message.where = {x, y};
  deliver(target, message);
}

void turnWheel(NativeWindow window, std::int32_t screenX, std::int32_t screenY,
               std::int32_t delta) {
  Window* target = live(window);
  if (!target) return;
  WindowMessage message;
  message.kind = WindowMessageKind::wheel;
  message.where = {screenX, screenY};
  message.wheelDelta = delta;
  deliver(target, message);
}

std::int32_t defaultProcessed(WindowMessageKind kind) {
  return state().defaulted[kindIndex(kind)];
}

SystemCursor currentCursorShape() {
  Cursor* cursor = state().cursor;
  return cursor ? cursor->shape : SystemCursor::arrow;
}

std::int32_t cursorChanges() {
  return state().cursorChanges;
}

}  // namespace headless

}  // namespace QGUI::platform
