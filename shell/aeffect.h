// The binary interface between a host and a plug-in library: the effect record the host holds,
// the host callback, the request and host opcodes, flag bits, key codes, speaker arrangements,
// the editor rectangle and the text limits of host buffers. Everything here crosses the host
// boundary, so sizes and offsets are pinned with static_asserts.
#pragma once

#include <cstddef>
#include <cstdint>

// Every function that crosses the boundary uses the C calling convention. On 32-bit Windows it is
// spelled out because a host built with another default would otherwise corrupt the stack.
#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
using VstInt64 = std::int64_t;
using VstIntPtr = std::intptr_t;  // pointer-sized: dispatcher value, host answers

struct AEffect;

// Records the shell only passes through between host and effect; nothing here reads them.
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstParameterProperties;
struct VstMidiProgramName;
struct VstMidiProgramCategory;
struct MidiKeyName;
struct VstVariableIo;
struct VstOfflineTask;
struct VstAudioFile;
struct VstFileSelect;
struct VstPatchChunkInfo;

// The host's callback: (record or null, opcode, index, value, pointer, opt) -> host answer.
using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode,
                                                    VstInt32 index, VstIntPtr value, void* ptr,
                                                    float opt);

// The record's function fields.
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode,
                                                      VstInt32 index, VstIntPtr value, void* ptr,
                                                      float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs,
                                                    double** outputs, VstInt32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, VstInt32 index,
                                                   float parameter);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, VstInt32 index);

// Four-character constants, first character in the most significant byte.
constexpr VstInt32 qlnFourCC(char a, char b, char c, char d) {
  return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                               (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                               (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                               static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = qlnFourCC('V', 's', 't', 'P');  // 0x56737450

// The effect record. 144 bytes on 32-bit builds; on 64-bit builds the natural C layout with
// pointer-sized function fields, object, user and the two reserved fields (192 bytes).
struct AEffect {
  VstInt32 magic;  // kEffectMagic
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;  // accumulating; kept for old hosts
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;  // effFlags* bits
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;  // latency in samples
  VstInt32 realQualities;
  VstInt32 offQualities;
  float ioRatio;
  void* object;  // the owning effect object
  void* user;
  VstInt32 uniqueID;
  VstInt32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(AEffect) == 144);
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 4);
static_assert(offsetof(AEffect, process) == 8);
static_assert(offsetof(AEffect, setParameter) == 12);
static_assert(offsetof(AEffect, getParameter) == 16);
static_assert(offsetof(AEffect, numPrograms) == 20);
static_assert(offsetof(AEffect, numParams) == 24);
static_assert(offsetof(AEffect, numInputs) == 28);
static_assert(offsetof(AEffect, numOutputs) == 32);
static_assert(offsetof(AEffect, flags) == 36);
static_assert(offsetof(AEffect, resvd1) == 40);
static_assert(offsetof(AEffect, resvd2) == 44);
static_assert(offsetof(AEffect, initialDelay) == 48);
static_assert(offsetof(AEffect, realQualities) == 52);
static_assert(offsetof(AEffect, offQualities) == 56);
static_assert(offsetof(AEffect, ioRatio) == 60);
static_assert(offsetof(AEffect, object) == 64);
static_assert(offsetof(AEffect, user) == 68);
static_assert(offsetof(AEffect, uniqueID) == 72);
static_assert(offsetof(AEffect, version) == 76);
static_assert(offsetof(AEffect, processReplacing) == 80);
static_assert(offsetof(AEffect, processDoubleReplacing) == 84);
static_assert(offsetof(AEffect, future) == 88);
#elif INTPTR_MAX == INT64_MAX
static_assert(sizeof(AEffect) == 192);
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 8);
static_assert(offsetof(AEffect, process) == 16);
static_assert(offsetof(AEffect, setParameter) == 24);
static_assert(offsetof(AEffect, getParameter) == 32);
static_assert(offsetof(AEffect, numPrograms) == 40);
static_assert(offsetof(AEffect, numParams) == 44);
static_assert(offsetof(AEffect, numInputs) == 48);
static_assert(offsetof(AEffect, numOutputs) == 52);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, resvd1) == 64);
static_assert(offsetof(AEffect, resvd2) == 72);
static_assert(offsetof(AEffect, initialDelay) == 80);
static_assert(offsetof(AEffect, realQualities) == 84);
static_assert(offsetof(AEffect, offQualities) == 88);
static_assert(offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, processDoubleReplacing) == 128);
static_assert(offsetof(AEffect, future) == 136);
#else
#error "unsupported pointer size"
#endif

