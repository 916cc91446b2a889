// The host callback's routing and answers.
#include "host/host.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

namespace plughost {

namespace {

// Every Host with attached records, for routing; and the Host whose entry call is running.
std::mutex gRoutingMutex;
std::vector<std::pair<const AEffect*, Host*>> gRoutes;
std::atomic<Host*> gEntryHost{nullptr};

// Texts from a plug-in are read within a bound, terminated or not.
std::string boundedText(const void* ptr, std::size_t limit) {
  if (!ptr) return {};
  const auto* text = static_cast<const char*>(ptr);
  std::size_t n = 0;
  while (n < limit && text[n] != '\0') ++n;
  return std::string(text, n);
}

void copyBounded(void* dest, const char* text, std::size_t capacity) {
  if (!dest || capacity == 0) return;
  auto* out = static_cast<char*>(dest);
  const std::size_t n = std::min(std::strlen(text), capacity - 1);
  std::memcpy(out, text, n);
  out[n] = '\0';
}

struct CanDoEntry {
  std::string_view text;
  VstIntPtr answer;
};

constexpr std::array<CanDoEntry, 16> kCanDo{{
    {"sendVstEvents", -1},
    {"sendVstMidiEvent", -1},
    {"sendVstTimeInfo", 1},
    {"receiveVstEvents", -1},
    {"receiveVstMidiEvent", -1},
    {"reportConnectionChanges", -1},
    {"acceptIOChanges", -1},
    {"sizeWindow", 1},
    {"offline", -1},
    {"openFileSelector", -1},
    {"closeFileSelector", -1},
    {"startStopProcess", 1},
    {"shellCategory", -1},
    {"sendVstMidiEventFlagIsRealtime", -1},
    {"supplyIdle", -1},
    {"editFile", -1},
}};

}  // namespace

Host::Host() = default;

Host::~Host() {
  std::lock_guard lock(gRoutingMutex);
  std::erase_if(gRoutes, [this](const auto& route) { return route.second == this; });
  Host* self = this;
  gEntryHost.compare_exchange_strong(self, nullptr);
}

VstIntPtr VSTCALLBACK Host::callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                     VstIntPtr value, void* ptr, float opt) {
  Host* host = nullptr;
  if (effect) {
    std::lock_guard lock(gRoutingMutex);
    const auto it = std::find_if(gRoutes.begin(), gRoutes.end(),
                                 [effect](const auto& route) { return route.first == effect; });
    if (it != gRoutes.end()) host = it->second;
  }
  if (!host) host = gEntryHost.load();
  if (!host) {
    // A record nobody loaded: answer like a host that knows nothing, but never refuse the
    // version question, which would make a plug-in give up.
    return opcode == audioMasterVersion ? kVstVersion : 0;
  }
  return host->answer(effect, opcode, index, value, ptr, opt);
}

VstIntPtr Host::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                       void* ptr, float opt) {
  HostCall call;
  call.effect = effect;
  call.opcode = opcode;
  call.index = index;
  call.value = value;
  call.opt = opt;
  call.thread = std::this_thread::get_id();
  call.answer = compute(effect, opcode, index, value, ptr, opt, call.text);
  const VstIntPtr result = call.answer;
  log(std::move(call));
  return result;
}

