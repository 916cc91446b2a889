// The shell's test doubles.
#include "shell_test_support.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace shelltest {

alignas(16) char gBufferA[64];
alignas(16) char gBufferB[64];
std::vector<std::string> gJournal;

namespace {

RecordingHost* gCurrentHost = nullptr;

std::string str(VstIntPtr v) { return std::to_string(static_cast<long long>(v)); }

std::string flt(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
  return text;
}

std::string yes(bool b) { return b ? "true" : "false"; }

void note(const std::string& entry) { gJournal.push_back(entry); }

}  // namespace

std::string describe(const void* p) {
  if (p == nullptr) return "null";
  if (p == gBufferA) return "A";
  if (p == gBufferB) return "B";
  return "other";
}

RecordingHost::RecordingHost() {
  if (gCurrentHost != nullptr) throw std::logic_error("one RecordingHost at a time");
  gCurrentHost = this;
}

RecordingHost::~RecordingHost() { gCurrentHost = nullptr; }

VstIntPtr VSTCALLBACK RecordingHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                              VstIntPtr value, void* ptr, float opt) {
  RecordingHost* host = gCurrentHost;
  if (host == nullptr) return 0;
  host->calls.push_back({effect, opcode, index, value, ptr, opt});
  note("host(" + str(opcode) + ")");
  return opcode == audioMasterVersion ? host->versionAnswer : host->answer;
}

// --- RecordingEffect ---

RecordingEffect::RecordingEffect(audioMasterCallback host, VstInt32 programs, VstInt32 params)
    : AudioEffectX(host, programs, params) {}

RecordingEffect::~RecordingEffect() { note("~effect"); }

void RecordingEffect::open() { note("open"); }
void RecordingEffect::close() { note("close"); }
void RecordingEffect::suspend() { note("suspend"); }
void RecordingEffect::resume() { note("resume"); }
void RecordingEffect::setSampleRate(float rate) { note("setSampleRate(" + flt(rate) + ")"); }
void RecordingEffect::setBlockSize(VstInt32 size) { note("setBlockSize(" + str(size) + ")"); }

void RecordingEffect::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
  note("processReplacing(" + describe(inputs) + "," + describe(outputs) + "," + str(frames) +
       ")");
}

void RecordingEffect::processDoubleReplacing(double** inputs, double** outputs,
                                             VstInt32 frames) {
  note("processDoubleReplacing(" + describe(inputs) + "," + describe(outputs) + "," +
       str(frames) + ")");
}

void RecordingEffect::setParameter(VstInt32 index, float value) {
  note("setParameter(" + str(index) + "," + flt(value) + ")");
}

float RecordingEffect::getParameter(VstInt32 index) {
  note("getParameter(" + str(index) + ")");
  return 0.75f;
}

VstInt32 RecordingEffect::getProgram() {
  note("getProgram");
  return kIntAnswer;
}

void RecordingEffect::setProgram(VstInt32 program) { note("setProgram(" + str(program) + ")"); }
void RecordingEffect::setProgramName(char* name) { note("setProgramName(" + describe(name) + ")"); }
void RecordingEffect::getProgramName(char* name) { note("getProgramName(" + describe(name) + ")"); }

void RecordingEffect::getParamLabel(VstInt32 index, char* label) {
  note("getParamLabel(" + str(index) + "," + describe(label) + ")");
}

void RecordingEffect::getParamDisplay(VstInt32 index, char* text) {
  note("getParamDisplay(" + str(index) + "," + describe(text) + ")");
}

void RecordingEffect::getParamName(VstInt32 index, char* text) {
  note("getParamName(" + str(index) + "," + describe(text) + ")");
}

VstInt32 RecordingEffect::getChunk(void** data, bool isPreset) {
  note("getChunk(" + describe(data) + "," + yes(isPreset) + ")");
  return 33;
}

VstInt32 RecordingEffect::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
  note("setChunk(" + describe(data) + "," + str(byteSize) + "," + yes(isPreset) + ")");
  return 44;
}

