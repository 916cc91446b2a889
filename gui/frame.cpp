// CFrame: the root container with its platform window, back buffer, idle redraw, focus and
// modal view, input routing and the resizing of the host's windows.
#include "gui/frame.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/aeff_gui_editor.h"
#include "gui/bitmap.h"
#include "gui/constants.h"
#include "gui/draw_context.h"
#include "gui/offscreen_context.h"
#include "gui/platform/image.h"
#include "gui/platform/input.h"
#include "gui/platform/ole.h"
#include "shell/audio_effect_x.h"
#include "shell/module_instance.h"

namespace QGUI {

int32_t windowClassUseCount = 0;
char windowClassName[64] = "";
bool mouseButtonsSwapped = false;

namespace {

bool hasArea(const CRectangle& rect) {
  return rect.width() > 0 && rect.height() > 0;
}

int32_t rectWidth(const platform::WindowRect& rect) {
  return rect.right - rect.left;
}
int32_t rectHeight(const platform::WindowRect& rect) {
  return rect.bottom - rect.top;
}

void releaseWindowClass() {
  if (windowClassUseCount > 0 && --windowClassUseCount == 0)
    platform::unregisterWindowClass(windowClassName, gModuleInstance);
}

}  // namespace

// ---- construction
// ---------------------------------------------------------------------------------

CFrame::CFrame(const CRectangle& rect, platform::NativeWindow parent, AEffGUIEditor* owner)
    : CViewContainer(rect, nullptr, nullptr), editor(owner), parentWindow(parent) {
  parentFrame = this;
  platform::oleInitialize();

  gAlphaBlendFn = nullptr;
  gTransparentBltFn = nullptr;
  blendLibrary = platform::loadBlendLibrary();
  if (blendLibrary) {
    gAlphaBlendFn = platform::findAlphaBlend(blendLibrary);
    // Keyed copies only on the NT family.
    if (platform::queryOsVersion(gOsVersion) && gOsVersion.platformId > 1)
      gTransparentBltFn = platform::findTransparentBlt(blendLibrary);
  }

  createWindow(parent);
}

bool CFrame::createWindow(platform::NativeWindow parent) {
  if (!parent) return false;
  if (windowClassUseCount++ == 0) {
    std::snprintf(windowClassName, sizeof windowClassName, "Plugin%p", gModuleInstance);
    platform::registerWindowClass(windowClassName, &CFrame::frameWindowProc, gModuleInstance);
    mouseButtonsSwapped = platform::mouseButtonsSwapped();
  }
  frameWindow = platform::createChildWindow(windowClassName, "Window", parent, bounds.width(),
                                            bounds.height(), gModuleInstance);
  if (!frameWindow) {
    // No window: give the class use back so that the class is not left registered.
    releaseWindowClass();
    return false;
  }
  platform::setWindowUserData(frameWindow, this);
  setDropActive(true);
  return true;
}

CFrame::~CFrame() {
  if (modalView_) {
    CView* view = modalView_;
    modalView_ = nullptr;
    removeChild(view, false);
  }
  setCursor(kCursorDefault);
  setDropActive(false);
  if (frameContext) {
    frameContext->release();
    frameContext = nullptr;
  }
  platform::oleUninitialize();
  if (backBuffer_) {
    backBuffer_->release();
    backBuffer_ = nullptr;
  }
  if (blendLibrary) {
    platform::freeBlendLibrary(blendLibrary);
    blendLibrary = nullptr;
  }
  if (frameWindow) {
    platform::setWindowUserData(frameWindow, nullptr);
    platform::destroyWindow(frameWindow);
    frameWindow = nullptr;
    releaseWindowClass();
  }
  // The children go while the frame is still whole, so that anything they ask of it on the
  // way out reaches a frame and not a half-destroyed container.
  removeAllChildren(true);
}

// ---- window procedure
// -------------------------------------------------------------------------------

bool CFrame::frameWindowProc(platform::Window* window, const platform::WindowMessage& message) {
  auto* frame = static_cast<CFrame*>(platform::windowUserData(window));
  if (!frame) return false;
  switch (message.kind) {
    case platform::WindowMessageKind::paint: {
      const CRectangle update(message.updateRect.left, message.updateRect.top,
                              message.updateRect.right, message.updateRect.bottom);
      COffscreenContext* buffer = frame->backBuffer();
      buffer->retain();  // the frame may drop its back buffer while painting
      frame->paintArea(buffer, update);
      auto* context = new CDrawContext(frame, message.surface, window);
      buffer->copyOffscreenTo(context, update, update.topLeft());
      context->release();
      buffer->release();
      return true;
    }
    case platform::WindowMessageKind::buttonDown: {
      auto* context = new CDrawContext(frame, nullptr, window);
      frame->mouseDown(context, CPosition(message.where.x, message.where.y), -1);
      context->release();
      return true;
    }
    case platform::WindowMessageKind::wheel: {
      auto* context = new CDrawContext(frame, nullptr, window);
      const platform::WindowPoint where =
          platform::screenToClient(platform::nativeWindow(window), message.where);
      frame->handleWheel(context, CPosition(where.x, where.y),
                         static_cast<float>(message.wheelDelta) / 120.0f);
      context->release();
      return false;  // default processing passes the turn on to the parent as well
    }
    case platform::WindowMessageKind::destroy:
      frame->setOpenFlag(false);
      frame->parentWindow = nullptr;
      return false;
  }
  return false;
}

// ---- painting
// ---------------------------------------------------------------------------------------

CDrawContext* CFrame::newDrawContext() {
  if (frameContext) {
    frameContext->retain();
    return frameContext;
  }
  return new CDrawContext(this, nullptr, frameWindow);
}

COffscreenContext* CFrame::backBuffer() {
  if (!backBuffer_)
    backBuffer_ = new COffscreenContext(this, bounds.width(), bounds.height(), kBlackColor);
  return backBuffer_;
}

void CFrame::paint(CDrawContext* context) {
  firstDraw = false;
  CDrawContext* target = context ? context : frameContext;
  if (!target) return;
  CViewContainer::paint(target);
}

void CFrame::paintArea(CDrawContext* context, const CRectangle& updateRect) {
  firstDraw = false;
  CDrawContext* own = nullptr;
  if (!context) context = own = newDrawContext();
  CRectangle remembered;
  context->getClipRect(remembered);
  CRectangle clip = updateRect;
  clip.intersect(remembered);
  context->setClipRect(clip);
  if (hasArea(updateRect)) CViewContainer::paintArea(context, updateRect);
  context->setClipRect(remembered);
  if (own) own->release();
}

void CFrame::idle() {
  if (!openFlag_ || firstDraw || !isDirty()) return;
  CDrawContext* context = newDrawContext();
  refresh(context);
  context->release();
}

void CFrame::refresh(CDrawContext* context) {
  if (!openFlag_ || updatesDisabled_) return;
  COffscreenContext* buffer = backBuffer();
  buffer->retain();
  CDrawContext* savedFrameContext = frameContext;
  frameContext = buffer;

  if (dirty) {
    paint(buffer);
    setDirty(false);
  } else {
    CRectangle remembered;
    buffer->getClipRect(remembered);
    if (modalView_ && modalView_->isDirty()) modalView_->refresh(buffer);
    for (ChildLink* link = firstChild; link; link = link->next) {
      CView* child = link->view;
      CRectangle clip;
      child->getBounds(clip);
      clip.intersect(remembered);
      buffer->setClipRect(clip);
      child->refresh(buffer);
    }
    buffer->setClipRect(remembered);
  }

  if (context && context != buffer) buffer->copyOffscreenTo(context, bounds, CPosition(0, 0));
  frameContext = savedFrameContext;
  buffer->release();
}

void CFrame::paintView(CView* view) {
  CDrawContext* context = newDrawContext();
  if (view && hasChild(view))
    view->paint(context);
  else
    paint(context);
  context->release();
}

void CFrame::invalidate(const CRectangle& rect) {
  for (ChildLink* link = firstChild; link; link = link->next)
    if (link->view->overlaps(rect)) link->view->setDirty(true);
}

bool CFrame::updatesDisabled() const {
  return updatesDisabled_;
}

bool CFrame::setUpdatesDisabled(bool value) {
  const bool previous = updatesDisabled_;
  updatesDisabled_ = value;
  return previous;
}

// ---- input
// ------------------------------------------------------------------------------------------

void CFrame::mouseDown(CDrawContext* context, const CPosition& where, int32_t buttons) {
  if (!context) return;
  if (focusView_) setFocusView(nullptr);
  if (buttons == -1) buttons = context->queryMouseButtons();
  if (modalView_) {
    if (modalView_->hitsPoint(where, buttons)) modalView_->mouseDown(context, where, buttons);
    return;
  }
  CViewContainer::mouseDown(context, where, buttons);
}

int32_t CFrame::handleKeyDown(const VstKeyCode& keyCode) {
  if (focusView_) {
    const int32_t result = focusView_->handleKeyDown(keyCode);
    if (result != -1) return result;
  }
  if (modalView_) {
    const int32_t result = modalView_->handleKeyDown(keyCode);
    if (result != -1) return result;
  }
  if (keyCode.virt == VKEY_TAB)
    return moveFocus(focusView_, (keyCode.modifier & MODIFIER_SHIFT) != 0) ? 1 : -1;
  return -1;
}

int32_t CFrame::handleKeyUp(const VstKeyCode& keyCode) {
  if (focusView_) {
    const int32_t result = focusView_->handleKeyUp(keyCode);
    if (result != -1) return result;
  }
  if (modalView_) {
    const int32_t result = modalView_->handleKeyUp(keyCode);
    if (result != -1) return result;
  }
  return -1;
}

bool CFrame::handleWheel(CDrawContext* context, const CPosition& where, float distance) {
  return handleWheelOnAxis(context, where, kWheelAxisVertical, distance);
}

bool CFrame::handleWheelOnAxis(CDrawContext* context, const CPosition& where, WheelAxis axis,
                               float distance) {
  CView* target = modalView_ ? modalView_ : viewAtPoint(where, false);
  if (!target) return false;
  if (context) return target->handleWheelOnAxis(context, where, axis, distance);
  CDrawContext* own = newDrawContext();
  const bool result = target->handleWheelOnAxis(own, where, axis, distance);
  own->release();
  return result;
}

bool CFrame::mouseLocation(CPosition& where) {
  int32_t x = 0;
  int32_t y = 0;
  platform::cursorPosition(x, y);
  platform::WindowRect rect;
  if (frameWindow && platform::windowScreenRect(platform::nativeWindow(frameWindow), rect)) {
    x -= rect.left;
    y -= rect.top;
  }
  where = CPosition(x, y);
  return true;
}

CView* CFrame::childUnderMouse() {
  return modalView_ ? modalView_ : CViewContainer::childUnderMouse();
}

// ---- focus and modal view
// ---------------------------------------------------------------------------

void CFrame::setFocusView(CView* view) {
  CView* old = focusView_;
  focusView_ = view;
  if (view && view->acceptsFocus()) view->setDirty(true);
  if (old) {
    old->focusLost(nullptr);
    if (old->acceptsFocus()) old->setDirty(true);
  }
}

CView* CFrame::focusView() const {
  return focusView_;
}

bool CFrame::moveFocus(CView* from, bool backwards) {
  if (modalView_) return false;
  if (!from) from = focusView_;
  if (!from) return CViewContainer::moveFocus(nullptr, backwards);
  if (hasChild(from)) {
    if (CViewContainer::moveFocus(from, backwards)) return true;
    setFocusView(nullptr);
    return false;
  }
  CView* level = from;
  for (CView* parent = from->parentView; parent && parent->isKindOf("CViewContainer");
       parent = parent->parentView) {
    auto* container = static_cast<CViewContainer*>(parent);
    // The frame's own level is the container's walk, not this override again.
    const bool moved = container == this ? CViewContainer::moveFocus(level, backwards)
                                         : container->moveFocus(level, backwards);
    if (moved) return true;
    level = parent;
  }
  return CViewContainer::moveFocus(from, backwards);
}

bool CFrame::setModalView(CView* view) {
  if (view) {
    if (modalView_) return false;
    modalView_ = view;
    addChild(view);
    return true;
  }
  if (modalView_) {
    CView* old = modalView_;
    modalView_ = nullptr;
    removeChild(old, false);
  }
  return true;
}

CView* CFrame::modalView() const {
  return modalView_;
}

// ---- editor
// -------------------------------------------------------------------------------------------

AEffGUIEditor* CFrame::ownerEditor() const {
  return editor;
}

void CFrame::idleStep() {
  if (editor) editor->idleStep();
}

int32_t CFrame::ticks() {
  return editor ? static_cast<int32_t>(editor->ticks()) : 0;
}

int32_t CFrame::knobMode() const {
  return gKnobMode;
}

void CFrame::beginEdit(int32_t index) {
  if (editor) editor->beginEdit(index);
}

void CFrame::endEdit(int32_t index) {
  if (editor) editor->endEdit(index);
}

// ---- windows and geometry
// -------------------------------------------------------------------------------

bool CFrame::openWindow(const CPosition&) {
  return false;
}

bool CFrame::closeWindow() {
  return false;
}

bool CFrame::isOpen() const {
  return openFlag_;
}

void CFrame::setOpenFlag(bool value) {
  openFlag_ = value;
}

bool CFrame::openFlag() const {
  return openFlag_;
}

bool CFrame::isKindOf(const char* className) const {
  return (className && std::strcmp(className, "CFrame") == 0) ||
         CViewContainer::isKindOf(className);
}

bool CFrame::setPosition(int32_t, int32_t) {
  return false;
}

bool CFrame::getPosition(int32_t& x, int32_t& y) const {
  if (!openFlag_) return false;
  platform::NativeWindow outer = outerWindow();
  platform::WindowRect rect;
  if (!outer || !platform::windowScreenRect(outer, rect)) return false;
  const platform::WindowPoint topLeft =
      platform::screenToClient(platform::parentWindowOf(outer), {rect.left, rect.top});
  x = topLeft.x;
  y = topLeft.y;
  return true;
}

bool CFrame::hostWindowRect(CRectangle* rect) {
  if (!openFlag_ || !rect || !frameWindow) return false;
  platform::NativeWindow host = platform::parentWindowOf(platform::nativeWindow(frameWindow));
  platform::WindowRect screen;
  if (!host || !platform::windowScreenRect(host, screen)) return false;
  const platform::WindowPoint topLeft =
      platform::screenToClient(platform::parentWindowOf(host), {screen.left, screen.top});
  *rect = CRectangle(topLeft.x, topLeft.y, topLeft.x + rectWidth(screen),
                     topLeft.y + rectHeight(screen));
  return true;
}

bool CFrame::hostWindowRect(CRectangle& rect) {
  return hostWindowRect(&rect);
}

platform::NativeWindow CFrame::outerWindow() const {
  if (!frameWindow) return nullptr;
  platform::NativeWindow current = platform::nativeWindow(frameWindow);
  platform::WindowRect frameRect;
  platform::windowScreenRect(current, frameRect);
  for (;;) {
    if (platform::windowHasCaption(current)) return current;
    platform::NativeWindow parent = platform::parentWindowOf(current);
    if (!parent) return current;
    platform::WindowRect parentRect;
    platform::windowScreenRect(parent, parentRect);
    if (std::abs(rectWidth(parentRect) - rectWidth(frameRect)) > 60 ||
        std::abs(rectHeight(parentRect) - rectHeight(frameRect)) > 60)
      return current;
    current = parent;
  }
}

void CFrame::setBounds(const CRectangle& rect) {
  setSize(rect.width(), rect.height());
}

bool CFrame::setSize(int32_t width, int32_t height) {
  if (!openFlag_) return false;
  if (width == bounds.width() && height == bounds.height()) return false;
  if (backBuffer_) {
    backBuffer_->release();
    backBuffer_ = nullptr;
  }

  auto* effect = editor ? dynamic_cast<AudioEffectX*>(editor->getEffect()) : nullptr;
  if (effect && effect->hostCanDo("sizeWindow") && effect->hostSizeWindow(width, height)) {
    bounds.right = bounds.left + width;
    bounds.bottom = bounds.top + height;
    if (frameWindow) platform::resizeWindow(platform::nativeWindow(frameWindow), width, height);
    return true;
  }

  bounds.right = bounds.left + width;
  bounds.bottom = bounds.top + height;
  if (frameWindow) {
    const int32_t allowance = 2 * platform::fixedFrameThickness();
    int32_t extraWidth = 0;
    int32_t extraHeight = 0;
    platform::NativeWindow current = platform::nativeWindow(frameWindow);
    if (allowance != 0) {
      do {
        platform::NativeWindow parent = platform::parentWindowOf(current);
        if (!parent) break;
        char className[1024] = "";
        if (platform::windowClassName(parent, className, sizeof className) &&
            std::strcmp(className, "MDIClient") == 0)
          break;
        platform::WindowRect currentRect;
        platform::WindowRect parentRect;
        platform::windowScreenRect(current, currentRect);
        platform::windowScreenRect(parent, parentRect);
        platform::resizeWindow(current, width + extraWidth, height + extraHeight);
        extraWidth += rectWidth(parentRect) - rectWidth(currentRect);
        extraHeight += rectHeight(parentRect) - rectHeight(currentRect);
        // The parent is a window of the host that must not be resized.
        if (extraWidth > 80 || extraHeight > 80) return true;
        if (extraWidth < 0) extraWidth = 0;
        if (extraHeight < 0) extraHeight = 0;
        current = parent;
      } while (extraWidth != allowance);
    }
    platform::resizeWindow(current, width + extraWidth, height + extraHeight);
  }
  CViewContainer::setBounds(CRectangle(0, 0, width, height));
  return true;
}

// ---- cursor and drag and drop
// -----------------------------------------------------------------------

void CFrame::setCursor(CursorKind kind) {
  if (!defaultCursor) defaultCursor = platform::currentCursor();
  platform::Cursor* cursor = defaultCursor;
  switch (kind) {
    case kCursorWait:
      cursor = platform::loadSystemCursor(platform::SystemCursor::wait);
      break;
    case kCursorHSize:
      cursor = platform::loadSystemCursor(platform::SystemCursor::sizeWE);
      break;
    case kCursorVSize:
      cursor = platform::loadSystemCursor(platform::SystemCursor::sizeNS);
      break;
    case kCursorSizeAll:
      cursor = platform::loadSystemCursor(platform::SystemCursor::sizeAll);
      break;
    case kCursorNESWSize:
      cursor = platform::loadSystemCursor(platform::SystemCursor::sizeNESW);
      break;
    case kCursorNWSESize:
      cursor = platform::loadSystemCursor(platform::SystemCursor::sizeNWSE);
      break;
    case kCursorNotAllowed:
      cursor = platform::loadSystemCursor(platform::SystemCursor::no);
      break;
    case kCursorHand:
      cursor = platform::loadSystemCursor(platform::SystemCursor::hand);
      break;
    default:
      break;  // default, copy and unknown kinds
  }
  if (cursor) platform::setCursor(cursor);
}

bool CFrame::setDropActive(bool active) {
  if (!dropActive && !active) return true;
  // No drop target is registered yet: the frame answers as one without a window.
  return false;
}

bool CFrame::isDropActive() const {
  return dropActive;
}

}  // namespace QGUI
