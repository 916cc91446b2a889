// The strip knob: picks one frame of its background strip from the value.
#include "gui/anim_knob.h"

#include <cstring>

#include "gui/bitmap.h"
#include "gui/draw_context.h"

namespace QGUI {

namespace {

std::int32_t derivedFrameCount(const CBitmap* background, std::int32_t frameHeight) {
  // Without a strip or with a flat control there are no frames to count.
  if (!background || frameHeight <= 0) return 0;
  // The count is a 16-bit quantity; strips beyond 32767 frames are not supported.
  return static_cast<std::int16_t>(background->height / frameHeight);
}

}  // namespace

CAnimKnob::CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                     CBitmap* background, const CPosition& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frameCount(0),
      frameHeight(size.bottom - size.top) {
  frameCount = derivedFrameCount(background, frameHeight);
  inset = 0;
}

CAnimKnob::CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                     std::int32_t subPixmaps, std::int32_t heightOfOneImage, CBitmap* background,
                     const CPosition& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frameCount(subPixmaps),
      frameHeight(heightOfOneImage) {
  inset = 0;
}

CAnimKnob::~CAnimKnob() = default;

void CAnimKnob::paint(CDrawContext* context) {
  CPosition source(0, 0);
  if (value >= 0.0f && frameHeight > 0 && frameCount > 1) {  // value: false for NaN too
    const std::int64_t total = static_cast<std::int64_t>(frameCount - 1) * frameHeight;
    // A value above the range shows the last frame rather than a cut through the strip (or
    // rows below it): typed delays can end a little above 1.
    const double y = static_cast<double>(value) * static_cast<double>(total);
    const std::int64_t row = y >= static_cast<double>(total) ? total : static_cast<std::int64_t>(y);
    // Down to the top of the frame the row falls in: no rounding to the nearest frame.
    source.y = static_cast<std::int32_t>(row / frameHeight * frameHeight);
  }
  if (background && context) {
    const CRectangle target = bounds;
    if (transparent)
      background->drawKeyed(context, target, source);
    else
      background->drawPlain(context, target, source);
  }
  valueToPoint(lastDrawnPoint);
  setDirty(false);
}

bool CAnimKnob::isDirty() const {
  if (!dirty) {
    CPosition p;
    valueToPoint(p);
    if (p == lastDrawnPoint) return false;
  }
  return CControl::isDirty();
}

bool CAnimKnob::isKindOf(const char* className) const {
  if (!className) return false;
  return std::strcmp(className, "CAnimKnob") == 0 || CKnob::isKindOf(className);
}

}  // namespace QGUI
