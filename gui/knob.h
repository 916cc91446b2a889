// CKnob: a rotary control. The value is shown as a handle on a circle (drawn lines or a handle
// bitmap) and changed by dragging the mouse (circular or linear), by the wheel and by the arrow
// keys. Angles are in radians, counter-clockwise from 3 o'clock with y pointing up.
#pragma once

#include <cstdint>

#include "gui/control.h"
#include "gui/rgba_color.h"

namespace QGUI {

class CKnob : public CControl {
 public:
  // background and handle may be null; both are retained when given. offset: source offset
  // into the background bitmap.
  CKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag, CBitmap* background,
        CBitmap* handle, const CPosition& offset);
  ~CKnob() override;

  void paint(CDrawContext* context) override;
  // A drag that lasts until the left button is released (the loop polls the mouse and runs
  // the frame's idle step on every pass).
  void mouseDown(CDrawContext* context, const CPosition& where, std::int32_t buttons) override;
  // Arrow keys step by the wheel increment (a tenth of it with Shift); 1 handled, -1 not.
  std::int32_t handleKeyDown(const VstKeyCode& keyCode) override;
  // distance: notches; one notch moves by the wheel increment (a tenth of it with Shift).
  bool handleWheel(CDrawContext* context, const CPosition& where, float distance) override;
  bool isKindOf(const char* className) const override;

  virtual void drawHandle(CDrawContext* context);
  virtual void setStartAngle(float val);
  virtual float getStartAngle() const;
  // Signed sweep from minimum to maximum; negative turns clockwise.
  virtual void setRangeAngle(float val);
  virtual float getRangeAngle() const;
  // The handle point of the current value, relative to the control's top-left corner.
  virtual void valueToPoint(CPosition& point) const;
  // The value of a point relative to the control's top-left corner; a point in the gap
  // snaps to the nearer end.
  virtual float valueFromPoint(CPosition& point) const;
  // Distance of the handle point from the rim, in pixels (no repaint).
  virtual void setInset(std::int32_t val);
  virtual void setHandleShadowColor(const CRgbaColor& color);
  virtual void setHandleColor(const CRgbaColor& color);
  // Replaces the handle bitmap (retained; may be null, which keeps the inset).
  virtual void setHandleBitmap(CBitmap* bitmap);
  // Divisor of the linear drag speed while Shift is held.
  virtual void setZoomFactor(float val);
  virtual float getZoomFactor() const;

  std::int32_t getInset() const { return inset; }
  CRgbaColor getHandleColor() const { return handleColor; }
  CRgbaColor getHandleShadowColor() const { return handleShadowColor; }

 protected:
  // Derives the per-radian coefficients and the gap from the angles and marks the knob dirty.
  void recomputeAngles();

  CPosition bitmapOffset;
  CRgbaColor handleColor{255, 255, 255, 255};
  CRgbaColor handleShadowColor{127, 127, 127, 255};
  CBitmap* handleBitmap = nullptr;  // one counted reference while set
  std::int32_t inset = 3;
  float startAngle = 0.0f;
  float rangeAngle = 0.0f;
  float halfGapAngle = 0.0f;
  float valuePerRadian = 0.0f;
  float valueAtZeroAngle = 0.0f;
  float radius = 0.0f;  // half the width; also the vertical centre
  float zoomFactor = 1.5f;
};

}  // namespace QGUI
