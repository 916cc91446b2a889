// The editor base bound to the GUI toolkit: owns the frame while open, hands keys and the wheel
// to it, redraws dirty views when the host idles the editor, brackets control gestures towards
// the host and paces the mouse-tracking loops of controls.
#pragma once

#include <cstdint>

#include "editor/aeff_editor.h"

namespace QGUI {
class CFrame;
}

// The host's knob mode (0 circular, 1 relative circular, 2 linear), shared by every editor and
// frame of the library. User-interface thread only.
extern std::int32_t gKnobMode;

class AEffGUIEditor : public AEffEditor {
 public:
  // Registers itself with the effect (which then owns it) and initialises OLE once.
  explicit AEffGUIEditor(AudioEffect* effect);
  // Releases the OLE initialisation of the constructor; does not touch the frame.
  ~AEffGUIEditor() override;

  bool getRect(ERect** rect) override;
  void idle() override;
  bool onKeyDown(VstKeyCode& keyCode) override;
  bool onKeyUp(VstKeyCode& keyCode) override;
  bool onWheel(float distance) override;
  bool setKnobMode(VstInt32 val) override;

  // The effect reports a parameter change; may come from any thread. Nothing here.
  virtual void parameterChanged(VstInt32 index, float value);
  // A user gesture on parameter `index` starts or ends (tells the host).
  virtual void beginEdit(VstInt32 index);
  virtual void endEdit(VstInt32 index);
  // Run repeatedly by a control that tracks the mouse in its own loop: keeps the window
  // painted and the host alive, at most one full step per 100 ms, 4 ms sleeps in between.
  virtual void idleStep();

  // The system's millisecond tick count (wraps after about 49.7 days).
  std::uint32_t ticks();

  QGUI::CFrame* getFrame() const { return frame; }

 protected:
  ERect rect;                   // size reported to the host; the concrete editor fills it in
  std::uint32_t nextIdleTicks;  // tick count before which idleStep only sleeps
  bool inIdleStep;              // true only while idleStep waits for the host's idle call
  QGUI::CFrame* frame;          // owned while open; null while closed
};
