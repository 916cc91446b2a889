// The extended effect base: answers the extended requests (opcodes 25..79) and passes the rest to
// AudioEffect, wraps the extended host calls and offers the speaker-arrangement utilities.
// The order of the virtual operations is part of the design and must not change.
#pragma once

#include "shell/audio_effect.h"

// Records of the host interface that are passed through as pointers only.
struct VstWindow;

// The key record of a key request: character = index, virt = low byte of value, modifier = low
// byte of opt truncated towards zero (a non-finite opt gives 0).
VstKeyCode makeVstKeyCode(VstInt32 index, VstIntPtr value, float opt);

class AudioEffectX : public AudioEffect {
public:
  AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  ~AudioEffectX() override;

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) override;
  // Asks the host for events when the effect is a synth or takes MIDI events.
  void resume() override;

  virtual bool canBeAutomated(VstInt32 index);
  virtual bool string2Parameter(VstInt32 index, char* text);
  virtual bool getParameterProperties(VstInt32 index, VstParameterProperties* p);
  // A user gesture on parameter index starts / ends.
  virtual bool hostBeginEdit(VstInt32 index);
  virtual bool hostEndEdit(VstInt32 index);
  // text: host buffer of kVstMaxProgNameLen bytes.
  virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text);
  virtual bool beginSetProgram();
  virtual bool endSetProgram();
  virtual VstInt32 beginLoadBank(VstPatchChunkInfo* ptr);
  virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* ptr);

  virtual bool hostIOChanged();
  // Asks the host; a positive answer becomes the stored sample rate. Answers the stored value.
  virtual float hostGetSampleRate();
  // Asks the host; a positive answer becomes the stored block size. Answers the stored value.
  virtual VstInt32 hostGetBlockSize();
  virtual VstInt32 hostGetInputLatency();
  virtual VstInt32 hostGetOutputLatency();

  virtual bool getInputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool getOutputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                                     VstSpeakerArrangement* pluginOutput);
  // Stores null into both addresses (when not null) and answers false.
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                     VstSpeakerArrangement** pluginOutput);
  virtual bool setBypass(bool onOff);
  virtual bool setPanLaw(VstInt32 type, float val);
  virtual bool setProcessPrecision(VstInt32 precision);
  virtual VstInt32 getNumMidiInputChannels();
  virtual VstInt32 getNumMidiOutputChannels();

  // filter: bit set of the wanted time fields. The host's record, or null.
  virtual VstTimeInfo* hostGetTime(VstInt32 filter);
  virtual VstInt32 hostGetCurrentProcessLevel();
  virtual VstInt32 hostGetAutomationState();

  virtual VstInt32 processEvents(VstEvents* events);
  virtual VstInt32 startProcess();
  virtual VstInt32 stopProcess();
  virtual bool processVarIo(VstVariableIo* varIo);
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value);

  // text: buffer of kVstMaxVendorStrLen / kVstMaxProductStrLen bytes, filled by the host.
  virtual bool hostGetVendorString(char* text);
  virtual bool hostGetProductString(char* text);
  virtual VstInt32 hostGetVendorVersion();
  virtual VstIntPtr hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg,
                                       float floatArg);
  virtual bool hostCanDo(const char* text);
  virtual VstInt32 hostGetLanguage();

  virtual void setIsSynth(bool state);
  virtual void setNoSoundInStop(bool state);
  virtual VstInt32 getTailSize();
  // The host's text, not owned; may be null.
  virtual char* hostGetDirectory();

  // name: host buffer of kVstMaxEffectNameLen bytes; text: kVstMaxVendorStrLen or
  // kVstMaxProductStrLen bytes. True when a text was written.
  virtual bool getEffectName(char* name);
  virtual bool getVendorString(char* text);
  virtual bool getProductString(char* text);
  virtual VstInt32 getVendorVersion();
  virtual VstIntPtr vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* ptrArg, float floatArg);
  // 1 can, -1 cannot, 0 undecided.
  virtual VstInt32 canDo(const char* text);
  virtual VstInt32 getVstVersion();
  virtual VstPlugCategory getPlugCategory();

  virtual VstInt32 getMidiProgramName(VstInt32 channel, VstMidiProgramName* midiProgramName);
  virtual VstInt32 getCurrentMidiProgram(VstInt32 channel, VstMidiProgramName* currentProgram);
  virtual VstInt32 getMidiProgramCategory(VstInt32 channel, VstMidiProgramCategory* category);
  virtual bool hasMidiProgramsChanged(VstInt32 channel);
  virtual bool getMidiKeyName(VstInt32 channel, MidiKeyName* keyName);

  virtual bool hostUpdateDisplay();
  // width, height in pixels.
  virtual bool hostSizeWindow(VstInt32 width, VstInt32 height);
  // false without asking the host when the selector is null.
  virtual bool hostOpenFileSelector(VstFileSelect* ptr);
  virtual bool hostCloseFileSelector(VstFileSelect* ptr);
  virtual VstInt32 shellGetNextPlugin(char* name);

  // Replaces *arrangement (freed if set) by a zeroed one with room for numChannels speakers.
  // Arrangements made here must be freed with deallocateArrangement.
  virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 numChannels);
  virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
  virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
  // Makes *to a copy of from (reallocated with from's channel count).
  virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);

  virtual bool hostOfflineRead(VstOfflineTask* offline, VstInt32 option, bool readSource = true);
  virtual bool hostOfflineWrite(VstOfflineTask* offline, VstInt32 option);
  virtual bool hostOfflineStart(VstAudioFile* ptr, VstInt32 numAudioFiles,
                                VstInt32 numNewAudioFiles);
  virtual bool hostOfflineGetCurrentPass();
  virtual bool hostOfflineGetCurrentMetaPass();
  virtual bool offlineNotify(VstAudioFile* ptr, VstInt32 numAudioFiles, bool start);
  virtual bool offlinePrepare(VstOfflineTask* offline, VstInt32 count);
  virtual bool offlineRun(VstOfflineTask* offline, VstInt32 count);

  virtual VstInt32 spareQuery1();
  virtual VstInt32 spareQuery2();
  virtual VstInt32 hostWantEvents(VstInt32 filter);
  virtual VstInt32 hostTempoAt(VstInt32 pos);  // pos in samples; tempo x 10000
  virtual VstInt32 hostGetNumAutomatableParameters();
  virtual VstInt32 hostGetParameterQuantization();
  virtual VstInt32 spareQuery3();
  virtual VstInt32 spareQuery4(VstInt32 arg);
  virtual bool hostNeedIdle();
  // The neighbouring plug-in's record, not owned; may be null.
  virtual AEffect* hostGetPreviousPlug(VstInt32 input);
  virtual AEffect* hostGetNextPlug(VstInt32 output);
  virtual void spareNotify1(VstInt32 arg1, VstInt32 arg2);
  virtual void spareNotify2(VstInt32 arg1, VstInt32 arg2);
  virtual VstInt32 hostWillReplaceOrAccumulate();
  virtual void setExtIsAsync(bool state);
  virtual void setExtHasBuffer(bool state);
  virtual VstInt32 spareQuery5();
  virtual VstInt32 spareQuery6();
  virtual VstInt32 hostSetOutputSampleRate(float sampleRate);
  // The host's arrangements, not owned; may be null.
  virtual VstSpeakerArrangement* hostGetInputSpeakerArrangement();
  virtual VstSpeakerArrangement* hostGetOutputSpeakerArrangement();
  virtual void* hostOpenWindow(VstWindow* window);
  virtual bool hostCloseWindow(VstWindow* window);
  // Stores both values without any other effect.
  virtual void setBlockSizeAndSampleRate(VstInt32 blockSize, float sampleRate);
  virtual VstInt32 spareQuery7(VstInt32 arg);
  virtual VstInt32 spareQuery8();
  virtual VstInt32 spareQuery9(VstInt32 arg1, VstInt32 arg2);
  virtual VstInt32 spareQuery10();
  virtual VstInt32 spareQuery11();
  // false without asking the host when nativePath is null.
  virtual bool hostGetChunkFile(void* nativePath);

  // Sends events to the host; true when the host answers exactly 1.
  bool hostProcessEvents(VstEvents* events);
};
