// One plug-in instance loaded through its library's entry function, with a typed call for every
// request the tool and the tests send. The record is checked before anything else is called
// (magic, entries, plausible counts). Requests go out in the order the caller makes them; the
// destructor winds down like a host does (stop, mains off, close) and then unloads the library.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/host.h"
#include "host/plugin_library.h"
#include "shell/aeffect.h"

namespace plughost {

enum class Precision { single, double_ };

class Plugin {
 public:
  // Loads `path` and calls its entry with Host::callback. Throws HostError (pluginNotFound,
  // pluginNotLoadable, noEntry, entryReturnedNull, badMagic, badRecord).
  Plugin(const std::string& path, Host& host);
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  AEffect& effect() const { return *effect_; }
  Host& host() const { return host_; }
  const std::string& path() const { return library_->path(); }
  bool closed() const { return closed_; }

  // Any request, as is. Sending effClose this way also marks the instance closed.
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr, float opt = 0.0f);

  // Lifecycle, in the order hosts use it: open, setSampleRate, setBlockSize, setMainsOn(true),
  // startProcess, process..., stopProcess, setMainsOn(false), close.
  void open();
  void setSampleRate(float hz);       // also what the host answers from now on
  void setBlockSize(VstInt32 frames);  // likewise
  void setMainsOn(bool on);
  void startProcess();
  void stopProcess();
  // effSetProcessPrecision; the plug-in's answer (most answer 0 and do it all the same).
  VstIntPtr setProcessPrecision(Precision precision);
  // effClose; the record is gone afterwards. Called by the destructor if not done before.
  void close();

  // Parameters, through the record's own entries and the dispatcher.
  void setParameter(VstInt32 index, float value);
  float parameter(VstInt32 index);
  std::string parameterName(VstInt32 index);
  std::string parameterLabel(VstInt32 index);
  std::string parameterDisplay(VstInt32 index);
  bool canBeAutomated(VstInt32 index);

  // Programs.
  void setProgram(VstInt32 program);
  VstInt32 program();
  std::string programName();
  void setProgramName(std::string_view name);  // cut to the 23-character limit
  // effGetProgramNameIndexed; nullopt when the plug-in does not answer it.
  std::optional<std::string> programNameIndexed(VstInt32 index);

  // Descriptions.
  std::string effectName();
  std::string vendorString();
  std::string productString();
  VstInt32 vendorVersion();
  VstInt32 vstVersion();
  VstInt32 plugCategory();
  VstInt32 tailSize();
  VstIntPtr canDo(const std::string& text);
  // The editor's rectangle, or nullopt without an editor or an answer.
  std::optional<ERect> editorRect();

  // Audio, straight to the record's entries; `frames` at most the block size set.
  void processReplacing(float** inputs, float** outputs, VstInt32 frames);
  void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames);
  void processAccumulating(float** inputs, float** outputs, VstInt32 frames);

  bool mainsOn() const { return mainsOn_; }
  bool processing() const { return processing_; }

 private:
  // A text request with a generous, zeroed buffer read back within its bounds, so that a
  // plug-in overrunning the interface's limit cannot corrupt the host.
  std::string textRequest(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
  void checkRecord();

  std::unique_ptr<PluginLibrary> library_;
  Host& host_;
  AEffect* effect_ = nullptr;
  bool closed_ = false;
  bool mainsOn_ = false;
  bool processing_ = false;
};

}  // namespace plughost
