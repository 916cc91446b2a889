// The rotary knob: angle geometry, drawn or bitmap handle, mouse drags, wheel and arrow keys.
#include "gui/knob.h"

#include <cmath>
#include <cstring>

#include "gui/bitmap.h"
#include "gui/constants.h"
#include "gui/control_listener.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

namespace QGUI {

namespace {

constexpr float kTwoPi = 6.2831855f;               // 2 pi as a float, for adding and subtracting
constexpr double kTwoPiExact = 6.283185307179586;  // 2 pi as a double, for the wrap test
constexpr float kDefaultStartAngle = 3.9269907f;   // 225 degrees: lower left
constexpr float kDefaultRangeAngle = -4.712389f;   // -270 degrees: clockwise over the top
constexpr float kDragRange = 200.0f;               // pixels of a full linear drag
constexpr std::int32_t kKnobModeLinear = 2;

// Truncates toward zero into a pixel coordinate. A value that is not a number (a NaN value or a
// degenerate angle range) or lies beyond the coordinate range is not converted blindly: NaN
// gives 0 and the rest is held to the 32-bit range.
std::int32_t toPixel(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}

std::int32_t handleInset(const CBitmap* handle) {
  return toPixel(0.5 * handle->width + 2.5);
}

}  // namespace

CKnob::CKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
             CBitmap* background, CBitmap* handle, const CPosition& offset)
    : CControl(size, listener, tag, background), bitmapOffset(offset), handleBitmap(handle) {
  if (handleBitmap) {
    handleBitmap->retain();
    inset = handleInset(handleBitmap);
  } else {
    inset = 3;
  }
  handleColor = kWhiteColor;
  handleShadowColor = kGreyColor;
  radius = static_cast<float>(size.right - size.left) * 0.5f;
  setStartAngle(kDefaultStartAngle);
  setRangeAngle(kDefaultRangeAngle);
  zoomFactor = 1.5f;
  takesFocus = true;
}

CKnob::~CKnob() {
  if (handleBitmap) handleBitmap->release();
}

void CKnob::paint(CDrawContext* context) {
  if (background && context) {
    if (transparent)
      background->drawKeyed(context, bounds, bitmapOffset);
    else
      background->drawPlain(context, bounds, bitmapOffset);
  }
  drawHandle(context);
  setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context) {
  if (!context) return;
  CPosition p;
  valueToPoint(p);
  if (handleBitmap) {
    const std::int32_t w = handleBitmap->width;
    const std::int32_t h = handleBitmap->height;
    const CRectangle r(CPosition(p.x + bounds.left - w / 2, p.y + bounds.top - h / 2), w, h);
    handleBitmap->drawKeyed(context, r, CPosition(0, 0));
    return;
  }
  CPosition c((bounds.right - bounds.left) / 2 + bounds.left - 1,
              (bounds.bottom - bounds.top) / 2 + bounds.top);
  CPosition e(p.x + bounds.left - 1, p.y + bounds.top);
  context->setPenColor(handleShadowColor);
  context->moveTo(e);
  context->lineTo(c);
  e.offset(1, -1);
  c.offset(1, -1);
  context->setPenColor(handleColor);
  context->moveTo(e);
  context->lineTo(c);
}

void CKnob::mouseDown(CDrawContext* context, const CPosition& pressPoint, std::int32_t buttons) {
  if (!mouseEnabled) return;
  // Without a context the mouse cannot be read: the drag ends after its first pass.
  auto readButtons = [context] { return context ? context->queryMouseButtons() : 0; };
  if (buttons == -1) buttons = readButtons();
  if (!(buttons & kButtonLeft)) return;
  if (listener && (buttons & kModifierMask)) {
    if (listener->modifierClicked(context, this, buttons) != 0) return;
  }
  if (checkResetToDefault(context, buttons)) return;

  float old = oldValue;
  float entryValue = value;
  const float middle = (maxValue - minValue) * 0.5f;
  std::int32_t previousButtons = buttons;

  const std::int32_t mode = parentFrame ? parentFrame->knobMode() : 0;
  const bool altHeld = (buttons & kModifierAlt) != 0;
  const bool linear = (mode == kKnobModeLinear) != altHeld;

  CPosition firstPoint;
  float coef;
  if (linear) {
    float range = kDragRange;
    if (buttons & kModifierShift) range *= zoomFactor;
    firstPoint = pressPoint;
    coef = (maxValue - minValue) / range;
  } else {
    coef = (maxValue - minValue) / kDragRange;
    CPosition p = pressPoint - bounds.topLeft();
    old = valueFromPoint(p);
  }

  beginEdit();
  CPosition where = pressPoint;
  CPosition lastWhere(-1, -1);
  do {
    buttons = readButtons();
    if (where.x != lastWhere.x || where.y != lastWhere.y) {
      const CPosition processed = where;
      if (linear) {
        const std::int32_t diff = (where.x - firstPoint.x) + (firstPoint.y - where.y);
        if (buttons != previousButtons) {
          // Shift pressed or released: change the speed from here on without a jump.
          float range = kDragRange;
          if (buttons & kModifierShift) range *= zoomFactor;
          const float coef2 = (maxValue - minValue) / range;
          entryValue += static_cast<float>(diff) * (coef - coef2);
          coef = coef2;
          previousButtons = buttons;
        }
        value = entryValue + static_cast<float>(diff) * coef;
        clampValue();
      } else {
        where -= bounds.topLeft();
        const float v = valueFromPoint(where);
        value = v;
        // A jump of more than half the range went across the gap: stay at the end the
        // pointer came from.
        if (old - v > middle)
          value = maxValue;
        else if (v - old > middle)
          value = minValue;
        else
          old = v;
      }
      if (isDirty() && listener) listener->valueChanged(context, this);
      lastWhere = processed;
    }
    mousePosition(context, where);
    idleStep();
  } while (buttons & kButtonLeft);
  endEdit();
}

