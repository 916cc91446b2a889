// CAnimKnob: a knob that shows one frame of a vertical strip of pre-rendered images (its
// background bitmap, frame 0 at the top, each frame as wide as the control) chosen from the
// value, instead of drawing a handle.
#pragma once

#include <cstdint>

#include "gui/knob.h"

namespace QGUI {

class CAnimKnob : public CKnob {
 public:
  // Frame height = the control's height, frame count = strip height / frame height.
  // background must be given and the bounds must have a positive height.
  CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
            CBitmap* background, const CPosition& offset);
  CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
            std::int32_t subPixmaps, std::int32_t heightOfOneImage, CBitmap* background,
            const CPosition& offset);
  ~CAnimKnob() override;

  // Draws the frame of the value: floor(value x (frameCount - 1)) for values in [0, 1],
  // frame 0 for negative and NaN values.
  void paint(CDrawContext* context) override;
  // Clean unless the dirty flag is set or the handle point moved by a whole pixel since the
  // last paint.
  bool isDirty() const override;
  bool isKindOf(const char* className) const override;

  std::int32_t getFrameCount() const { return frameCount; }
  std::int32_t getFrameHeight() const { return frameHeight; }

 protected:
  std::int32_t frameCount;
  std::int32_t frameHeight;
  CPosition lastDrawnPoint;
};

}  // namespace QGUI
