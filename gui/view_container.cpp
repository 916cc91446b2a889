// CViewContainer: the child list, routing of input to children, dirty tracking that looks down
// the tree, and painting (whole or by update rectangle, directly or through an offscreen
// context).
#include "gui/view_container.h"

#include <cstring>

#include "gui/bitmap.h"
#include "gui/constants.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"

namespace QGUI {

namespace {

// Mouse areas and lookups include all four edges.
bool holdsInclusive(const CRectangle& area, const CPosition& where) {
  return where.x >= area.left && where.x <= area.right && where.y >= area.top &&
         where.y <= area.bottom;
}

bool hasArea(const CRectangle& rect) {
  return rect.width() > 0 && rect.height() > 0;
}

// Moves a context's drawing and screen offsets by delta for the life of the object.
class OffsetShift {
 public:
  OffsetShift(CDrawContext* context, const CPosition& delta) : context_(context) {
    if (!context_) return;
    savedOffset_ = context_->offset;
    savedScreenOffset_ = context_->screenOffset;
    context_->offset += delta;
    context_->screenOffset += delta;
  }
  ~OffsetShift() { restore(); }
  void restore() {
    if (!context_) return;
    context_->offset = savedOffset_;
    context_->screenOffset = savedScreenOffset_;
    context_ = nullptr;
  }
  OffsetShift(const OffsetShift&) = delete;
  OffsetShift& operator=(const OffsetShift&) = delete;

