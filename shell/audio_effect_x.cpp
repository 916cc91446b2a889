// AudioEffectX: the extended request dispatcher, its defaults, the extended host calls and the
// speaker-arrangement utilities.
#include "shell/audio_effect_x.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "editor/aeff_editor.h"
#include "shell/text_copy.h"

namespace {

// Arrangements are sized for their channel count but never below the declared eight speakers,
// so that code written against the declared layout stays inside the block.
constexpr std::size_t kArrangementHeader = offsetof(VstSpeakerArrangement, speakers);

// The i-th speaker of an arrangement made for more than eight channels lies past the declared
// array; its address is computed from the block rather than by indexing that array.
VstSpeakerProperties* speakerAt(VstSpeakerArrangement* arrangement, VstInt32 i) {
  auto* base = reinterpret_cast<unsigned char*>(arrangement) + kArrangementHeader;
  return reinterpret_cast<VstSpeakerProperties*>(base +
                                                 static_cast<std::size_t>(i) *
                                                     sizeof(VstSpeakerProperties));
}

}  // namespace

VstKeyCode makeVstKeyCode(VstInt32 index, VstIntPtr value, float opt) {
  VstKeyCode key{};
  key.character = index;
  key.virt = static_cast<unsigned char>(static_cast<std::uintptr_t>(value) & 0xFF);
  // The low byte of opt truncated towards zero, taken modulo 256 as for a two's-complement
  // integer; computed in floating point so that huge and non-finite values cannot overflow.
  double low = 0.0;
  if (std::isfinite(opt)) {
    low = std::fmod(std::trunc(static_cast<double>(opt)), 256.0);
    if (low < 0.0) low += 256.0;
  }
  key.modifier = static_cast<unsigned char>(static_cast<int>(low));
  return key;
}

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms,
                           VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams) {}

AudioEffectX::~AudioEffectX() = default;

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  char* text = static_cast<char*>(ptr);
  const auto value32 = static_cast<VstInt32>(value);
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return canBeAutomated(index) ? 1 : 0;
    // Text requests without a buffer or text are answered 0 without calling the operation.
    case effString2Parameter:
      if (text == nullptr) return 0;
      return string2Parameter(index, text) ? 1 : 0;
    case effGetProgramNameIndexed:
      if (text == nullptr) return 0;
      return getProgramNameIndexed(value32, index, text) ? 1 : 0;
    case effGetInputProperties:
      return getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
      return getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
      return getPlugCategory();
    case effOfflineNotify:
      return offlineNotify(static_cast<VstAudioFile*>(ptr), value32, index != 0) ? 1 : 0;
    case effOfflinePrepare:
      return offlinePrepare(static_cast<VstOfflineTask*>(ptr), value32) ? 1 : 0;
    case effOfflineRun:
      return offlineRun(static_cast<VstOfflineTask*>(ptr), value32) ? 1 : 0;
    case effProcessVarIo:
      return processVarIo(static_cast<VstVariableIo*>(ptr)) ? 1 : 0;
    case effSetSpeakerArrangement:
      return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                   static_cast<VstSpeakerArrangement*>(ptr))
                 ? 1
                 : 0;
    case effSetBypass:
      return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
      if (text == nullptr) return 0;
      return getEffectName(text) ? 1 : 0;
    case effGetVendorString:
      if (text == nullptr) return 0;
      return getVendorString(text) ? 1 : 0;
    case effGetProductString:
      if (text == nullptr) return 0;
      return getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      if (text == nullptr) return 0;
      return canDo(text);
    case effGetTailSize:
      return getTailSize();
    case effGetParameterProperties:
      return getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
      if (editor == nullptr) return 0;
      VstKeyCode key = makeVstKeyCode(index, value, opt);
      const bool handled =
          opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
      return handled ? 1 : 0;
    }
    case effSetEditKnobMode:
      if (editor == nullptr) return 0;
      return editor->setKnobMode(value32) ? 1 : 0;
    case effGetMidiProgramName:
      return getMidiProgramName(index, static_cast<VstMidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
      return getCurrentMidiProgram(index, static_cast<VstMidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
      return getMidiProgramCategory(index, static_cast<VstMidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
      return hasMidiProgramsChanged(index) ? 1 : 0;
    case effGetMidiKeyName:
      return getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)) ? 1 : 0;
    case effBeginSetProgram:
      return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
      return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement:
      return getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                   static_cast<VstSpeakerArrangement**>(ptr))
                 ? 1
                 : 0;
    case effShellGetNextPlugin:
      if (text == nullptr) return 0;
      return shellGetNextPlugin(text);
    case effStartProcess:
      return startProcess();
    case effStopProcess:
      return stopProcess();
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(value32);
    case effSetPanLaw:
      return setPanLaw(value32, opt) ? 1 : 0;
    case effBeginLoadBank:
      return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
      return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
      return setProcessPrecision(value32) ? 1 : 0;
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    default:  // the basic set, the retired extended opcodes and everything outside 0..79
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

