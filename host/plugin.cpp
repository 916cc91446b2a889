// Loading, record checks and the typed requests of Plugin.
#include "host/plugin.h"

#include <array>
#include <cstdio>
#include <filesystem>

#include "host/host_error.h"

namespace plughost {

namespace {

using EntryFunction = AEffect*(VSTCALLBACK*)(audioMasterCallback);

constexpr VstInt32 kMaxChannels = 256;
constexpr VstInt32 kMaxCount = 1 << 20;
constexpr std::size_t kTextBuffer = 1024;

std::string hex32(VstInt32 value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

}  // namespace

Plugin::Plugin(const std::string& path, Host& host)
    : library_(std::make_unique<PluginLibrary>(path)), host_(host) {
  void* symbol = library_->findSymbol("VSTPluginMain");
  if (!symbol) symbol = library_->findSymbol("main");
  if (!symbol) {
    throw HostError(ExitCode::noEntry, path + " exports neither VSTPluginMain nor main");
  }
  const auto entry = reinterpret_cast<EntryFunction>(symbol);
  {
    Host::EntryScope scope(host_);
    try {
      effect_ = entry(&Host::callback);
    } catch (...) {
      throw HostError(ExitCode::entryReturnedNull, "the entry of " + path + " failed");
    }
  }
  if (!effect_) throw HostError(ExitCode::entryReturnedNull, "the entry of " + path +
                                                                 " returned no effect");
  checkRecord();
  const std::filesystem::path directory = std::filesystem::absolute(path).parent_path();
  host_.attach(effect_, directory.string());
}

void Plugin::checkRecord() {
  if (effect_->magic != kEffectMagic) {
    // Nothing in a record without the magic can be trusted, not even its dispatcher.
    const std::string magic = hex32(effect_->magic);
    effect_ = nullptr;
    throw HostError(ExitCode::badMagic, "the effect record of " + path() + " has the magic " +
                                            magic + " instead of " + hex32(kEffectMagic));
  }
  std::string problem;
  if (!effect_->dispatcher) {
    problem = "has no dispatcher";
  } else if (!effect_->setParameter || !effect_->getParameter) {
    problem = "has no parameter entries";
  } else if (!effect_->processReplacing && !effect_->process) {
    problem = "has no process entry";
  } else if ((effect_->flags & effFlagsCanReplacing) && !effect_->processReplacing) {
    problem = "claims replacing processing without its entry";
  } else if ((effect_->flags & effFlagsCanDoubleReplacing) && !effect_->processDoubleReplacing) {
    problem = "claims double precision without its entry";
  } else if (effect_->numInputs < 0 || effect_->numInputs > kMaxChannels ||
             effect_->numOutputs < 0 || effect_->numOutputs > kMaxChannels) {
    problem = "reports impossible channel counts";
  } else if (effect_->numParams < 0 || effect_->numParams > kMaxCount ||
             effect_->numPrograms < 0 || effect_->numPrograms > kMaxCount) {
    problem = "reports impossible parameter or program counts";
  }
  if (problem.empty()) return;
  if (effect_->dispatcher) {
    // The magic is right, so the record is the plug-in's: let it free itself.
    Host::EntryScope scope(host_);
    effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
  }
  effect_ = nullptr;
  throw HostError(ExitCode::badRecord, "the effect record of " + path() + " " + problem);
}

Plugin::~Plugin() {
  if (!effect_ || closed_) return;
  if (processing_) stopProcess();
  if (mainsOn_) setMainsOn(false);
  close();
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                           float opt) {
  if (closed_) return 0;
  if (opcode == effClose) {
    const VstIntPtr result = effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    host_.detach(effect_);
    closed_ = true;
    return result;
  }
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void Plugin::open() { dispatch(effOpen); }

void Plugin::setSampleRate(float hz) {
  host_.setSampleRate(hz);
  dispatch(effSetSampleRate, 0, 0, nullptr, hz);
}

void Plugin::setBlockSize(VstInt32 frames) {
  host_.setBlockSize(frames);
  dispatch(effSetBlockSize, 0, frames);
}

void Plugin::setMainsOn(bool on) {
  dispatch(effMainsChanged, 0, on ? 1 : 0);
  mainsOn_ = on;
}

void Plugin::startProcess() {
  dispatch(effStartProcess);
  processing_ = true;
}

void Plugin::stopProcess() {
  dispatch(effStopProcess);
  processing_ = false;
}

VstIntPtr Plugin::setProcessPrecision(Precision precision) {
  return dispatch(effSetProcessPrecision, 0,
                  precision == Precision::double_ ? kVstProcessPrecision64
                                                  : kVstProcessPrecision32);
}

void Plugin::close() { dispatch(effClose); }

void Plugin::setParameter(VstInt32 index, float value) {
  if (!closed_) effect_->setParameter(effect_, index, value);
}

float Plugin::parameter(VstInt32 index) {
  return closed_ ? 0.0f : effect_->getParameter(effect_, index);
}

std::string Plugin::textRequest(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
  std::array<char, kTextBuffer> buffer{};
  dispatch(opcode, index, value, buffer.data());
  buffer.back() = '\0';
  return buffer.data();
}

std::string Plugin::parameterName(VstInt32 index) { return textRequest(effGetParamName, index); }
std::string Plugin::parameterLabel(VstInt32 index) { return textRequest(effGetParamLabel, index); }
std::string Plugin::parameterDisplay(VstInt32 index) {
  return textRequest(effGetParamDisplay, index);
}
bool Plugin::canBeAutomated(VstInt32 index) { return dispatch(effCanBeAutomated, index) != 0; }

void Plugin::setProgram(VstInt32 program) { dispatch(effSetProgram, 0, program); }
VstInt32 Plugin::program() { return static_cast<VstInt32>(dispatch(effGetProgram)); }
std::string Plugin::programName() { return textRequest(effGetProgramName); }

void Plugin::setProgramName(std::string_view name) {
  std::array<char, kVstMaxProgNameLen> buffer{};
  name = name.substr(0, buffer.size() - 1);
  std::copy(name.begin(), name.end(), buffer.begin());
  dispatch(effSetProgramName, 0, 0, buffer.data());
}

std::optional<std::string> Plugin::programNameIndexed(VstInt32 index) {
  std::array<char, kTextBuffer> buffer{};
  if (dispatch(effGetProgramNameIndexed, index, -1, buffer.data()) == 0) return std::nullopt;
  buffer.back() = '\0';
  return std::string(buffer.data());
}

std::string Plugin::effectName() { return textRequest(effGetEffectName); }
std::string Plugin::vendorString() { return textRequest(effGetVendorString); }
std::string Plugin::productString() { return textRequest(effGetProductString); }
VstInt32 Plugin::vendorVersion() { return static_cast<VstInt32>(dispatch(effGetVendorVersion)); }
VstInt32 Plugin::vstVersion() { return static_cast<VstInt32>(dispatch(effGetVstVersion)); }
VstInt32 Plugin::plugCategory() { return static_cast<VstInt32>(dispatch(effGetPlugCategory)); }
VstInt32 Plugin::tailSize() { return static_cast<VstInt32>(dispatch(effGetTailSize)); }

VstIntPtr Plugin::canDo(const std::string& text) {
  return dispatch(effCanDo, 0, 0, const_cast<char*>(text.c_str()));
}

std::optional<ERect> Plugin::editorRect() {
  if (closed_ || !(effect_->flags & effFlagsHasEditor)) return std::nullopt;
  ERect* rect = nullptr;
  if (dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect) return std::nullopt;
  return *rect;
}

void Plugin::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
  if (!closed_ && effect_->processReplacing) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
  }
}

void Plugin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) {
  if (!closed_ && effect_->processDoubleReplacing) {
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
  }
}

void Plugin::processAccumulating(float** inputs, float** outputs, VstInt32 frames) {
  if (!closed_ && effect_->process) effect_->process(effect_, inputs, outputs, frames);
}

}  // namespace plughost