 private:
  CDrawContext* context_;
  CPosition savedOffset_;
  CPosition savedScreenOffset_;
};

}  // namespace

CViewContainer::CViewContainer(const CRectangle& rect, CFrame* frame, CBitmap* bitmap)
    : CView(rect), backgroundColor_(kBlackColor) {
  parentFrame = frame;
  setBackgroundBitmap(bitmap);
}

CViewContainer::~CViewContainer() {
  removeAllChildren(true);
  releaseOffscreen();
}

CRectangle CViewContainer::innerRect() const {
  return CRectangle(0, 0, bounds.width(), bounds.height());
}

bool CViewContainer::ensureOffscreen() {
  if (!drawOffscreen || offscreen) return false;
  offscreen = new COffscreenContext(parentFrame, bounds.width(), bounds.height(), kBlackColor);
  return true;
}

void CViewContainer::releaseOffscreen() {
  if (offscreen) {
    offscreen->release();
    offscreen = nullptr;
  }
}

// ---- child list ---------------------------------------------------------------------------------

void CViewContainer::addChild(CView* view) {
  if (!view) return;
  view->retain();
  auto* link = new ChildLink{view, nullptr, lastChild};
  view->parentFrame = parentFrame;
  view->parentView = this;
  if (lastChild)
    lastChild->next = link;
  else
    firstChild = link;
  lastChild = link;
  view->onAttach(this);
  view->setDirty(true);
}

void CViewContainer::addChildWithArea(CView* view, const CRectangle& area, bool enabled) {
  if (!view) return;
  view->enableMouse(enabled);
  view->setMouseArea(area);
  addChild(view);
}

void CViewContainer::unlink(ChildLink* link) {
  if (link->previous)
    link->previous->next = link->next;
  else
    firstChild = link->next;
  if (link->next)
    link->next->previous = link->previous;
  else
    lastChild = link->previous;
  CView* view = link->view;
  delete link;
  view->release();
}

// The creator's reference is given back only while the view holds more references than it
// has links: a view added twice, or one whose creator already let go, would otherwise be
// released once too often and used after it was deleted.
void CViewContainer::releaseOwnerReference(CView* view) {
  int32_t links = 0;
  for (ChildLink* link = firstChild; link; link = link->next)
    if (link->view == view) ++links;
  if (view->getNbReference() > links) view->release();
}

void CViewContainer::removeChild(CView* view, bool releaseOwner) {
  if (parentFrame && view && parentFrame->focusView() == view) parentFrame->setFocusView(nullptr);
  for (ChildLink* link = firstChild; link; link = link->next) {
    if (link->view != view) continue;
    view->onDetach(this);
    if (releaseOwner) releaseOwnerReference(view);
    unlink(link);
    return;
  }
}

void CViewContainer::removeAllChildren(bool releaseOwner) {
  while (ChildLink* link = firstChild) {
    CView* view = link->view;
    view->onDetach(this);
    if (releaseOwner) releaseOwnerReference(view);
    unlink(link);
  }
}

bool CViewContainer::hasChild(CView* view) const {
  if (!view) return false;
  for (ChildLink* link = firstChild; link; link = link->next)
    if (link->view == view) return true;
  return false;
}

int32_t CViewContainer::childCount() const {
  int32_t count = 0;
  for (ChildLink* link = firstChild; link; link = link->next) ++count;
  return count;
}

CView* CViewContainer::childAtIndex(int32_t index) const {
  if (index < 0) return nullptr;
  for (ChildLink* link = firstChild; link; link = link->next, --index)
    if (index == 0) return link->view;
  return nullptr;
}

// ---- background and modes -----------------------------------------------------------------------

void CViewContainer::setBackgroundColor(const CRgbaColor& color) {
  backgroundColor_ = color;
  setDirty(true);
}

CRgbaColor CViewContainer::backgroundColor() const {
  return backgroundColor_;
}

void CViewContainer::setBackgroundOffset(const CPosition& offset) {
  backgroundOffset_ = offset;
}

CPosition CViewContainer::backgroundOffset() const {
  return backgroundOffset_;
}

void CViewContainer::setUpdateMode(int32_t mode) {
  updateMode = mode;
}

int32_t CViewContainer::getUpdateMode() const {
  return updateMode;
}

void CViewContainer::setDrawOffscreen(bool value) {
  drawOffscreen = value;
  if (!value) releaseOffscreen();
}

void CViewContainer::paintBackground(CDrawContext* context, const CRectangle& rect) {
  if (!context) return;
  if (background) {
    CRectangle oldClip;
    context->getClipRect(oldClip);
    CRectangle clip = rect;
    clip.intersect(oldClip);
    context->setClipRect(clip);
    const CRectangle whole(0, 0, background->width, background->height);
    if (transparent)
      background->drawKeyed(context, whole, backgroundOffset_);
    else
      background->drawPlain(context, whole, backgroundOffset_);
    context->setClipRect(oldClip);
  } else if (!transparent) {
    context->setBrushColor(backgroundColor_);
    context->fillRectangle(rect);
  }
}

// ---- painting -----------------------------------------------------------------------------------

void CViewContainer::paint(CDrawContext* context) {
  if (!context) return;
  ensureOffscreen();
  if (offscreen && transparent) offscreen->copyIntoOffscreen(context, bounds, CPosition(0, 0));

  const bool viaOffscreen = drawOffscreen && offscreen;
  CDrawContext* target = viaOffscreen ? offscreen : context;
  OffsetShift shift(viaOffscreen ? nullptr : context, bounds.topLeft());

  const CRectangle inner = innerRect();
  CRectangle oldClip;
  context->getClipRect(oldClip);
  const CRectangle keptClip = oldClip;
  // The offscreen surface has the container's corner at (0, 0): the clip goes there too.
  if (viaOffscreen) oldClip.offset(-bounds.left, -bounds.top);

  CRectangle clip = inner;
  clip.intersect(oldClip);
  target->setClipRect(clip);

  if (background) {
    if (transparent)
      background->drawKeyed(target, inner, backgroundOffset_);
    else
      background->drawPlain(target, inner, backgroundOffset_);
  } else if (!transparent) {
    target->setBrushColor(backgroundColor_);
    target->fillRectangle(inner);
  }

  for (ChildLink* link = firstChild; link; link = link->next) {
    CView* child = link->view;
    CRectangle childClip;
    child->getBounds(childClip);
    childClip.intersect(oldClip);
    target->setClipRect(childClip);
    child->paint(target);
  }

  target->setClipRect(keptClip);
  if (viaOffscreen)
    offscreen->copyOffscreenTo(context, bounds, CPosition(0, 0));
  else
    shift.restore();
  setDirty(false);
}

void CViewContainer::paintArea(CDrawContext* context, const CRectangle& updateRect) {
  if (!context) return;
  ensureOffscreen();
  if (offscreen && transparent) offscreen->copyIntoOffscreen(context, bounds, CPosition(0, 0));

  const bool viaOffscreen = drawOffscreen && offscreen;
  CDrawContext* target = viaOffscreen ? offscreen : context;
  OffsetShift shift(viaOffscreen ? nullptr : context, bounds.topLeft());

  CRectangle cut = updateRect;
  cut.intersect(bounds);
  CRectangle innerUpdate = cut;
  innerUpdate.offset(-bounds.left, -bounds.top);

  CRectangle oldClip;
  context->getClipRect(oldClip);
  const CRectangle keptClip = oldClip;
  // The offscreen surface has the container's corner at (0, 0): the clip goes there too.
  if (viaOffscreen) oldClip.offset(-bounds.left, -bounds.top);

  CRectangle newClip = innerUpdate;
  newClip.intersect(oldClip);
  target->setClipRect(newClip);

  paintBackground(target, innerUpdate);

  const bool keepsChildrenClean = isKindOf("CScrollContainer");
  for (ChildLink* link = firstChild; link; link = link->next) {
    CView* child = link->view;
    if (!child->overlaps(innerUpdate)) continue;
    CRectangle childBounds;
    child->getBounds(childBounds);
    CRectangle visible = childBounds;
    visible.intersect(newClip);
    if (visible.width() == 0 || visible.height() == 0) continue;
    target->setClipRect(visible);
    const bool wasDirty = child->isDirty();
    child->paintArea(target, innerUpdate);
    // A child drawn only in part stays dirty so that the rest is drawn later.
    if (wasDirty && !(visible == childBounds) && !keepsChildrenClean) child->setDirty(true);
  }

  target->setClipRect(keptClip);
  if (viaOffscreen)
    offscreen->copyOffscreenTo(context, cut, innerUpdate.topLeft());
  else
    shift.restore();
  setDirty(false);
}

void CViewContainer::repaintArea(CDrawContext* context, const CRectangle& rect) {
  CRectangle outer = rect;
  outer.offset(bounds.left, bounds.top);
  if (transparent) {
    // A transparent container cannot draw alone: what lies under it must be drawn first.
    if (parentView)
      parentView->repaintArea(context, outer);
    else if (parentFrame)
      parentFrame->paintArea(context, outer);
    return;
  }
  if (parentView) {
    CPosition origin(0, 0);
    parentView->pointToFrame(origin);
    OffsetShift shift(context, origin);
    paintArea(context, outer);
  } else {
    paintArea(context, outer);
  }
}

void CViewContainer::refresh(CDrawContext* context) {
  const CRectangle inner = innerRect();
  switch (updateMode) {
    case updateWhole:
      if (isDirty()) {
        repaintArea(context, inner);
        setDirty(false);
      }
      break;
    case updateDirtyOnly:
      if (dirty) {
        repaintArea(context, inner);
        setDirty(false);
        break;
      }
      for (ChildLink* link = firstChild; link; link = link->next) {
        CView* child = link->view;
        if (!child->isDirty() || !child->overlaps(inner)) continue;
        if (child->receiveMessage(this, kMsgCheckIfViewContainer) != 0) {
          child->refresh(context);
        } else {
          CRectangle area;
          child->getBounds(area);
          area.intersect(inner);
          child->repaintArea(context, area);
        }
      }
      setDirty(false);
      break;
    default:
      break;
  }
}

bool CViewContainer::isDirty() const {
  if (dirty) return true;
  const CRectangle inner = innerRect();
  for (ChildLink* link = firstChild; link; link = link->next) {
    if (!link->view->isDirty()) continue;
    CRectangle area;
    link->view->getBounds(area);
    area.intersect(inner);
    if (hasArea(area)) return true;
  }
  return false;
}

// ---- geometry and kinds -------------------------------------------------------------------------

void CViewContainer::setBounds(const CRectangle& rect) {
  bounds = rect;
  setDirty(true);
  if (offscreen && drawOffscreen) {
    releaseOffscreen();
    offscreen = new COffscreenContext(parentFrame, bounds.width(), bounds.height(), kBlackColor);
  }
}

bool CViewContainer::onAttach(CView*) {
  ensureOffscreen();
  return true;
}

bool CViewContainer::onDetach(CView*) {
  releaseOffscreen();
  return true;
}

CPosition& CViewContainer::pointToFrame(CPosition& point) {
  point += bounds.topLeft();
  if (parentView && parentView->isKindOf("CViewContainer")) parentView->pointToFrame(point);
  return point;
}

CPosition& CViewContainer::pointFromFrame(CPosition& point) {
  point -= bounds.topLeft();
  if (parentView && parentView->isKindOf("CViewContainer")) parentView->pointFromFrame(point);
  return point;
}

int32_t CViewContainer::receiveMessage(CView*, const char* message) {
  return message == kMsgCheckIfViewContainer ? 1 : 0;
}

bool CViewContainer::isKindOf(const char* className) const {
  return className &&
         (std::strcmp(className, "CViewContainer") == 0 || std::strcmp(className, "CView") == 0);
}

// ---- input --------------------------------------------------------------------------------------

void CViewContainer::mouseDown(CDrawContext* context, const CPosition& where, int32_t buttons) {
  const CPosition inner = where - bounds.topLeft();
  if (buttons == -1 && context) buttons = context->queryMouseButtons();
  for (ChildLink* link = lastChild; link; link = link->previous) {
    CView* child = link->view;
    if (child->isMouseEnabled() && child->hitsPoint(inner, buttons)) {
      child->mouseDown(context, inner, buttons);
      return;
    }
  }
}

int32_t CViewContainer::handleKeyDown(const VstKeyCode& keyCode) {
  for (ChildLink* link = lastChild; link; link = link->previous) {
    const int32_t result = link->view->handleKeyDown(keyCode);
    if (result != -1) return result;
  }
  return -1;
}

int32_t CViewContainer::handleKeyUp(const VstKeyCode& keyCode) {
  for (ChildLink* link = lastChild; link; link = link->previous) {
    const int32_t result = link->view->handleKeyUp(keyCode);
    if (result != -1) return result;
  }
  return -1;
}

bool CViewContainer::handleWheel(CDrawContext* context, const CPosition& where, float distance) {
  return handleWheelOnAxis(context, where, kWheelAxisVertical, distance);
}

bool CViewContainer::handleWheelOnAxis(CDrawContext* context, const CPosition& where,
                                       WheelAxis axis, float distance) {
  CView* target = viewAtPoint(where, false);
  if (!target) return false;
  const CPosition inner = where - bounds.topLeft();
  OffsetShift shift(context, bounds.topLeft());
  return target->handleWheelOnAxis(context, inner, axis, distance);
}

void CViewContainer::handleDragEnter(CDrawContext* context, CDragContainer* drag,
                                     const CPosition& where) {
  if (!parentFrame) return;
  OffsetShift shift(context, bounds.topLeft());
  const CPosition inner = where - bounds.topLeft();
  if (dragTarget) dragTarget->handleDragLeave(context, drag, inner);
  dragTarget = viewAtPoint(where, false);
  if (dragTarget) dragTarget->handleDragEnter(context, drag, inner);
}

void CViewContainer::handleDragMove(CDrawContext* context, CDragContainer* drag,
                                    const CPosition& where) {
  if (!parentFrame) return;
  OffsetShift shift(context, bounds.topLeft());
  const CPosition inner = where - bounds.topLeft();
  CView* view = viewAtPoint(where, false);
  if (view != dragTarget) {
    if (dragTarget) dragTarget->handleDragLeave(context, drag, inner);
    if (view) view->handleDragEnter(context, drag, inner);
    dragTarget = view;
  } else if (view) {
    view->handleDragMove(context, drag, inner);
  }
}

void CViewContainer::handleDragLeave(CDrawContext* context, CDragContainer* drag,
                                     const CPosition& where) {
  if (!parentFrame) return;
  OffsetShift shift(context, bounds.topLeft());
  const CPosition inner = where - bounds.topLeft();
  if (dragTarget) dragTarget->handleDragLeave(context, drag, inner);
  dragTarget = nullptr;
}

bool CViewContainer::handleDrop(CDrawContext* context, CDragContainer* drag,
                                const CPosition& where) {
  if (!parentFrame) return false;
  OffsetShift shift(context, bounds.topLeft());
  const CPosition inner = where - bounds.topLeft();
  CView* view = viewAtPoint(where, false);
  if (view != dragTarget) {
    if (dragTarget) dragTarget->handleDragLeave(context, drag, inner);
    dragTarget = view;
  }
  bool result = false;
  if (view) {
    result = view->handleDrop(context, drag, inner);
    view->handleDragLeave(context, drag, inner);
  }
  dragTarget = nullptr;
  return result;
}

// ---- hit testing and focus ----------------------------------------------------------------------

CView* CViewContainer::viewAtPoint(const CPosition& where, bool deep) {
  if (!parentFrame) return nullptr;
  const CPosition inner = where - bounds.topLeft();
  for (ChildLink* link = lastChild; link; link = link->previous) {
    CView* child = link->view;
    CRectangle area;
    child->getMouseArea(area);
    if (!holdsInclusive(area, inner)) continue;
    if (deep && child->isKindOf("CViewContainer"))
      return static_cast<CViewContainer*>(child)->viewAtPoint(inner, deep);
    return child;
  }
  return nullptr;
}

CView* CViewContainer::childUnderMouse() {
  if (!parentFrame) return nullptr;
  CPosition where;
  parentFrame->mouseLocation(where);
  pointFromFrame(where);
  for (ChildLink* link = lastChild; link; link = link->previous) {
    CRectangle area;
    link->view->getMouseArea(area);
    if (holdsInclusive(area, where)) return link->view;
  }
  return nullptr;
}

void CViewContainer::focusLost(CDrawContext* context) {
  for (ChildLink* link = firstChild; link; link = link->next) link->view->focusLost(context);
}

void CViewContainer::focusGained(CDrawContext* context) {
  for (ChildLink* link = firstChild; link; link = link->next) link->view->focusGained(context);
}

bool CViewContainer::moveFocus(CView* from, bool backwards) {
  if (!parentFrame) return false;
  bool skipping = from != nullptr;
  for (ChildLink* link = backwards ? lastChild : firstChild; link;
       link = backwards ? link->previous : link->next) {
    CView* child = link->view;
    if (skipping) {
      if (child == from) skipping = false;
      continue;
    }
    if (child->acceptsFocus()) {
      parentFrame->setFocusView(child);
      return true;
    }
    if (child->isKindOf("CViewContainer") &&
        static_cast<CViewContainer*>(child)->moveFocus(nullptr, backwards))
      return true;
  }
  return false;
}

}  // namespace QGUI
