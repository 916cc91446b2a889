// CControl: the abstract base of every control. A view holding a float value in a range, a tag
// for its listener, a default value for Control-click reset and a wheel step; it repaints when
// its value differs from the value it last painted, and brackets each user gesture with a begin
// and an end of edit that travel through the frame and the editor to the host.
#pragma once

#include <cstdint>

#include "gui/position.h"
#include "gui/rectangle.h"
#include "gui/view.h"

namespace QGUI {

class CControlListener;

class CControl : public CView {
 public:
  // listener: not owned, may be null. background: may be null; retained.
  CControl(const CRectangle& size, CControlListener* listener, std::int32_t tag,
           CBitmap* background = nullptr);
  ~CControl() override;

  void paint(CDrawContext* context) override = 0;
  // The value differs from the value last painted (NaN included), or the dirty flag.
  bool isDirty() const override;
  // true forces a repaint even with an unchanged value; false records the value as painted.
  void setDirty(bool value = true) override;
  bool isKindOf(const char* className) const override;

  // The frame's idle step (repaints, lets the host idle); nothing outside a frame.
  virtual void idleStep();
  // Stores the value as given: no clamping, no listener call.
  virtual void setValue(float val);
  virtual float getValue() const;
  virtual void setMin(float val);
  virtual float getMin() const;
  virtual void setMax(float val);
  virtual float getMax() const;
  virtual void setOldValue(float val);
  virtual float getOldValue() const;
  virtual void setDefaultValue(float val);
  virtual float getDefaultValue() const;
  virtual void setTag(std::int32_t val);
  virtual std::int32_t getTag() const;
  // Takes the frame's focus and tells the host a gesture on this control starts.
  virtual void beginEdit();
  // Tells the host the gesture ends.
  virtual void endEdit();
  // Source offset into the background bitmap for controls that paint it through this base.
  virtual void setBackgroundOffset(const CPosition& offset);
  // Offset = the control's top-left corner: the matching cut-out of a panel-sized bitmap.
  virtual void alignBackgroundOffset();
  // Step per wheel notch or arrow key.
  virtual void setWheelIncrement(float val);
  virtual float getWheelIncrement() const;
  // Brings the value into [min, max]; the maximum is tested first.
  virtual void clampValue();
  // Control + left button (and nothing else): resets to the default value inside an edit
  // bracket, telling the listener when the value changed; true when the click was used.
  virtual bool checkResetToDefault(CDrawContext* context, std::int32_t buttons);

  // True for the second of two clicks less than the double-click interval apart; a third
  // click starts a new pair.
  bool isDoubleClick();

  CControlListener* getListener() const { return listener; }
  CPosition getBackgroundOffset() const { return backgroundOffset; }

 protected:
  CControlListener* listener;  // not owned
  std::int32_t tag;
  float oldValue = 1.0f;  // the value at the last paint
  float defaultValue = 0.5f;
  float value = 0.0f;
  float minValue = 0.0f;
  float maxValue = 1.0f;
  float wheelIncrement = 0.1f;
  std::int32_t lastClickTicks = -1;  // ms; 0 right after a double click
  bool lastClickPending = false;     // a first click waits for its second
  std::int32_t doubleClickInterval;  // ms, at least 250
  CPosition backgroundOffset;
};

}  // namespace QGUI