// Bits of AEffect::flags.
enum VstAEffectFlags : VstInt32 {
  effFlagsHasEditor = 1 << 0,
  effFlagsHasClip = 1 << 1,
  effFlagsHasVu = 1 << 2,
  effFlagsCanMono = 1 << 3,
  effFlagsCanReplacing = 1 << 4,
  effFlagsProgramChunks = 1 << 5,
  effFlagsIsSynth = 1 << 8,
  effFlagsNoSoundInStop = 1 << 9,
  effFlagsExtIsAsync = 1 << 10,
  effFlagsExtHasBuffer = 1 << 11,
  effFlagsCanDoubleReplacing = 1 << 12,
};

// Requests from the host through AEffect::dispatcher. 0..24 are the basic set, 25..79 the
// extended set.
enum AEffectOpcodes : VstInt32 {
  effOpen = 0,
  effClose,
  effSetProgram,
  effGetProgram,
  effSetProgramName,
  effGetProgramName,
  effGetParamLabel,
  effGetParamDisplay,
  effGetParamName,
  effGetVu,
  effSetSampleRate,  // 10
  effSetBlockSize,
  effMainsChanged,
  effEditGetRect,
  effEditOpen,
  effEditClose,
  effEditDraw,
  effEditMouse,
  effEditKey,
  effEditIdle,
  effEditTop,  // 20
  effEditSleep,
  effIdentify,
  effGetChunk,
  effSetChunk,
  effNumOpcodes,  // 25: first opcode of the extended set

  effProcessEvents = effNumOpcodes,  // 25
  effCanBeAutomated,
  effString2Parameter,
  effGetNumProgramCategories,
  effGetProgramNameIndexed,
  effCopyProgram,  // 30
  effConnectInput,
  effConnectOutput,
  effGetInputProperties,
  effGetOutputProperties,
  effGetPlugCategory,
  effGetCurrentPosition,
  effGetDestinationBuffer,
  effOfflineNotify,
  effOfflinePrepare,
  effOfflineRun,  // 40
  effProcessVarIo,
  effSetSpeakerArrangement,
  effSetBlockSizeAndSampleRate,
  effSetBypass,
  effGetEffectName,
  effGetErrorText,
  effGetVendorString,
  effGetProductString,
  effGetVendorVersion,
  effVendorSpecific,  // 50
  effCanDo,
  effGetTailSize,
  effIdle,
  effGetIcon,
  effSetViewPosition,
  effGetParameterProperties,
  effKeysRequired,
  effGetVstVersion,
  effEditKeyDown,
  effEditKeyUp,  // 60
  effSetEditKnobMode,
  effGetMidiProgramName,
  effGetCurrentMidiProgram,
  effGetMidiProgramCategory,
  effHasMidiProgramsChanged,
  effGetMidiKeyName,
  effBeginSetProgram,
  effEndSetProgram,
  effGetSpeakerArrangement,
  effShellGetNextPlugin,  // 70
  effStartProcess,
  effStopProcess,
  effSetTotalSampleToProcess,
  effSetPanLaw,
  effBeginLoadBank,
  effBeginLoadProgram,
  effSetProcessPrecision,
  effGetNumMidiInputChannels,
  effGetNumMidiOutputChannels,  // 79
};
static_assert(effGetChunk == 23 && effNumOpcodes == 25 && effGetPlugCategory == 35);
static_assert(effVendorSpecific == 50 && effGetVstVersion == 58 && effShellGetNextPlugin == 70);
static_assert(effGetNumMidiOutputChannels == 79);

