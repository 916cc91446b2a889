// The editor base bound to the GUI toolkit.
#include "editor/aeff_gui_editor.h"

#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/platform/input.h"
#include "gui/platform/ole.h"
#include "gui/platform/window.h"
#include "shell/audio_effect.h"
#include "shell/audio_effect_x.h"

std::int32_t gKnobMode = 0;

namespace {

// Tick arithmetic that stays right across the counter's wrap: the signed distance from b to a.
std::int32_t ticksAfter(std::uint32_t a, std::uint32_t b) {
  return static_cast<std::int32_t>(a - b);
}

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect)
    : AEffEditor(effect), rect{0, 0, 0, 0}, nextIdleTicks(0), inIdleStep(false), frame(nullptr) {
  nextIdleTicks = QGUI::platform::tickCount();
  if (effect) effect->setEditor(this);
  QGUI::platform::oleInitialize();
}

AEffGUIEditor::~AEffGUIEditor() {
  QGUI::platform::oleUninitialize();
}

bool AEffGUIEditor::getRect(ERect** rectOut) {
  if (rectOut) *rectOut = &rect;
  return true;
}

void AEffGUIEditor::idle() {
  // The host may send its idle request from inside the idle call that idleStep makes.
  if (inIdleStep) return;
  if (frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
  if (!frame) return false;
  return frame->handleKeyDown(keyCode) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) {
  if (!frame) return false;
  return frame->handleKeyUp(keyCode) == 1;
}

bool AEffGUIEditor::onWheel(float distance) {
  if (!frame) return false;
  // A context without a surface, placed on the host's window, only to read the pointer.
  auto* context = new QGUI::CDrawContext(frame, nullptr, nullptr);
  QGUI::platform::WindowRect windowRect;
  if (QGUI::platform::windowScreenRect(parentWindow, windowRect))
    context->screenOffset = QGUI::CPosition(windowRect.left, windowRect.top);
  QGUI::CPosition where;
  context->queryMousePosition(where);
  const bool handled = frame->handleWheel(context, where, distance);
  context->release();
  return handled;
}

bool AEffGUIEditor::setKnobMode(VstInt32 val) {
  gKnobMode = val;
  return true;
}

void AEffGUIEditor::parameterChanged(VstInt32, float) {}

void AEffGUIEditor::beginEdit(VstInt32 index) {
  // The gesture bracket is an extended host call; a plain effect has no way to send it.
  if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->hostBeginEdit(index);
}

void AEffGUIEditor::endEdit(VstInt32 index) {
  if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->hostEndEdit(index);
}

void AEffGUIEditor::idleStep() {
  std::uint32_t now = QGUI::platform::tickCount();
  if (ticksAfter(nextIdleTicks, now) > 0) {
    QGUI::platform::sleepMilliseconds(4);
    now += 4;
    if (ticksAfter(nextIdleTicks - 50, now) > 0) return;
  }
  idle();
  QGUI::platform::dispatchOnePendingPaint();
  nextIdleTicks = now + 100;
  inIdleStep = true;
  if (effect) effect->hostIdle();
  inIdleStep = false;
}

std::uint32_t AEffGUIEditor::ticks() {
  return QGUI::platform::tickCount();
}