void AudioEffectX::resume() {
  if ((cEffect.flags & effFlagsIsSynth) != 0 || canDo("receiveVstMidiEvent") == 1)
    hostWantEvents(1);
}

bool AudioEffectX::canBeAutomated(VstInt32) { return true; }
bool AudioEffectX::string2Parameter(VstInt32, char*) { return false; }
bool AudioEffectX::getParameterProperties(VstInt32, VstParameterProperties*) { return false; }

bool AudioEffectX::hostBeginEdit(VstInt32 index) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterBeginEdit, index, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::hostEndEdit(VstInt32 index) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterEndEdit, index, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
bool AudioEffectX::beginSetProgram() { return false; }
bool AudioEffectX::endSetProgram() { return false; }
VstInt32 AudioEffectX::beginLoadBank(VstPatchChunkInfo*) { return 0; }
VstInt32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo*) { return 0; }

bool AudioEffectX::hostIOChanged() {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterIOChanged, 0, 0, nullptr, 0.0f) != 0;
}

float AudioEffectX::hostGetSampleRate() {
  if (audioMaster != nullptr) {
    const VstIntPtr answer = audioMaster(&cEffect, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f);
    if (answer > 0) sampleRate = static_cast<float>(answer);
  }
  return sampleRate;
}

VstInt32 AudioEffectX::hostGetBlockSize() {
  if (audioMaster != nullptr) {
    const VstIntPtr answer = audioMaster(&cEffect, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f);
    // An answer that does not fit the 32-bit field is no block size either.
    if (answer > 0 && answer <= INT32_MAX) blockSize = static_cast<VstInt32>(answer);
  }
  return blockSize;
}

VstInt32 AudioEffectX::hostGetInputLatency() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetInputLatency, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::hostGetOutputLatency() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f));
}

bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
  return false;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                         VstSpeakerArrangement** pluginOutput) {
  if (pluginInput != nullptr) *pluginInput = nullptr;
  if (pluginOutput != nullptr) *pluginOutput = nullptr;
  return false;
}

bool AudioEffectX::setBypass(bool) { return false; }
bool AudioEffectX::setPanLaw(VstInt32, float) { return false; }
bool AudioEffectX::setProcessPrecision(VstInt32) { return false; }
VstInt32 AudioEffectX::getNumMidiInputChannels() { return 0; }
VstInt32 AudioEffectX::getNumMidiOutputChannels() { return 0; }

VstTimeInfo* AudioEffectX::hostGetTime(VstInt32 filter) {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<VstTimeInfo*>(
      audioMaster(&cEffect, audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

VstInt32 AudioEffectX::hostGetCurrentProcessLevel() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::hostGetAutomationState() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetAutomationState, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::processEvents(VstEvents*) { return 0; }
VstInt32 AudioEffectX::startProcess() { return 0; }
VstInt32 AudioEffectX::stopProcess() { return 0; }
bool AudioEffectX::processVarIo(VstVariableIo*) { return false; }
VstInt32 AudioEffectX::setTotalSampleToProcess(VstInt32 value) { return value; }

bool AudioEffectX::hostGetVendorString(char* text) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterGetVendorString, 0, 0, text, 0.0f) != 0;
}

bool AudioEffectX::hostGetProductString(char* text) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterGetProductString, 0, 0, text, 0.0f) != 0;
}

VstInt32 AudioEffectX::hostGetVendorVersion() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg,
                                           float floatArg) {
  if (audioMaster == nullptr) return 0;
  return audioMaster(&cEffect, audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}

bool AudioEffectX::hostCanDo(const char* text) {
  if (audioMaster == nullptr) return false;
  // The host reads the text only; the callback's pointer argument is untyped.
  return audioMaster(&cEffect, audioMasterCanDo, 0, 0, const_cast<char*>(text), 0.0f) != 0;
}

VstInt32 AudioEffectX::hostGetLanguage() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetLanguage, 0, 0, nullptr, 0.0f));
}