// Answer to effIdentify.
constexpr VstInt32 kEffectIdentify = qlnFourCC('N', 'v', 'E', 'f');  // 0x4E764566

// Requests from the plug-in to the host through the host callback.
enum AudioMasterOpcodes : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterCurrentId = 2,
  audioMasterIdle = 3,
  audioMasterPinConnected = 4,
  // 5 is unused.
  audioMasterWantMidi = 6,
  audioMasterGetTime = 7,
  audioMasterProcessEvents = 8,
  audioMasterSetTime = 9,
  audioMasterTempoAt = 10,
  audioMasterGetNumAutomatableParameters = 11,
  audioMasterGetParameterQuantization = 12,
  audioMasterIOChanged = 13,
  audioMasterNeedIdle = 14,
  audioMasterSizeWindow = 15,
  audioMasterGetSampleRate = 16,
  audioMasterGetBlockSize = 17,
  audioMasterGetInputLatency = 18,
  audioMasterGetOutputLatency = 19,
  audioMasterGetPreviousPlug = 20,
  audioMasterGetNextPlug = 21,
  audioMasterWillReplaceOrAccumulate = 22,
  audioMasterGetCurrentProcessLevel = 23,
  audioMasterGetAutomationState = 24,
  audioMasterOfflineStart = 25,
  audioMasterOfflineRead = 26,
  audioMasterOfflineWrite = 27,
  audioMasterOfflineGetCurrentPass = 28,
  audioMasterOfflineGetCurrentMetaPass = 29,
  audioMasterSetOutputSampleRate = 30,
  audioMasterGetOutputSpeakerArrangement = 31,
  audioMasterGetVendorString = 32,
  audioMasterGetProductString = 33,
  audioMasterGetVendorVersion = 34,
  audioMasterVendorSpecific = 35,
  audioMasterSetIcon = 36,
  audioMasterCanDo = 37,
  audioMasterGetLanguage = 38,
  audioMasterOpenWindow = 39,
  audioMasterCloseWindow = 40,
  audioMasterGetDirectory = 41,
  audioMasterUpdateDisplay = 42,
  audioMasterBeginEdit = 43,
  audioMasterEndEdit = 44,
  audioMasterOpenFileSelector = 45,
  audioMasterCloseFileSelector = 46,
  audioMasterEditFile = 47,
  audioMasterGetChunkFile = 48,
  audioMasterGetInputSpeakerArrangement = 49,
};

// Version numbers this interface speaks (answer to effGetVstVersion).
constexpr VstInt32 kVstVersion = 2400;

// Text limits of host buffers, in bytes including the terminating zero for the names and the
// strings; the three parameter texts are 8 characters plus the terminator. shell/text_copy.h
// turns these into bounded copies.
enum VstStringConstants : VstInt32 {
  kVstMaxProgNameLen = 24,     // effGetProgramName, effSetProgramName, effGetProgramNameIndexed
  kVstMaxParamStrLen = 8,      // effGetParamLabel, effGetParamDisplay, effGetParamName (chars)
  kVstMaxVendorStrLen = 64,    // effGetVendorString, audioMasterGetVendorString
  kVstMaxProductStrLen = 64,   // effGetProductString, audioMasterGetProductString
  kVstMaxEffectNameLen = 32,   // effGetEffectName
  kVstMaxNameLen = 64,         // names in speaker and parameter property records
  kVstMaxLabelLen = 64,
  kVstMaxShortLabelLen = 8,
  kVstMaxCategLabelLen = 24,
  kVstMaxFileNameLen = 100,
};

