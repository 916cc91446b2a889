// Parameters, programs, lines and host texts of the delay effects.
#include "effects/delay_effect.h"

#include <cstdio>

#include "editor/aeff_editor.h"
#include "effects/delay_state.h"
#include "shell/text_copy.h"

namespace {

constexpr const char* kVendor = "Quellin";

// Hosts send values outside 0..1, infinities and not-a-number; the stored value is the one in
// effect, so getParameter and saved programs show what the audio does.
float clampParameter(float value) {
  if (!(value > 0.0f)) return 0.0f;  // also not-a-number and -0
  return value < 1.0f ? value : 1.0f;
}

}  // namespace

DelayEffect::DelayEffect(audioMasterCallback audioMaster, VstInt32 uniqueID, const char* name)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams), effectName(name) {
  programs = std::make_unique<DelayProgram[]>(kNumPrograms);
  setProgram(0);
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueId(uniqueID);
  setCanReplacing(true);
  setCanDoubleReplacing(true);
  resume();

  sampleRate = sanitizeSampleRate(sampleRate);
  gSampleRate.store(sampleRate, std::memory_order_relaxed);
  gMaxDelaySamples.store(maxDelayForRate(sampleRate), std::memory_order_relaxed);
  resetLines(maxDelayForRate(sampleRate));

  // The delay editor attaches itself here (its constructor calls setEditor) once the editor
  // exists; until then the record carries no editor flag.
}

DelayEffect::~DelayEffect() = default;

void DelayEffect::resetLines(VstInt32 n) {
  // Should an allocation fail, the effect is left without lines and passes audio through.
  lineLeft.reset();
  lineRight.reset();
  lineLen = 0;
  lineLeft = std::make_unique<double[]>(static_cast<std::size_t>(n));  // zero-filled
  lineRight = std::make_unique<double[]>(static_cast<std::size_t>(n));
  lineLen = n;
  writePos.store(0, std::memory_order_relaxed);
  publishDelay(0);
  publishDelay(1);
}

void DelayEffect::publishDelay(VstInt32 index) {
  if (index == 0) {
    delayFramesLeft.store(publishedDelay(delayLeft.load(std::memory_order_relaxed), lineLen),
                          std::memory_order_relaxed);
  } else if (index == 1) {
    delayFramesRight.store(publishedDelay(delayRight.load(std::memory_order_relaxed), lineLen),
                           std::memory_order_relaxed);
  }
}

void DelayEffect::setSampleRate(float rate) {
  sampleRate = sanitizeSampleRate(rate);
  gSampleRate.store(sampleRate, std::memory_order_relaxed);
  gMaxDelaySamples.store(maxDelayForRate(sampleRate), std::memory_order_relaxed);
  resetLines(maxDelayForRate(sampleRate));
  setParameter(-1, -1.0f);  // changes nothing; makes the editor refresh its sample counts
}

VstInt32 DelayEffect::readPosition(VstInt32 index) const {
  const VstInt32 n = lineLen;
  if (n == 0 || (index != 0 && index != 1)) return 0;
  VstInt32 d = (index == 0 ? delayFramesLeft : delayFramesRight).load(std::memory_order_relaxed);
  if (d == kPassThrough) d = 0;
  const VstInt32 r = writePosition() - d;
  return r < 0 ? r + n : r;
}

void DelayEffect::setParameter(VstInt32 index, float value) {
  if (index == 0 || index == 1) {
    value = clampParameter(value);
    if (curProgram >= 0 && curProgram < kNumPrograms) {
      DelayProgram& program = programs[curProgram];
      (index == 0 ? program.delayLeft : program.delayRight) = value;
    }
    (index == 0 ? delayLeft : delayRight).store(value, std::memory_order_relaxed);
    publishDelay(index);
  }
  notifyEditor(index, value);
}

float DelayEffect::getParameter(VstInt32 index) {
  if (index == 0) return delayLeft.load(std::memory_order_relaxed);
  if (index == 1) return delayRight.load(std::memory_order_relaxed);
  return 0.0f;
}

void DelayEffect::setProgram(VstInt32 program) {
  if (program < 0 || program >= kNumPrograms) return;
  curProgram = program;
  // Through the virtual table, so the editor hears of both values.
  setParameter(0, programs[program].delayLeft);
  setParameter(1, programs[program].delayRight);
}

void DelayEffect::setProgramName(char* name) {
  if (name == nullptr || curProgram < 0 || curProgram >= kNumPrograms) return;
  copyProgramName(programs[curProgram].name, name);
}

void DelayEffect::getProgramName(char* name) {
  if (curProgram < 0 || curProgram >= kNumPrograms) {
    copyProgramName(name, "");
    return;
  }
  copyProgramName(name, programs[curProgram].name);
}

void DelayEffect::getParamLabel(VstInt32 index, char* label) {
  if (index == 0 || index == 1) copyParamText(label, "");
}

void DelayEffect::getParamDisplay(VstInt32 index, char* text) {
  if (index != 0 && index != 1) return;
  // The product of a 0..1 value and a line length of at most kMaxSampleRate / 100 samples has
  // at most four digits; the bounded copy keeps the host's 8 characters whatever happens.
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.0f",
                static_cast<double>(lineLen) * static_cast<double>(getParameter(index)));
  copyParamText(text, digits);
}

void DelayEffect::getParamName(VstInt32 index, char* text) {
  if (index == 0) copyParamText(text, "Left");
  if (index == 1) copyParamText(text, "Right");
}

bool DelayEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
  if (index < 0 || index >= kNumPrograms) return false;
  copyProgramName(text, programs[index].name);
  return true;
}

bool DelayEffect::getEffectName(char* name) {
  copyEffectName(name, effectName);
  return true;
}

bool DelayEffect::getVendorString(char* text) {
  copyVendorString(text, kVendor);
  return true;
}

bool DelayEffect::getProductString(char* text) {
  copyProductString(text, effectName);
  return true;
}

VstInt32 DelayEffect::getVendorVersion() { return kVendorVersion; }

VstIntPtr DelayEffect::vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* /*ptrArg*/,
                                      float floatArg) {
  if (editor == nullptr || lArg != kWheelIndex || lArg2 != kWheelValue) return 0;
  return editor->onWheel(floatArg) ? 1 : 0;
}

VstPlugCategory DelayEffect::getPlugCategory() { return kPlugCategSpacializer; }

void DelayEffect::notifyEditor(VstInt32 /*index*/, float /*value*/) {
  // The delay editor's parameterChanged is called from here once the editor exists.
}
