// Test doubles for the shell: a host callback that records every call and answers what the test
// sets, an effect that records which of its operations a request reaches (standing in for the
// concrete effects) and an editor that does the same for the editor requests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/aeff_editor.h"
#include "shell/audio_effect_x.h"

namespace shelltest {

// Two distinct addresses that tests pass as pointer arguments and recognise again in the logs.
alignas(16) extern char gBufferA[64];
alignas(16) extern char gBufferB[64];

// "A", "B", "null", or "other" for any other address.
std::string describe(const void* p);

struct HostCall {
  AEffect* effect;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

// The callback below reports to the one RecordingHost alive at a time.
class RecordingHost {
public:
  RecordingHost();
  ~RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                        VstIntPtr value, void* ptr, float opt);

  std::vector<HostCall> calls;
  VstIntPtr answer = 0;          // what every call answers
  VstIntPtr versionAnswer = 2400;  // what audioMasterVersion answers
};

// The operations a request reached, in order, as "name(arguments)". Shared by the recording
// effect, its editor and whatever else a test wants to observe, so that order shows too.
extern std::vector<std::string> gJournal;

// An effect that records every operation the dispatchers and record entries can reach and gives
// answers a test can tell from the defaults.
class RecordingEffect : public AudioEffectX {
public:
  static constexpr VstInt32 kIntAnswer = 7;
  static constexpr VstIntPtr kWideAnswer = static_cast<VstIntPtr>(0x7654321);

  explicit RecordingEffect(audioMasterCallback host, VstInt32 programs = 16, VstInt32 params = 2);
  ~RecordingEffect() override;

  // AudioEffect
  void open() override;
  void close() override;
  void suspend() override;
  void resume() override;
  void setSampleRate(float sampleRate) override;
  void setBlockSize(VstInt32 blockSize) override;
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  VstInt32 getProgram() override;
  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParamLabel(VstInt32 index, char* label) override;
  void getParamDisplay(VstInt32 index, char* text) override;
  void getParamName(VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
  void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;

  // AudioEffectX
  bool canBeAutomated(VstInt32 index) override;
  bool string2Parameter(VstInt32 index, char* text) override;
  bool getParameterProperties(VstInt32 index, VstParameterProperties* p) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  bool beginSetProgram() override;
  bool endSetProgram() override;
  VstInt32 beginLoadBank(VstPatchChunkInfo* ptr) override;
  VstInt32 beginLoadProgram(VstPatchChunkInfo* ptr) override;
  bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
  bool setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                             VstSpeakerArrangement* pluginOutput) override;
  bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                             VstSpeakerArrangement** pluginOutput) override;
  bool setBypass(bool onOff) override;
  bool setPanLaw(VstInt32 type, float val) override;
  bool setProcessPrecision(VstInt32 precision) override;
  VstInt32 getNumMidiInputChannels() override;
  VstInt32 getNumMidiOutputChannels() override;
  VstInt32 processEvents(VstEvents* events) override;
  VstInt32 startProcess() override;
  VstInt32 stopProcess() override;
  bool processVarIo(VstVariableIo* varIo) override;
  VstInt32 setTotalSampleToProcess(VstInt32 value) override;
  VstInt32 getTailSize() override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;
  VstIntPtr vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* ptrArg, float floatArg) override;
  VstInt32 canDo(const char* text) override;
  VstInt32 getVstVersion() override;
  VstPlugCategory getPlugCategory() override;
  VstInt32 getMidiProgramName(VstInt32 channel, VstMidiProgramName* name) override;
  VstInt32 getCurrentMidiProgram(VstInt32 channel, VstMidiProgramName* current) override;
  VstInt32 getMidiProgramCategory(VstInt32 channel, VstMidiProgramCategory* category) override;
  bool hasMidiProgramsChanged(VstInt32 channel) override;
  bool getMidiKeyName(VstInt32 channel, MidiKeyName* keyName) override;
  VstInt32 shellGetNextPlugin(char* name) override;
  bool offlineNotify(VstAudioFile* ptr, VstInt32 numAudioFiles, bool start) override;
  bool offlinePrepare(VstOfflineTask* offline, VstInt32 count) override;
  bool offlineRun(VstOfflineTask* offline, VstInt32 count) override;

  VstInt32 canDoAnswer = -1;  // answer of canDo, so that "its full answer" is visible
  using AudioEffectX::curProgram;
  using AudioEffectX::setFlag;
};

// An effect with nothing but the required process: every other operation is the base default.
class PlainEffect : public AudioEffectX {
public:
  explicit PlainEffect(audioMasterCallback host, VstInt32 programs = 16, VstInt32 params = 2)
      : AudioEffectX(host, programs, params) {}
  void processReplacing(float**, float**, VstInt32) override {}
  using AudioEffectX::curProgram;
};

// An editor that records the requests reaching it and answers true to each.
class RecordingEditor : public AEffEditor {
public:
  // Attaches itself to the effect, which then owns it.
  explicit RecordingEditor(AudioEffect* effect);
  ~RecordingEditor() override;

  bool getRect(ERect** rect) override;
  bool open(void* ptr) override;
  void close() override;
  void idle() override;
  bool onKeyDown(VstKeyCode& keyCode) override;
  bool onKeyUp(VstKeyCode& keyCode) override;
  bool setKnobMode(VstInt32 val) override;

  ERect rect{1, 2, 3, 4};
};

}  // namespace shelltest