void RecordingEffect::process(float** inputs, float** outputs, VstInt32 frames) {
  note("process(" + describe(inputs) + "," + describe(outputs) + "," + str(frames) + ")");
}

bool RecordingEffect::canBeAutomated(VstInt32 index) {
  note("canBeAutomated(" + str(index) + ")");
  return true;
}

bool RecordingEffect::string2Parameter(VstInt32 index, char* text) {
  note("string2Parameter(" + str(index) + "," + describe(text) + ")");
  return true;
}

bool RecordingEffect::getParameterProperties(VstInt32 index, VstParameterProperties* p) {
  note("getParameterProperties(" + str(index) + "," + describe(p) + ")");
  return true;
}

bool RecordingEffect::getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) {
  note("getProgramNameIndexed(" + str(category) + "," + str(index) + "," + describe(text) + ")");
  return true;
}

bool RecordingEffect::beginSetProgram() {
  note("beginSetProgram");
  return true;
}

bool RecordingEffect::endSetProgram() {
  note("endSetProgram");
  return true;
}

VstInt32 RecordingEffect::beginLoadBank(VstPatchChunkInfo* ptr) {
  note("beginLoadBank(" + describe(ptr) + ")");
  return kIntAnswer;
}

VstInt32 RecordingEffect::beginLoadProgram(VstPatchChunkInfo* ptr) {
  note("beginLoadProgram(" + describe(ptr) + ")");
  return kIntAnswer;
}

bool RecordingEffect::getInputProperties(VstInt32 index, VstPinProperties* properties) {
  note("getInputProperties(" + str(index) + "," + describe(properties) + ")");
  return true;
}

bool RecordingEffect::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
  note("getOutputProperties(" + str(index) + "," + describe(properties) + ")");
  return true;
}

bool RecordingEffect::setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                                            VstSpeakerArrangement* pluginOutput) {
  note("setSpeakerArrangement(" + describe(pluginInput) + "," + describe(pluginOutput) + ")");
  return true;
}

bool RecordingEffect::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                            VstSpeakerArrangement** pluginOutput) {
  note("getSpeakerArrangement(" + describe(pluginInput) + "," + describe(pluginOutput) + ")");
  return true;
}

bool RecordingEffect::setBypass(bool onOff) {
  note("setBypass(" + yes(onOff) + ")");
  return true;
}

bool RecordingEffect::setPanLaw(VstInt32 type, float val) {
  note("setPanLaw(" + str(type) + "," + flt(val) + ")");
  return true;
}

bool RecordingEffect::setProcessPrecision(VstInt32 precision) {
  note("setProcessPrecision(" + str(precision) + ")");
  return true;
}

VstInt32 RecordingEffect::getNumMidiInputChannels() {
  note("getNumMidiInputChannels");
  return kIntAnswer;
}

VstInt32 RecordingEffect::getNumMidiOutputChannels() {
  note("getNumMidiOutputChannels");
  return kIntAnswer;
}

VstInt32 RecordingEffect::processEvents(VstEvents* events) {
  note("processEvents(" + describe(events) + ")");
  return kIntAnswer;
}

VstInt32 RecordingEffect::startProcess() {
  note("startProcess");
  return kIntAnswer;
}

VstInt32 RecordingEffect::stopProcess() {
  note("stopProcess");
  return kIntAnswer;
}

bool RecordingEffect::processVarIo(VstVariableIo* varIo) {
  note("processVarIo(" + describe(varIo) + ")");
  return true;
}

VstInt32 RecordingEffect::setTotalSampleToProcess(VstInt32 value) {
  note("setTotalSampleToProcess(" + str(value) + ")");
  return kIntAnswer;
}

VstInt32 RecordingEffect::getTailSize() {
  note("getTailSize");
  return kIntAnswer;
}

bool RecordingEffect::getEffectName(char* name) {
  note("getEffectName(" + describe(name) + ")");
  return true;
}

bool RecordingEffect::getVendorString(char* text) {
  note("getVendorString(" + describe(text) + ")");
  return true;
}

bool RecordingEffect::getProductString(char* text) {
  note("getProductString(" + describe(text) + ")");
  return true;
}

