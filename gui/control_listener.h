// CControlListener: how a control reports a user change to its owner (the editor).
#pragma once

#include <cstdint>

namespace QGUI {

class CControl;
class CDrawContext;

class CControlListener {
 public:
  // Called after a user change altered the control's value; context may be null.
  virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
  // Called when the left button is pressed together with a modifier; a non-zero answer makes
  // the control ignore the click. The default answers 0.
  virtual std::int32_t modifierClicked(CDrawContext* context, CControl* control,
                                       std::int32_t buttons);

 protected:
  // Listeners are never owned or deleted through this interface.
  ~CControlListener() = default;
};

}  // namespace QGUI
