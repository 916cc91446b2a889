// The control base: value, range, tag, listener, dirty rule, edit bracketing, reset to the
// default value and double-click detection.
#include "gui/control.h"

#include <cstring>

#include "gui/constants.h"
#include "gui/control_listener.h"
#include "gui/frame.h"
#include "gui/platform/input.h"

namespace QGUI {

namespace {

// The shortest double-click interval a control accepts, whatever the system says.
constexpr std::int32_t kMinDoubleClickInterval = 250;

std::int32_t systemDoubleClickInterval() {
  const std::uint32_t system = platform::doubleClickTime();
  if (system < static_cast<std::uint32_t>(kMinDoubleClickInterval)) return kMinDoubleClickInterval;
  // The system's setting is a few hundred milliseconds; cap it so it stays a signed value.
  if (system > 0x7fffffffu) return 0x7fffffff;
  return static_cast<std::int32_t>(system);
}

}  // namespace

CControl::CControl(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                   CBitmap* background)
    : CView(size), listener(listener), tag(tag), doubleClickInterval(systemDoubleClickInterval()) {
  mouseEnabled = true;
  transparent = false;
  setBackgroundBitmap(background);
}

CControl::~CControl() = default;

bool CControl::isDirty() const {
  // Written as a negated equality so that a NaN on either side counts as a difference.
  if (!(value == oldValue)) return true;
  return CView::isDirty();
}

void CControl::setDirty(bool val) {
  CView::setDirty(val);
  if (val)
    oldValue = value == -1.0f ? 0.0f : -1.0f;
  else
    oldValue = value;
}

bool CControl::isKindOf(const char* className) const {
  if (!className) return false;
  return std::strcmp(className, "CControl") == 0 || CView::isKindOf(className);
}

void CControl::idleStep() {
  if (parentFrame) parentFrame->idleStep();
}

void CControl::setValue(float val) {
  value = val;
}
float CControl::getValue() const {
  return value;
}
void CControl::setMin(float val) {
  minValue = val;
}
float CControl::getMin() const {
  return minValue;
}
void CControl::setMax(float val) {
  maxValue = val;
}
float CControl::getMax() const {
  return maxValue;
}
void CControl::setOldValue(float val) {
  oldValue = val;
}
float CControl::getOldValue() const {
  return oldValue;
}
void CControl::setDefaultValue(float val) {
  defaultValue = val;
}
float CControl::getDefaultValue() const {
  return defaultValue;
}
void CControl::setTag(std::int32_t val) {
  tag = val;
}
std::int32_t CControl::getTag() const {
  return tag;
}

void CControl::beginEdit() {
  if (!parentFrame) return;
  parentFrame->setFocusView(this);
  parentFrame->beginEdit(tag);
}

void CControl::endEdit() {
  if (parentFrame) parentFrame->endEdit(tag);
}

void CControl::setBackgroundOffset(const CPosition& offset) {
  backgroundOffset = offset;
}

void CControl::alignBackgroundOffset() {
  backgroundOffset = CPosition(bounds.left, bounds.top);
}

void CControl::setWheelIncrement(float val) {
  wheelIncrement = val;
}
float CControl::getWheelIncrement() const {
  return wheelIncrement;
}

void CControl::clampValue() {
  if (value > maxValue)
    value = maxValue;
  else if (value < minValue)
    value = minValue;
}

bool CControl::checkResetToDefault(CDrawContext* context, std::int32_t buttons) {
  if (buttons != (kModifierControl | kButtonLeft)) return false;
  beginEdit();
  value = getDefaultValue();
  if (isDirty() && listener) listener->valueChanged(context, this);
  endEdit();
  return true;
}

bool CControl::isDoubleClick() {
  const std::int32_t now = parentFrame ? parentFrame->ticks() : 0;
  // The pending first click is kept in its own flag rather than in the sign of
  // lastClickTicks, and the gap is taken in unsigned arithmetic: the system's tick count
  // read as a signed value turns negative after 24.8 days of uptime, and clicks must still
  // pair then.
  const bool pending = lastClickPending;
  if (pending) {
    const std::uint32_t gap =
        static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(lastClickTicks);
    if (gap < static_cast<std::uint32_t>(doubleClickInterval)) {
      lastClickTicks = 0;
      lastClickPending = false;
      return true;
    }
  }
  lastClickTicks = now;
  lastClickPending = true;
  return false;
}

}  // namespace QGUI