VstInt32 RecordingEffect::getVendorVersion() {
  note("getVendorVersion");
  return kIntAnswer;
}

VstIntPtr RecordingEffect::vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* ptrArg,
                                          float floatArg) {
  note("vendorSpecific(" + str(lArg) + "," + str(lArg2) + "," + describe(ptrArg) + "," +
       flt(floatArg) + ")");
  return kWideAnswer;
}

VstInt32 RecordingEffect::canDo(const char* text) {
  note("canDo(" + std::string(text) + ")");
  return canDoAnswer;
}

VstInt32 RecordingEffect::getVstVersion() {
  note("getVstVersion");
  return kIntAnswer;
}

VstPlugCategory RecordingEffect::getPlugCategory() {
  note("getPlugCategory");
  return kPlugCategRoomFx;
}

VstInt32 RecordingEffect::getMidiProgramName(VstInt32 channel, VstMidiProgramName* name) {
  note("getMidiProgramName(" + str(channel) + "," + describe(name) + ")");
  return kIntAnswer;
}

VstInt32 RecordingEffect::getCurrentMidiProgram(VstInt32 channel, VstMidiProgramName* current) {
  note("getCurrentMidiProgram(" + str(channel) + "," + describe(current) + ")");
  return kIntAnswer;
}

VstInt32 RecordingEffect::getMidiProgramCategory(VstInt32 channel,
                                                 VstMidiProgramCategory* category) {
  note("getMidiProgramCategory(" + str(channel) + "," + describe(category) + ")");
  return kIntAnswer;
}

bool RecordingEffect::hasMidiProgramsChanged(VstInt32 channel) {
  note("hasMidiProgramsChanged(" + str(channel) + ")");
  return true;
}

bool RecordingEffect::getMidiKeyName(VstInt32 channel, MidiKeyName* keyName) {
  note("getMidiKeyName(" + str(channel) + "," + describe(keyName) + ")");
  return true;
}

VstInt32 RecordingEffect::shellGetNextPlugin(char* name) {
  note("shellGetNextPlugin(" + describe(name) + ")");
  return kIntAnswer;
}

bool RecordingEffect::offlineNotify(VstAudioFile* ptr, VstInt32 numAudioFiles, bool start) {
  note("offlineNotify(" + describe(ptr) + "," + str(numAudioFiles) + "," + yes(start) + ")");
  return true;
}

bool RecordingEffect::offlinePrepare(VstOfflineTask* offline, VstInt32 count) {
  note("offlinePrepare(" + describe(offline) + "," + str(count) + ")");
  return true;
}

bool RecordingEffect::offlineRun(VstOfflineTask* offline, VstInt32 count) {
  note("offlineRun(" + describe(offline) + "," + str(count) + ")");
  return true;
}

// --- RecordingEditor ---

RecordingEditor::RecordingEditor(AudioEffect* owner) : AEffEditor(owner) {
  owner->setEditor(this);
}

RecordingEditor::~RecordingEditor() { note("~editor"); }

bool RecordingEditor::getRect(ERect** r) {
  note("editor.getRect(" + describe(r) + ")");
  *r = &rect;
  return true;
}

bool RecordingEditor::open(void* ptr) {
  note("editor.open(" + describe(ptr) + ")");
  return true;
}

void RecordingEditor::close() { note("editor.close"); }
void RecordingEditor::idle() { note("editor.idle"); }

bool RecordingEditor::onKeyDown(VstKeyCode& key) {
  note("editor.onKeyDown(" + str(key.character) + "," + str(key.virt) + "," + str(key.modifier) +
       ")");
  return true;
}

bool RecordingEditor::onKeyUp(VstKeyCode& key) {
  note("editor.onKeyUp(" + str(key.character) + "," + str(key.virt) + "," + str(key.modifier) +
       ")");
  return true;
}

bool RecordingEditor::setKnobMode(VstInt32 val) {
  note("editor.setKnobMode(" + str(val) + ")");
  return true;
}

}  // namespace shelltest
