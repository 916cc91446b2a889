// The host side of the plug-in interface: the callback a plug-in calls, its answers (version,
// rate, block size, vendor and product, can-do table, window size, time record, ...) and a log
// of every call so that tests can check what a plug-in asked for and which parameters it
// automated. One Host can serve several plug-ins; each call is routed to the Host that loaded
// the record, and calls made with a null or not yet known record while an entry function runs
// go to the Host whose entry call is in progress.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "host/vst_time_info.h"
#include "shell/aeffect.h"

namespace plughost {

// One call of the host callback, as the plug-in made it.
struct HostCall {
  const AEffect* effect = nullptr;  // as passed (null from inside an entry function)
  VstInt32 opcode = 0;
  VstInt32 index = 0;
  VstIntPtr value = 0;
  float opt = 0.0f;
  std::thread::id thread;
  std::string text;  // the text of audioMasterCanDo; empty otherwise
  VstIntPtr answer = 0;
};

struct WindowSize {
  int width = 0;
  int height = 0;
};

class Host {
 public:
  static constexpr const char* kVendor = "Quellin";
  static constexpr const char* kProduct = "plughost";
  static constexpr VstInt32 kVendorVersion = 1000;
  static constexpr std::size_t kMaxLoggedCalls = 100000;  // older calls are counted, not kept

  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The function handed to every entry function. C calling convention on every platform.
  static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                        VstIntPtr value, void* ptr, float opt);

  // The answer to one call, logged; what callback() does once it has found the Host.
  VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt);

  // What the host tells plug-ins; set only while no plug-in processes.
  void setSampleRate(double hz) { sampleRate_ = hz; }
  double sampleRate() const { return sampleRate_; }
  void setBlockSize(VstInt32 frames) { blockSize_ = frames; }
  VstInt32 blockSize() const { return blockSize_; }
  // Whether audioMasterGetTime answers a time record (true) or null.
  void setTimeInfoEnabled(bool enabled) { timeInfoEnabled_ = enabled; }
  // Transport as reported in the time record; called by the processing loop before each block.
  void setTransport(bool playing, double samplePos);
  void setProcessLevel(VstInt32 level) { processLevel_ = level; }

  // The can-do table: 1 for what this host does, -1 for what it does not, 0 for unknown texts.
  static VstIntPtr canDoAnswer(std::string_view text);

  // Log of calls, oldest first, thread-safe.
  std::vector<HostCall> calls() const;
  std::vector<HostCall> callsWithOpcode(VstInt32 opcode) const;
  void clearCalls();
  std::size_t droppedCalls() const;

  // The last size asked for with audioMasterSizeWindow.
  std::optional<WindowSize> requestedWindowSize() const;

  // Routes calls for `effect` to this host; `directory` answers audioMasterGetDirectory.
  void attach(AEffect* effect, const std::string& directory);
  void detach(AEffect* effect);

  // While alive, calls with an unknown record (an entry function's) go to `host`.
  class EntryScope {
   public:
    explicit EntryScope(Host& host);
    ~EntryScope();
    EntryScope(const EntryScope&) = delete;
    EntryScope& operator=(const EntryScope&) = delete;

   private:
    Host* previous_;
  };

 private:
  struct Attached {
    AEffect* effect;
    std::string directory;
  };

  VstIntPtr compute(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                    float opt, std::string& text);
  void log(HostCall call);

  std::atomic<double> sampleRate_{44100.0};
  std::atomic<VstInt32> blockSize_{1024};
  std::atomic<bool> timeInfoEnabled_{true};
  std::atomic<VstInt32> processLevel_{kVstProcessLevelUser};

  mutable std::mutex mutex_;  // guards everything below
  std::vector<HostCall> calls_;
  std::size_t dropped_ = 0;
  std::optional<WindowSize> windowSize_;
  std::vector<Attached> attached_;
  VstTimeInfo timeInfo_{};
  bool playing_ = false;
  double samplePos_ = 0.0;
};

}  // namespace plughost
