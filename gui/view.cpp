// CView: default behaviour of every view, coordinate conversion through the parent chain and
// the attribute store.
#include "gui/view.h"

#include <cstring>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

namespace QGUI {

const char kMsgCheckIfViewContainer[] = "kMsgCheckIfViewContainer";

CView::CView(const CRectangle& rect) : bounds(rect), mouseArea(rect) {}

CView::~CView() {
  if (background) background->release();
  while (attributes) {
    AttributeEntry* next = attributes->next;
    delete[] attributes->data;
    delete attributes;
    attributes = next;
  }
}

void CView::paint(CDrawContext* context) {
  if (background && context) {
    if (transparent)
      background->drawKeyed(context, bounds, CPosition(0, 0));
    else
      background->drawPlain(context, bounds, CPosition(0, 0));
  }
  setDirty(false);
}

void CView::paintArea(CDrawContext* context, const CRectangle&) {
  paint(context);
}

bool CView::overlaps(const CRectangle& rect) const {
  return rect.right >= bounds.left && rect.left <= bounds.right && rect.bottom >= bounds.top &&
         rect.top <= bounds.bottom;
}

void CView::mouseDown(CDrawContext*, const CPosition&, int32_t) {}

void CView::setBackgroundBitmap(CBitmap* bitmap) {
  // Retain first: the new bitmap may be the one held now.
  if (bitmap) bitmap->retain();
  if (background) background->release();
  background = bitmap;
  setDirty(true);
}

CBitmap* CView::backgroundBitmap() const {
  return background;
}

int32_t CView::handleKeyDown(const VstKeyCode&) {
  return -1;
}

int32_t CView::handleKeyUp(const VstKeyCode&) {
  return -1;
}

bool CView::handleWheel(CDrawContext*, const CPosition&, float) {
  return false;
}

bool CView::handleWheelOnAxis(CDrawContext* context, const CPosition& where, WheelAxis,
                              float distance) {
  return handleWheel(context, where, distance);
}

bool CView::handleDrop(CDrawContext*, CDragContainer*, const CPosition&) {
  return false;
}

void CView::handleDragEnter(CDrawContext*, CDragContainer*, const CPosition&) {}

void CView::handleDragLeave(CDrawContext*, CDragContainer*, const CPosition&) {}

void CView::handleDragMove(CDrawContext*, CDragContainer*, const CPosition&) {}

void CView::focusLost(CDrawContext*) {}

void CView::focusGained(CDrawContext*) {}

bool CView::isDirty() const {
  return dirty;
}

void CView::setDirty(bool value) {
  dirty = value;
}

void CView::enableMouse(bool enable) {
  mouseEnabled = enable;
}

bool CView::isMouseEnabled() const {
  return mouseEnabled;
}

void CView::setMouseArea(const CRectangle& area) {
  mouseArea = area;
}

void CView::getMouseArea(CRectangle& area) const {
  area = mouseArea;
}

bool CView::hitsPoint(const CPosition& where, int32_t) const {
  return where.x >= mouseArea.left && where.x <= mouseArea.right && where.y >= mouseArea.top &&
         where.y <= mouseArea.bottom;
}

void CView::setTransparent(bool value) {
  transparent = value;
}

bool CView::isTransparent() const {
  return transparent;
}

void CView::setBounds(const CRectangle& rect) {
  bounds = rect;
  setDirty(true);
}

void CView::getBounds(CRectangle& rect) const {
  rect = bounds;
}

bool CView::onDetach(CView*) {
  return true;
}

bool CView::onAttach(CView*) {
  return true;
}

void CView::mousePosition(CDrawContext* context, CPosition& where) {
  if (!context) return;
  if (parentView && parentView->receiveMessage(this, kMsgCheckIfViewContainer) == 1) {
    const CPosition savedOffset = context->offset;
    const CPosition savedScreenOffset = context->screenOffset;
    CRectangle parentBounds;
    parentView->getBounds(parentBounds);
    context->offset += parentBounds.topLeft();
    context->screenOffset += parentBounds.topLeft();
    parentView->mousePosition(context, where);
    context->offset = savedOffset;
    context->screenOffset = savedScreenOffset;
  } else {
    context->queryMousePosition(where);
  }
}

CPosition& CView::pointFromFrame(CPosition& point) {
  if (parentView && parentView->isKindOf("CViewContainer"))
    return parentView->pointFromFrame(point);
  return point;
}

CPosition& CView::pointToFrame(CPosition& point) {
  if (parentView && parentView->isKindOf("CViewContainer")) return parentView->pointToFrame(point);
  return point;
}

AEffGUIEditor* CView::ownerEditor() const {
  return parentFrame ? parentFrame->ownerEditor() : nullptr;
}

int32_t CView::receiveMessage(CView*, const char*) {
  return 0;
}

void CView::repaintArea(CDrawContext* context, const CRectangle& rect) {
  if (parentView)
    parentView->repaintArea(context, rect);
  else if (parentFrame)
    parentFrame->paintArea(context, rect);
}

bool CView::acceptsFocus() const {
  return takesFocus;
}

void CView::setAcceptsFocus(bool value) {
  takesFocus = value;
}

bool CView::isKindOf(const char* className) const {
  return className && std::strcmp(className, "CView") == 0;
}

void CView::refresh(CDrawContext* context) {
  if (!isDirty()) return;
  if (context)
    repaintArea(context, bounds);
  else if (parentFrame)
    parentFrame->paintView(this);
  dirty = false;
}

void CView::redrawNow() {
  if (parentFrame) parentFrame->paintView(this);
}

const CView::AttributeEntry* CView::findAttribute(int32_t id) const {
  for (const AttributeEntry* entry = attributes; entry; entry = entry->next)
    if (entry->id == id) return entry;
  return nullptr;
}

bool CView::writeAttribute(int32_t id, int32_t size, const void* data) {
  if (size < 0 || (size > 0 && !data)) return false;
  if (const AttributeEntry* found = findAttribute(id)) {
    if (found->size < size) return false;
    if (size > 0) std::memcpy(found->data, data, static_cast<size_t>(size));
    return true;
  }
  auto* entry = new AttributeEntry{nullptr, new unsigned char[size > 0 ? size : 1], size, id};
  if (size > 0) std::memcpy(entry->data, data, static_cast<size_t>(size));
  AttributeEntry** tail = &attributes;
  while (*tail) tail = &(*tail)->next;
  *tail = entry;
  return true;
}

bool CView::readAttribute(int32_t id, int32_t capacity, void* buffer, int32_t& size) const {
  const AttributeEntry* found = findAttribute(id);
  if (!found || found->size > capacity || (found->size > 0 && !buffer)) return false;
  if (found->size > 0) std::memcpy(buffer, found->data, static_cast<size_t>(found->size));
  size = found->size;
  return true;
}

bool CView::attributeSize(int32_t id, int32_t& size) const {
  const AttributeEntry* found = findAttribute(id);
  if (!found) return false;
  size = found->size;
  return true;
}

}  // namespace QGUI