// Plug-in categories (answer to effGetPlugCategory).
enum VstPlugCategory : VstInt32 {
  kPlugCategUnknown = 0,
  kPlugCategEffect,
  kPlugCategSynth,
  kPlugCategAnalysis,
  kPlugCategMastering,
  kPlugCategSpacializer,  // 5
  kPlugCategRoomFx,
  kPlugSurroundFx,
  kPlugCategRestoration,
  kPlugCategOfflineProcess,
  kPlugCategShell,
  kPlugCategGenerator,
  kPlugCategMaxCount,
};
static_assert(kPlugCategSynth == 2 && kPlugCategSpacializer == 5 && kPlugCategGenerator == 11);

// Answers to audioMasterGetCurrentProcessLevel.
enum VstProcessLevels : VstInt32 {
  kVstProcessLevelUnknown = 0,
  kVstProcessLevelUser,
  kVstProcessLevelRealtime,
  kVstProcessLevelPrefetch,
  kVstProcessLevelOffline,
};

// Answers to audioMasterGetAutomationState.
enum VstAutomationStates : VstInt32 {
  kVstAutomationUnsupported = 0,
  kVstAutomationOff,
  kVstAutomationRead,
  kVstAutomationWrite,
  kVstAutomationReadWrite,
};

// Values of effSetProcessPrecision.
enum VstProcessPrecision : VstInt32 {
  kVstProcessPrecision32 = 0,
  kVstProcessPrecision64,
};

// Values of effSetPanLaw.
enum VstPanLawType : VstInt32 {
  kLinearPanLaw = 0,
  kEqualPowerPanLaw,
};

// Key-code record handed to the editor for effEditKeyDown and effEditKeyUp.
struct VstKeyCode {
  VstInt32 character;      // ASCII character, 0 when virt names the key
  unsigned char virt;      // VstVirtualKey
  unsigned char modifier;  // VstModifierKey bits
};
static_assert(sizeof(VstKeyCode) == 8);
static_assert(offsetof(VstKeyCode, character) == 0);
static_assert(offsetof(VstKeyCode, virt) == 4);
static_assert(offsetof(VstKeyCode, modifier) == 5);

// Virtual keys of VstKeyCode::virt.
enum VstVirtualKey : unsigned char {
  VKEY_BACK = 1,
  VKEY_TAB,
  VKEY_CLEAR,
  VKEY_RETURN,
  VKEY_PAUSE,
  VKEY_ESCAPE,
  VKEY_SPACE,
  VKEY_NEXT,
  VKEY_END,
  VKEY_HOME,
  VKEY_LEFT,  // 11
  VKEY_UP,
  VKEY_RIGHT,
  VKEY_DOWN,  // 14
  VKEY_PAGEUP,
  VKEY_PAGEDOWN,
  VKEY_SELECT,
  VKEY_PRINT,
  VKEY_ENTER,
  VKEY_SNAPSHOT,
  VKEY_INSERT,
  VKEY_DELETE,
  VKEY_HELP,
  VKEY_NUMPAD0,
  VKEY_NUMPAD1,
  VKEY_NUMPAD2,
  VKEY_NUMPAD3,
  VKEY_NUMPAD4,
  VKEY_NUMPAD5,
  VKEY_NUMPAD6,
  VKEY_NUMPAD7,
  VKEY_NUMPAD8,
  VKEY_NUMPAD9,
  VKEY_MULTIPLY,
  VKEY_ADD,
  VKEY_SEPARATOR,
  VKEY_SUBTRACT,
  VKEY_DECIMAL,
  VKEY_DIVIDE,
  VKEY_F1,
  VKEY_F2,
  VKEY_F3,
  VKEY_F4,
  VKEY_F5,
  VKEY_F6,
  VKEY_F7,
  VKEY_F8,
  VKEY_F9,
  VKEY_F10,
  VKEY_F11,
  VKEY_F12,
  VKEY_NUMLOCK,
  VKEY_SCROLL,
  VKEY_SHIFT,
  VKEY_CONTROL,
  VKEY_ALT,
  VKEY_EQUALS,
};
static_assert(VKEY_TAB == 2 && VKEY_LEFT == 11 && VKEY_DOWN == 14 && VKEY_EQUALS == 57);