void AudioEffectX::setIsSynth(bool state) { setFlag(effFlagsIsSynth, state); }
void AudioEffectX::setNoSoundInStop(bool state) { setFlag(effFlagsNoSoundInStop, state); }
VstInt32 AudioEffectX::getTailSize() { return 0; }

char* AudioEffectX::hostGetDirectory() {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<char*>(
      audioMaster(&cEffect, audioMasterGetDirectory, 0, 0, nullptr, 0.0f));
}

bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
VstInt32 AudioEffectX::getVendorVersion() { return 0; }
VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
VstInt32 AudioEffectX::canDo(const char*) { return 0; }
VstInt32 AudioEffectX::getVstVersion() { return kVstVersion; }

VstPlugCategory AudioEffectX::getPlugCategory() {
  return (cEffect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategUnknown;
}

VstInt32 AudioEffectX::getMidiProgramName(VstInt32, VstMidiProgramName*) { return 0; }
VstInt32 AudioEffectX::getCurrentMidiProgram(VstInt32, VstMidiProgramName*) { return -1; }
VstInt32 AudioEffectX::getMidiProgramCategory(VstInt32, VstMidiProgramCategory*) { return 0; }
bool AudioEffectX::hasMidiProgramsChanged(VstInt32) { return false; }
bool AudioEffectX::getMidiKeyName(VstInt32, MidiKeyName*) { return false; }

bool AudioEffectX::hostUpdateDisplay() {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::hostSizeWindow(VstInt32 width, VstInt32 height) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}

bool AudioEffectX::hostOpenFileSelector(VstFileSelect* ptr) {
  if (audioMaster == nullptr || ptr == nullptr) return false;
  return audioMaster(&cEffect, audioMasterOpenFileSelector, 0, 0, ptr, 0.0f) != 0;
}

bool AudioEffectX::hostCloseFileSelector(VstFileSelect* ptr) {
  if (audioMaster == nullptr || ptr == nullptr) return false;
  return audioMaster(&cEffect, audioMasterCloseFileSelector, 0, 0, ptr, 0.0f) != 0;
}

VstInt32 AudioEffectX::shellGetNextPlugin(char*) { return 0; }

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement,
                                       VstInt32 numChannels) {
  if (arrangement == nullptr || numChannels < 0) return false;
  // 32-bit builds: a count near INT32_MAX does not fit in memory; refuse instead of wrapping.
  if (static_cast<std::uint64_t>(numChannels) >
      (SIZE_MAX - kArrangementHeader) / sizeof(VstSpeakerProperties))
    return false;
  deallocateArrangement(arrangement);
  std::size_t size =
      kArrangementHeader + static_cast<std::size_t>(numChannels) * sizeof(VstSpeakerProperties);
  if (size < sizeof(VstSpeakerArrangement)) size = sizeof(VstSpeakerArrangement);
  void* block = std::calloc(1, size);
  if (block == nullptr) return false;
  auto* made = static_cast<VstSpeakerArrangement*>(block);
  made->numChannels = numChannels;
  *arrangement = made;
  return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
  if (arrangement == nullptr) return false;
  std::free(*arrangement);
  *arrangement = nullptr;
  return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
  if (to == nullptr || from == nullptr) return false;
  if (to == from) return true;
  textCopy(to->name, from->name, sizeof(to->name) - 1);
  to->type = from->type;
  to->azimuth = from->azimuth;
  to->elevation = from->elevation;
  to->radius = from->radius;
  to->reserved = from->reserved;
  std::memcpy(to->future, from->future, sizeof(to->future));
  return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
  if (to == nullptr || from == nullptr) return false;
  // Matching an arrangement to itself would free the source before copying it.
  if (*to == from) return true;
  if (!deallocateArrangement(to) || !allocateArrangement(to, from->numChannels)) return false;
  (*to)->type = from->type;
  for (VstInt32 i = 0; i < from->numChannels; ++i) {
    if (!copySpeaker(speakerAt(*to, i), speakerAt(from, i))) return false;
  }
  return true;
}

bool AudioEffectX::hostOfflineRead(VstOfflineTask* offline, VstInt32 option, bool readSource) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterOfflineRead, readSource ? 1 : 0, option, offline,
                     0.0f) != 0;
}

bool AudioEffectX::hostOfflineWrite(VstOfflineTask* offline, VstInt32 option) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterOfflineWrite, 0, option, offline, 0.0f) != 0;
}

bool AudioEffectX::hostOfflineStart(VstAudioFile* ptr, VstInt32 numAudioFiles,
                                    VstInt32 numNewAudioFiles) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr,
                     0.0f) != 0;
}

