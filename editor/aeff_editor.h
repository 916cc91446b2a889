// The editor interface the effect talks to: the host's editor requests (rectangle, open, close,
// idle, keys, knob mode) and the mouse wheel arrive here. Every operation is an inert default;
// AEffGUIEditor binds them to the GUI toolkit.
#pragma once

#include "shell/aeffect.h"

class AudioEffect;

class AEffEditor {
 public:
  // effect: the owner of this editor, not owned; may be null in tests.
  explicit AEffEditor(AudioEffect* effect);
  virtual ~AEffEditor();

  virtual AudioEffect* getEffect();
  // Stores the address of the editor's rectangle in *rect (null here) and answers whether
  // there is one.
  virtual bool getRect(ERect** rect);
  // ptr: the host's window for the editor (opaque handle).
  virtual bool open(void* ptr);
  virtual void close();
  virtual bool isOpen();
  virtual void idle();
  // True when the key was handled.
  virtual bool onKeyDown(VstKeyCode& keyCode);
  virtual bool onKeyUp(VstKeyCode& keyCode);
  // distance: wheel notches, positive away from the user. True when handled.
  virtual bool onWheel(float distance);
  // mode: 0 circular, 1 relative circular, 2 linear. True when the mode was taken.
  virtual bool setKnobMode(VstInt32 val);

 protected:
  AudioEffect* effect;  // not owned
  void* parentWindow;   // the host's window given to open; null while there is none
};