VstIntPtr Host::compute(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                        void* ptr, float opt, std::string& text) {
  (void)opt;
  switch (opcode) {
    case audioMasterVersion: return kVstVersion;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(std::lround(sampleRate_.load()));
    case audioMasterGetBlockSize: return blockSize_.load();
    case audioMasterGetVendorString: copyBounded(ptr, kVendor, kVstMaxVendorStrLen); return 1;
    case audioMasterGetProductString: copyBounded(ptr, kProduct, kVstMaxProductStrLen); return 1;
    case audioMasterGetVendorVersion: return kVendorVersion;
    case audioMasterCanDo:
      text = boundedText(ptr, 256);
      return ptr ? canDoAnswer(text) : 0;
    case audioMasterSizeWindow: {
      std::lock_guard lock(mutex_);
      windowSize_ = WindowSize{index, static_cast<int>(value)};
      return 1;
    }
    case audioMasterGetTime: {
      if (!timeInfoEnabled_) return 0;
      std::lock_guard lock(mutex_);
      const double rate = sampleRate_.load();
      timeInfo_ = VstTimeInfo{};
      timeInfo_.samplePos = samplePos_;
      timeInfo_.sampleRate = rate;
      timeInfo_.tempo = 120.0;
      timeInfo_.ppqPos = rate > 0 ? samplePos_ / rate * timeInfo_.tempo / 60.0 : 0.0;
      timeInfo_.barStartPos = std::floor(timeInfo_.ppqPos / 4.0) * 4.0;
      timeInfo_.timeSigNumerator = 4;
      timeInfo_.timeSigDenominator = 4;
      timeInfo_.flags = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid |
                        (playing_ ? kVstTransportPlaying : 0);
      return reinterpret_cast<VstIntPtr>(&timeInfo_);
    }
    case audioMasterGetDirectory: {
      std::lock_guard lock(mutex_);
      for (const Attached& a : attached_) {
        if (a.effect == effect) return reinterpret_cast<VstIntPtr>(a.directory.c_str());
      }
      return 0;
    }
    case audioMasterGetCurrentProcessLevel: return processLevel_.load();
    case audioMasterGetAutomationState: return kVstAutomationOff;
    case audioMasterGetLanguage: return 1;  // English
    case audioMasterWillReplaceOrAccumulate: return 1;  // replacing
    case audioMasterTempoAt: return 1200000;  // 120 beats per minute, times 10000
    case audioMasterPinConnected: return index >= 0 && index < 2 ? 0 : 1;  // 0 means connected
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterUpdateDisplay: return 1;
    default: return 0;  // automation, idle and everything this host does not offer
  }
}

VstIntPtr Host::canDoAnswer(std::string_view text) {
  for (const CanDoEntry& entry : kCanDo) {
    if (entry.text == text) return entry.answer;
  }
  return 0;
}

void Host::log(HostCall call) {
  std::lock_guard lock(mutex_);
  if (calls_.size() >= kMaxLoggedCalls) {
    ++dropped_;
    return;
  }
  calls_.push_back(std::move(call));
}

void Host::setTransport(bool playing, double samplePos) {
  std::lock_guard lock(mutex_);
  playing_ = playing;
  samplePos_ = samplePos;
}

std::vector<HostCall> Host::calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<HostCall> Host::callsWithOpcode(VstInt32 opcode) const {
  std::lock_guard lock(mutex_);
  std::vector<HostCall> result;
  for (const HostCall& call : calls_) {
    if (call.opcode == opcode) result.push_back(call);
  }
  return result;
}

void Host::clearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
  dropped_ = 0;
}

std::size_t Host::droppedCalls() const {
  std::lock_guard lock(mutex_);
  return dropped_;
}

std::optional<WindowSize> Host::requestedWindowSize() const {
  std::lock_guard lock(mutex_);
  return windowSize_;
}

void Host::attach(AEffect* effect, const std::string& directory) {
  {
    std::lock_guard lock(mutex_);
    attached_.push_back({effect, directory});
  }
  std::lock_guard lock(gRoutingMutex);
  gRoutes.emplace_back(effect, this);
}

void Host::detach(AEffect* effect) {
  {
    std::lock_guard lock(mutex_);
    std::erase_if(attached_, [effect](const Attached& a) { return a.effect == effect; });
  }
  std::lock_guard lock(gRoutingMutex);
  std::erase_if(gRoutes, [effect](const auto& route) { return route.first == effect; });
}

Host::EntryScope::EntryScope(Host& host) : previous_(gEntryHost.exchange(&host)) {}

Host::EntryScope::~EntryScope() { gEntryHost.store(previous_); }

}  // namespace plughost