std::int32_t CKnob::handleKeyDown(const VstKeyCode& keyCode) {
  float step;
  switch (keyCode.virt) {
    case VKEY_UP:
    case VKEY_RIGHT:
      step = 1.0f;
      break;
    case VKEY_DOWN:
    case VKEY_LEFT:
      step = -1.0f;
      break;
    default:
      return -1;
  }
  if (keyCode.modifier & MODIFIER_SHIFT)
    value += step * 0.1f * wheelIncrement;
  else
    value += step * wheelIncrement;
  clampValue();
  if (isDirty() && listener) {
    beginEdit();
    listener->valueChanged(nullptr, this);
    endEdit();
  }
  return 1;
}

bool CKnob::handleWheel(CDrawContext* context, const CPosition&, float distance) {
  if (!mouseEnabled) return false;
  const std::int32_t buttons = context ? context->queryMouseButtons() : 0;
  if (buttons & kModifierShift)
    value += distance * 0.1f * wheelIncrement;
  else
    value += distance * wheelIncrement;
  clampValue();
  if (isDirty() && listener) {
    beginEdit();
    listener->valueChanged(context, this);
    endEdit();
  }
  return true;
}

bool CKnob::isKindOf(const char* className) const {
  if (!className) return false;
  return std::strcmp(className, "CKnob") == 0 || CControl::isKindOf(className);
}

void CKnob::setStartAngle(float val) {
  startAngle = val;
  recomputeAngles();
}

float CKnob::getStartAngle() const {
  return startAngle;
}

void CKnob::setRangeAngle(float val) {
  rangeAngle = val;
  recomputeAngles();
}

float CKnob::getRangeAngle() const {
  return rangeAngle;
}

void CKnob::recomputeAngles() {
  valuePerRadian = (maxValue - minValue) / rangeAngle;
  valueAtZeroAngle = minValue - valuePerRadian * startAngle;
  halfGapAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
  setDirty(true);
}

void CKnob::valueToPoint(CPosition& point) const {
  const float angle = (value - valueAtZeroAngle) / valuePerRadian;
  const double reach = static_cast<double>(radius) - inset;
  point.x = toPixel(radius + std::cos(static_cast<double>(angle)) * reach + 0.5);
  point.y = toPixel(radius - std::sin(static_cast<double>(angle)) * reach + 0.5);
}

float CKnob::valueFromPoint(CPosition& point) const {
  float a = static_cast<float>(
      std::atan2(static_cast<double>(radius) - point.y, static_cast<double>(point.x) - radius));
  if (a < 0.0f) a += kTwoPi;
  float d = a - startAngle;
  auto wrapped = [](float w) {
    if (w < 0.0f)
      w += kTwoPi;
    else if (w > kTwoPiExact)
      w -= kTwoPi;
    return w;
  };
  if (rangeAngle < 0.0f) {
    d = d - rangeAngle;
    const float w = wrapped(d);
    if (w > halfGapAngle - rangeAngle) return maxValue;
    if (w > -rangeAngle) return minValue;
    if (d > halfGapAngle - rangeAngle)
      d -= kTwoPi;
    else if (d < -halfGapAngle)
      d += kTwoPi;
    return valuePerRadian * d + maxValue;
  }
  const float w = wrapped(d);
  if (w > rangeAngle + halfGapAngle) return minValue;
  if (w > rangeAngle) return maxValue;
  if (d > rangeAngle + halfGapAngle)
    d -= kTwoPi;
  else if (d < -halfGapAngle)
    d += kTwoPi;
  return valuePerRadian * d + minValue;
}

void CKnob::setInset(std::int32_t val) {
  inset = val;
}

void CKnob::setHandleShadowColor(const CRgbaColor& color) {
  handleShadowColor = color;
  setDirty(true);
}

void CKnob::setHandleColor(const CRgbaColor& color) {
  handleColor = color;
  setDirty(true);
}

void CKnob::setHandleBitmap(CBitmap* bitmap) {
  if (handleBitmap) {
    handleBitmap->release();
    handleBitmap = nullptr;
  }
  if (bitmap) {
    handleBitmap = bitmap;
    handleBitmap->retain();
    inset = handleInset(handleBitmap);
  }
}

void CKnob::setZoomFactor(float val) {
  zoomFactor = val;
}

float CKnob::getZoomFactor() const {
  return zoomFactor;
}

}  // namespace QGUI
