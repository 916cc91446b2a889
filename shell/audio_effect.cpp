// AudioEffect: the record's entry functions, the basic request dispatcher, the plain defaults,
// the basic host calls and the value-to-text conversions.
#include "shell/audio_effect.h"

#include <cmath>
#include <cstring>

#include "editor/aeff_editor.h"
#include "shell/text_copy.h"

namespace {

AudioEffect* owner(AEffect* e) {
  return e != nullptr ? static_cast<AudioEffect*>(e->object) : nullptr;
}

// The record's six entries. A record without an owner (a host calling after effClose, or a
// record it made up) is ignored rather than followed.
VstIntPtr VSTCALLBACK dispatchEntry(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                    void* ptr, float opt) {
  AudioEffect* effect = owner(e);
  if (effect == nullptr) return 0;
  if (opcode == effClose) {
    effect->dispatcher(opcode, index, value, ptr, opt);
    // The record lives inside the object: it is gone after this.
    delete effect;
    return 1;
  }
  return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK processEntry(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
  if (AudioEffect* effect = owner(e)) effect->process(inputs, outputs, frames);
}

void VSTCALLBACK processReplacingEntry(AEffect* e, float** inputs, float** outputs,
                                       VstInt32 frames) {
  if (AudioEffect* effect = owner(e)) effect->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs,
                                             VstInt32 frames) {
  if (AudioEffect* effect = owner(e)) effect->processDoubleReplacing(inputs, outputs, frames);
}

void VSTCALLBACK setParameterEntry(AEffect* e, VstInt32 index, float value) {
  if (AudioEffect* effect = owner(e)) effect->setParameter(index, value);
}

float VSTCALLBACK getParameterEntry(AEffect* e, VstInt32 index) {
  AudioEffect* effect = owner(e);
  return effect != nullptr ? effect->getParameter(index) : 0.0f;
}

// Writes text cut to maxLen characters; a negative maxLen leaves no room even for the
// terminator, so nothing is written.
void putText(char* text, const char* source, VstInt32 maxLen) {
  if (text == nullptr || maxLen < 0) return;
  textCopy(text, source, static_cast<std::size_t>(maxLen));
}

constexpr const char* kHugeText = "Huge!";
constexpr const char* kMinusInfinityText = "-oo";

// The eight-character fixed-point form: sign, integer digits, point, fraction digits, digits
// truncated rather than rounded. Writes into out (at least 9 bytes).
//
// Values the form cannot show give "Huge!": above 99999999, below -9999999, and not-a-number.
// When sign and integer digits alone fill the eight characters (10000000 and up, -1000000 and
// down) the text is those digits without a point, so that it never shows a wrong number.
void formatFixed8(float value, char* out) {
  // Compared as doubles: 99999999 has no float of its own and would round up to 10^8.
  const double wide = static_cast<double>(value);
  if (std::isnan(wide) || wide > 99999999.0 || wide < -9999999.0) {
    std::strcpy(out, kHugeText);
    return;
  }
  const bool negative = wide < 0.0;  // -0.0 is not negative
  const double v = std::fabs(wide);

  char digits[16];  // integer digits, least significant first
  int count = 0;
  double integ = std::floor(v);
  do {
    digits[count++] = static_cast<char>('0' + static_cast<int>(std::fmod(integ, 10.0)));
    integ = std::floor(integ / 10.0);
  } while (integ >= 1.0 && count < 8);

  char* p = out;
  if (negative) *p++ = '-';
  while (count > 0) *p++ = digits[--count];

  int used = static_cast<int>(p - out);
  if (used >= 8) {  // no room for a point and a fraction
    *p = '\0';
    return;
  }
  *p++ = '.';
  ++used;

  const int fractionDigits = 8 - used;
  static constexpr double kPowersOfTen[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
  double m = std::fmod(v, 1.0) * kPowersOfTen[fractionDigits];
  for (int i = fractionDigits - 1; i >= 0; --i) {
    int digit = 0;
    if (m > 0.0) {
      digit = static_cast<int>(std::fmod(m, 10.0));
      m /= 10.0;
    }
    p[i] = static_cast<char>('0' + digit);
  }
  p[fractionDigits] = '\0';
}

// Decimal integer text; values whose digits the nine divisors 10^8..1 cannot produce give
// "Huge!" (above 99999999 or below -999999999).
void formatInteger(VstInt32 value, char* out) {
  if (value > 99999999 || value < -999999999) {
    std::strcpy(out, kHugeText);
    return;
  }
  char* p = out;
  VstInt64 magnitude = value;
  if (magnitude < 0) {
    *p++ = '-';
    magnitude = -magnitude;
  }
  bool started = false;
  for (VstInt64 divisor = 100000000; divisor >= 1; divisor /= 10) {
    const VstInt64 digit = magnitude / divisor;
    magnitude -= digit * divisor;
    if (digit > 0) started = true;
    if (started) *p++ = static_cast<char>('0' + digit);
  }
  if (!started) *p++ = '0';
  *p = '\0';
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                         VstInt32 numParams)
    : audioMaster(audioMaster),
      editor(nullptr),
      sampleRate(44100.0f),
      blockSize(1024),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEntry;
  cEffect.process = processEntry;
  cEffect.setParameter = setParameterEntry;
  cEffect.getParameter = getParameterEntry;
  cEffect.numPrograms = numPrograms;
  cEffect.numParams = numParams;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.flags = effFlagsCanReplacing;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = qlnFourCC('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = processReplacingEntry;
  cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect() {
  delete editor;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    // The text requests carry no length: the operations keep to the request's limit. A host
    // that passes no buffer gets nothing written.
    case effSetProgramName:
      if (text != nullptr) setProgramName(text);
      return 0;
    case effGetProgramName:
      if (text != nullptr) getProgramName(text);
      return 0;
    case effGetParamLabel:
      if (text != nullptr) getParamLabel(index, text);
      return 0;
    case effGetParamDisplay:
      if (text != nullptr) getParamDisplay(index, text);
      return 0;
    case effGetParamName:
      if (text != nullptr) getParamName(index, text);
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(value));
      return 0;
    case effMainsChanged:
      if (value == 0)
        suspend();
      else
        resume();
      return 0;
    case effEditGetRect:
      if (editor == nullptr || ptr == nullptr) return 0;
      return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      if (editor == nullptr) return 0;
      return editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor != nullptr) editor->close();
      return 0;
    case effEditIdle:
      if (editor != nullptr) editor->idle();
      return 0;
    case effIdentify:
      return kEffectIdentify;
    case effGetChunk:
      if (ptr == nullptr) return 0;
      return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:  // effGetVu, effEditDraw .. effEditKey, effEditTop, effEditSleep, unknown opcodes
      return 0;
  }
}

void AudioEffect::open() {}
void AudioEffect::close() {}
void AudioEffect::suspend() {}
void AudioEffect::resume() {}

void AudioEffect::setSampleRate(float rate) { sampleRate = rate; }
void AudioEffect::setBlockSize(VstInt32 size) { blockSize = size; }

void AudioEffect::processDoubleReplacing(double**, double**, VstInt32) {}

void AudioEffect::setParameter(VstInt32, float) {}
float AudioEffect::getParameter(VstInt32) { return 0.0f; }

void AudioEffect::setParameterAndAutomate(VstInt32 index, float value) {
  setParameter(index, value);
  if (audioMaster != nullptr) audioMaster(&cEffect, audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getProgram() { return curProgram; }
void AudioEffect::setProgram(VstInt32 program) { curProgram = program; }
void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char* name) { textCopy(name, "", 0); }
void AudioEffect::getParamLabel(VstInt32, char* label) { textCopy(label, "", 0); }
void AudioEffect::getParamDisplay(VstInt32, char* text) { textCopy(text, "", 0); }
void AudioEffect::getParamName(VstInt32, char* text) { textCopy(text, "", 0); }

VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }
VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }

