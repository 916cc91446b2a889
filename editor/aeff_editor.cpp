// The inert defaults of the editor interface.
#include "editor/aeff_editor.h"

AEffEditor::AEffEditor(AudioEffect* effect) : effect(effect), parentWindow(nullptr) {}

AEffEditor::~AEffEditor() = default;

AudioEffect* AEffEditor::getEffect() {
  return effect;
}

bool AEffEditor::getRect(ERect** rect) {
  if (rect) *rect = nullptr;
  return false;
}

bool AEffEditor::open(void* ptr) {
  parentWindow = ptr;
  return false;
}

void AEffEditor::close() {
  parentWindow = nullptr;
}

bool AEffEditor::isOpen() {
  return parentWindow != nullptr;
}

void AEffEditor::idle() {}

bool AEffEditor::onKeyDown(VstKeyCode&) {
  return false;
}

bool AEffEditor::onKeyUp(VstKeyCode&) {
  return false;
}

bool AEffEditor::onWheel(float) {
  return false;
}

bool AEffEditor::setKnobMode(VstInt32) {
  return false;
}
