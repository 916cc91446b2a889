// The base class of every effect: owns the effect record the host holds, answers the basic
// requests (opcodes 0..24), wraps the basic host calls and offers value-to-text conversions.
// The order of the virtual operations is part of the design and must not change.
#pragma once

#include "shell/aeffect.h"

class AEffEditor;

class AudioEffect {
public:
  // audioMaster: the host's callback, may be null (every host call is then skipped).
  // numPrograms, numParams: the counts put into the record.
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  // Deletes the editor, if any.
  virtual ~AudioEffect();

  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // Basic requests 0..24 from the host; anything else answers 0.
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt);

  virtual void open();
  virtual void close();
  virtual void suspend();
  virtual void resume();

  virtual void setSampleRate(float sampleRate);  // Hz
  virtual void setBlockSize(VstInt32 blockSize);  // sample frames

  // Audio thread. Every effect provides the single-precision replacing process.
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames);

  // value normalised 0..1. May be called on the user-interface or the audio thread.
  virtual void setParameter(VstInt32 index, float value);
  virtual float getParameter(VstInt32 index);
  // setParameter, then tells the host of the change (audioMasterAutomate).
  virtual void setParameterAndAutomate(VstInt32 index, float value);

  virtual VstInt32 getProgram();
  // No range check here; the dispatcher checks requests from the host.
  virtual void setProgram(VstInt32 program);
  virtual void setProgramName(char* name);
  // name: host buffer of kVstMaxProgNameLen bytes.
  virtual void getProgramName(char* name);
  // label, text: host buffers of kVstMaxParamStrLen + 1 bytes.
  virtual void getParamLabel(VstInt32 index, char* label);
  virtual void getParamDisplay(VstInt32 index, char* text);
  virtual void getParamName(VstInt32 index, char* text);

  // Stores the chunk address into *data and answers its size in bytes; 0 means no chunk.
  virtual VstInt32 getChunk(void** data, bool isPreset = false);
  virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset = false);

  // Record setters; the host is not told.
  virtual void setUniqueId(VstInt32 uniqueID);
  virtual void setNumInputs(VstInt32 inputs);
  virtual void setNumOutputs(VstInt32 outputs);
  virtual void setCanReplacing(bool state);
  virtual void setCanDoubleReplacing(bool state);
  virtual void setProgramChunks(bool state);
  virtual void setInitialDelay(VstInt32 delay);  // samples

  virtual AEffEditor* getEditor();
  // The record embedded in this object (the address the host holds).
  virtual AEffect* getEffectRecord();
  virtual float getSampleRate();
  virtual VstInt32 getBlockSize();

  // The host's interface version; 1 when the host answers 0 or there is no callback.
  virtual VstInt32 hostGetVersion();
  virtual VstInt32 hostGetCurrentId();
  virtual void hostIdle();

  // Value-to-text conversions into text, which holds maxLen + 1 bytes (maxLen >= 0; a null
  // text is ignored). dbToText takes a linear gain; hzToText and msToText a length in samples
  // at getSampleRate(). Values the eight-character format cannot show give "Huge!".
  virtual void dbToText(float value, char* text, VstInt32 maxLen);
  virtual void hzToText(float samples, char* text, VstInt32 maxLen);
  virtual void msToText(float samples, char* text, VstInt32 maxLen);
  virtual void floatToText(float value, char* text, VstInt32 maxLen);
  virtual void intToText(VstInt32 value, char* text, VstInt32 maxLen);

  // Accumulating process; kept for old hosts and does nothing.
  virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames);

  virtual float spareFloatQuery();

  virtual void setHasVu(bool state);
  virtual void setHasClip(bool state);
  virtual void setCanMono(bool state);
  virtual void setRealtimeQualities(VstInt32 qualities);
  virtual void setOfflineQualities(VstInt32 qualities);

  // True when the host reports the pin connected, or cannot tell.
  virtual bool isInputConnected(VstInt32 input);
  virtual bool isOutputConnected(VstInt32 output);

  // Attaches the editor (owned from now on; null detaches without deleting) and keeps
  // effFlagsHasEditor in step with it.
  void setEditor(AEffEditor* editor);

protected:
  // Sets or clears one effFlags* bit of the record.
  void setFlag(VstInt32 flag, bool state);

  audioMasterCallback audioMaster;  // may be null
  AEffEditor* editor;               // owned; null when there is none
  float sampleRate;                 // Hz
  VstInt32 blockSize;               // sample frames
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram;
  AEffect cEffect;  // the record the host holds; cEffect.object points back at this object
};

// The library's factory, defined once per plug-in library; only the entry calls it.
// Returns a new effect (owned by the host through effClose) or null.
AudioEffect* createEffect(audioMasterCallback audioMaster);