void AudioEffect::setUniqueId(VstInt32 uniqueID) { cEffect.uniqueID = uniqueID; }
void AudioEffect::setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
void AudioEffect::setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
void AudioEffect::setCanReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void AudioEffect::setCanDoubleReplacing(bool state) {
  setFlag(effFlagsCanDoubleReplacing, state);
}
void AudioEffect::setProgramChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
void AudioEffect::setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }

AEffEditor* AudioEffect::getEditor() { return editor; }
AEffect* AudioEffect::getEffectRecord() { return &cEffect; }
float AudioEffect::getSampleRate() { return sampleRate; }
VstInt32 AudioEffect::getBlockSize() { return blockSize; }

VstInt32 AudioEffect::hostGetVersion() {
  if (audioMaster == nullptr) return 1;
  const VstIntPtr answer = audioMaster(&cEffect, audioMasterVersion, 0, 0, nullptr, 0.0f);
  return answer != 0 ? static_cast<VstInt32>(answer) : 1;
}

VstInt32 AudioEffect::hostGetCurrentId() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterCurrentId, 0, 0, nullptr, 0.0f));
}

void AudioEffect::hostIdle() {
  if (audioMaster != nullptr) audioMaster(&cEffect, audioMasterIdle, 0, 0, nullptr, 0.0f);
}