// Modifier bits of VstKeyCode::modifier.
enum VstModifierKey : unsigned char {
  MODIFIER_SHIFT = 1 << 0,
  MODIFIER_ALTERNATE = 1 << 1,
  MODIFIER_COMMAND = 1 << 2,
  MODIFIER_CONTROL = 1 << 3,
};

// Editor rectangle as the host reads it after effEditGetRect.
struct ERect {
  VstInt16 top;
  VstInt16 left;
  VstInt16 bottom;
  VstInt16 right;
};
static_assert(sizeof(ERect) == 8);
static_assert(offsetof(ERect, top) == 0 && offsetof(ERect, left) == 2);
static_assert(offsetof(ERect, bottom) == 4 && offsetof(ERect, right) == 6);

// One speaker of an arrangement.
struct VstSpeakerProperties {
  float azimuth;    // radians
  float elevation;  // radians
  float radius;     // metres
  float reserved;
  char name[kVstMaxNameLen];
  VstInt32 type;  // VstSpeakerType
  char future[28];
};
static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(offsetof(VstSpeakerProperties, name) == 16);
static_assert(offsetof(VstSpeakerProperties, type) == 80);
static_assert(offsetof(VstSpeakerProperties, future) == 84);

// A speaker arrangement: header and numChannels speaker records. Hosts declare room for eight;
// arrangements made by allocateArrangement have room for at least numChannels and never less
// than this declared size.
struct VstSpeakerArrangement {
  VstInt32 type;  // VstSpeakerArrangementType
  VstInt32 numChannels;
  VstSpeakerProperties speakers[8];
};
static_assert(offsetof(VstSpeakerArrangement, numChannels) == 4);
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);
static_assert(sizeof(VstSpeakerArrangement) == 8 + 8 * 112);

// Speaker types of VstSpeakerProperties::type.
enum VstSpeakerType : VstInt32 {
  kSpeakerUndefined = 0x7fffffff,
  kSpeakerM = 0,
  kSpeakerL,
  kSpeakerR,
  kSpeakerC,
  kSpeakerLfe,
  kSpeakerLs,
  kSpeakerRs,
  kSpeakerLc,
  kSpeakerRc,
  kSpeakerS,
  kSpeakerCs = kSpeakerS,
  kSpeakerSl,
  kSpeakerSr,
  kSpeakerTm,
  kSpeakerTfl,
  kSpeakerTfc,
  kSpeakerTfr,
  kSpeakerTrl,
  kSpeakerTrc,
  kSpeakerTrr,
  kSpeakerLfe2,
};

// Arrangement types of VstSpeakerArrangement::type.
enum VstSpeakerArrangementType : VstInt32 {
  kSpeakerArrUserDefined = -2,
  kSpeakerArrEmpty = -1,
  kSpeakerArrMono = 0,
  kSpeakerArrStereo,
  kSpeakerArrStereoSurround,
  kSpeakerArrStereoCenter,
  kSpeakerArrStereoSide,
  kSpeakerArrStereoCLfe,
  kSpeakerArr30Cine,
  kSpeakerArr30Music,
  kSpeakerArr31Cine,
  kSpeakerArr31Music,
  kSpeakerArr40Cine,
  kSpeakerArr40Music,
  kSpeakerArr41Cine,
  kSpeakerArr41Music,
  kSpeakerArr50,
  kSpeakerArr51,
  kSpeakerArr60Cine,
  kSpeakerArr60Music,
  kSpeakerArr61Cine,
  kSpeakerArr61Music,
  kSpeakerArr70Cine,
  kSpeakerArr70Music,
  kSpeakerArr71Cine,
  kSpeakerArr71Music,
  kSpeakerArr80Cine,
  kSpeakerArr80Music,
  kSpeakerArr81Cine,
  kSpeakerArr81Music,
  kSpeakerArr102,
  kNumSpeakerArr,
};