bool AudioEffectX::hostOfflineGetCurrentPass() {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::hostOfflineGetCurrentMetaPass() {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::offlineNotify(VstAudioFile*, VstInt32, bool) { return false; }
bool AudioEffectX::offlinePrepare(VstOfflineTask*, VstInt32) { return false; }
bool AudioEffectX::offlineRun(VstOfflineTask*, VstInt32) { return false; }

VstInt32 AudioEffectX::spareQuery1() { return 0; }
VstInt32 AudioEffectX::spareQuery2() { return 0; }

VstInt32 AudioEffectX::hostWantEvents(VstInt32 filter) {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterWantMidi, 0, filter, nullptr, 0.0f));
}

VstInt32 AudioEffectX::hostTempoAt(VstInt32 pos) {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(audioMaster(&cEffect, audioMasterTempoAt, 0, pos, nullptr, 0.0f));
}

VstInt32 AudioEffectX::hostGetNumAutomatableParameters() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::hostGetParameterQuantization() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::spareQuery3() { return 1; }
VstInt32 AudioEffectX::spareQuery4(VstInt32) { return 0; }

bool AudioEffectX::hostNeedIdle() {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterNeedIdle, 0, 0, nullptr, 0.0f) != 0;
}

// The pin argument is not passed on: the host answers for the whole plug-in.
AEffect* AudioEffectX::hostGetPreviousPlug(VstInt32) {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<AEffect*>(
      audioMaster(&cEffect, audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f));
}

AEffect* AudioEffectX::hostGetNextPlug(VstInt32) {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<AEffect*>(
      audioMaster(&cEffect, audioMasterGetNextPlug, 0, 0, nullptr, 0.0f));
}

void AudioEffectX::spareNotify1(VstInt32, VstInt32) {}
void AudioEffectX::spareNotify2(VstInt32, VstInt32) {}

VstInt32 AudioEffectX::hostWillReplaceOrAccumulate() {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f));
}

void AudioEffectX::setExtIsAsync(bool state) { setFlag(effFlagsExtIsAsync, state); }
void AudioEffectX::setExtHasBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }

VstInt32 AudioEffectX::spareQuery5() { return 0; }
VstInt32 AudioEffectX::spareQuery6() { return 0; }

VstInt32 AudioEffectX::hostSetOutputSampleRate(float rate) {
  if (audioMaster == nullptr) return 0;
  return static_cast<VstInt32>(
      audioMaster(&cEffect, audioMasterSetOutputSampleRate, 0, 0, nullptr, rate));
}

VstSpeakerArrangement* AudioEffectX::hostGetInputSpeakerArrangement() {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<VstSpeakerArrangement*>(
      audioMaster(&cEffect, audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0.0f));
}

VstSpeakerArrangement* AudioEffectX::hostGetOutputSpeakerArrangement() {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<VstSpeakerArrangement*>(
      audioMaster(&cEffect, audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0.0f));
}

void* AudioEffectX::hostOpenWindow(VstWindow* window) {
  if (audioMaster == nullptr) return nullptr;
  return reinterpret_cast<void*>(
      audioMaster(&cEffect, audioMasterOpenWindow, 0, 0, window, 0.0f));
}

bool AudioEffectX::hostCloseWindow(VstWindow* window) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterCloseWindow, 0, 0, window, 0.0f) != 0;
}

void AudioEffectX::setBlockSizeAndSampleRate(VstInt32 size, float rate) {
  blockSize = size;
  sampleRate = rate;
}

VstInt32 AudioEffectX::spareQuery7(VstInt32) { return 0; }
VstInt32 AudioEffectX::spareQuery8() { return 0; }
VstInt32 AudioEffectX::spareQuery9(VstInt32, VstInt32) { return 0; }
VstInt32 AudioEffectX::spareQuery10() { return 0; }
VstInt32 AudioEffectX::spareQuery11() { return 0; }

bool AudioEffectX::hostGetChunkFile(void* nativePath) {
  if (audioMaster == nullptr || nativePath == nullptr) return false;
  return audioMaster(&cEffect, audioMasterGetChunkFile, 0, 0, nativePath, 0.0f) != 0;
}

bool AudioEffectX::hostProcessEvents(VstEvents* events) {
  if (audioMaster == nullptr) return false;
  return audioMaster(&cEffect, audioMasterProcessEvents, 0, 0, events, 0.0f) == 1;
}