void AudioEffect::dbToText(float value, char* text, VstInt32 maxLen) {
  // NaN is not "<= 0" and goes on to floatToText, which shows it as out of range.
  if (value <= 0.0f) {
    putText(text, kMinusInfinityText, maxLen);
    return;
  }
  floatToText(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text, maxLen);
}

void AudioEffect::hzToText(float samples, char* text, VstInt32 maxLen) {
  if (samples == 0.0f) {
    floatToText(0.0f, text, maxLen);
    return;
  }
  floatToText(getSampleRate() / samples, text, maxLen);
}

void AudioEffect::msToText(float samples, char* text, VstInt32 maxLen) {
  const float rate = getSampleRate();
  // Without a rate the duration is unbounded; say so without dividing by zero.
  if (rate == 0.0f) {
    putText(text, kHugeText, maxLen);
    return;
  }
  floatToText(samples * 1000.0f / rate, text, maxLen);
}

void AudioEffect::floatToText(float value, char* text, VstInt32 maxLen) {
  char out[16];
  formatFixed8(value, out);
  putText(text, out, maxLen);
}

void AudioEffect::intToText(VstInt32 value, char* text, VstInt32 maxLen) {
  char out[16];
  formatInteger(value, out);
  putText(text, out, maxLen);
}

void AudioEffect::process(float**, float**, VstInt32) {}

float AudioEffect::spareFloatQuery() { return 0.0f; }

void AudioEffect::setHasVu(bool state) { setFlag(effFlagsHasVu, state); }
void AudioEffect::setHasClip(bool state) { setFlag(effFlagsHasClip, state); }
void AudioEffect::setCanMono(bool state) { setFlag(effFlagsCanMono, state); }
void AudioEffect::setRealtimeQualities(VstInt32 qualities) { cEffect.realQualities = qualities; }
void AudioEffect::setOfflineQualities(VstInt32 qualities) { cEffect.offQualities = qualities; }

bool AudioEffect::isInputConnected(VstInt32 input) {
  if (audioMaster == nullptr) return true;
  // The host answers 0 for a connected pin.
  return audioMaster(&cEffect, audioMasterPinConnected, input, 0, nullptr, 0.0f) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
  if (audioMaster == nullptr) return true;
  return audioMaster(&cEffect, audioMasterPinConnected, output, 1, nullptr, 0.0f) == 0;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state)
    cEffect.flags |= flag;
  else
    cEffect.flags &= ~flag;
}
