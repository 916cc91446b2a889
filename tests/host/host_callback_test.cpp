// The host callback: its answer to every request a plug-in may make, the log tests rely on, and
// the routing of calls to the Host that loaded the record (or whose entry call is running).
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "host/host.h"

namespace hosttest {
namespace {

using plughost::Host;

VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
               float opt = 0.0f, AEffect* effect = nullptr) {
  return Host::callback(effect, opcode, index, value, ptr, opt);
}

TEST(HostCallback, AnswersFromInsideAnEntry) {
  Host host;
  host.setSampleRate(48000.0);
  host.setBlockSize(256);
  Host::EntryScope scope(host);

  struct Case {
    const char* name;
    VstInt32 opcode;
    VstIntPtr answer;
  };
  const Case cases[] = {
      {"version", audioMasterVersion, 2400},
      {"sample rate", audioMasterGetSampleRate, 48000},
      {"block size", audioMasterGetBlockSize, 256},
      {"vendor version", audioMasterGetVendorVersion, Host::kVendorVersion},
      {"process level", audioMasterGetCurrentProcessLevel, kVstProcessLevelUser},
      {"automation state", audioMasterGetAutomationState, kVstAutomationOff},
      {"language", audioMasterGetLanguage, 1},
      {"replacing", audioMasterWillReplaceOrAccumulate, 1},
      {"automate", audioMasterAutomate, 0},
      {"idle", audioMasterIdle, 0},
      {"begin edit", audioMasterBeginEdit, 1},
      {"end edit", audioMasterEndEdit, 1},
      {"want midi", audioMasterWantMidi, 0},
      {"process events", audioMasterProcessEvents, 0},
      {"io changed", audioMasterIOChanged, 0},
      {"current id", audioMasterCurrentId, 0},
      {"unknown opcode", 999, 0},
      {"negative opcode", -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(call(c.opcode), c.answer);
  }
}

TEST(HostCallback, CanDoTable) {
  Host host;
  Host::EntryScope scope(host);
  struct Case {
    const char* text;
    VstIntPtr answer;
  };
  const Case cases[] = {
      {"sizeWindow", 1},        {"sendVstTimeInfo", 1},     {"startStopProcess", 1},
      {"receiveVstMidiEvent", -1}, {"sendVstEvents", -1},   {"offline", -1},
      {"openFileSelector", -1}, {"somethingNew", 0},        {"", 0},
      {"sizewindow", 0},  // texts are case-sensitive
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(call(audioMasterCanDo, 0, 0, const_cast<char*>(c.text)), c.answer);
  }
  EXPECT_EQ(call(audioMasterCanDo, 0, 0, nullptr), 0);
  // An unterminated text is read within its bound, not beyond.
  char unterminated[300];
  std::memset(unterminated, 'a', sizeof unterminated);
  EXPECT_EQ(call(audioMasterCanDo, 0, 0, unterminated), 0);
  EXPECT_EQ(host.callsWithOpcode(audioMasterCanDo).back().text.size(), 256u);
}

TEST(HostCallback, StringsStayWithinTheirLimit) {
  Host host;
  Host::EntryScope scope(host);
  for (const auto& [opcode, expected] :
       {std::pair{audioMasterGetVendorString, "Quellin"},
        std::pair{audioMasterGetProductString, "plughost"}}) {
    char buffer[80];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(call(opcode, 0, 0, buffer), 1);
    EXPECT_STREQ(buffer, expected);
    EXPECT_EQ(std::string(buffer + 64, 16), std::string(16, 'x'));
  }
  EXPECT_EQ(call(audioMasterGetVendorString, 0, 0, nullptr), 1);  // null buffer: ignored
}

TEST(HostCallback, TimeRecordOrNull) {
  Host host;
  host.setSampleRate(44100.0);
  Host::EntryScope scope(host);
  host.setTransport(true, 88200.0);
  const auto* time = reinterpret_cast<const VstTimeInfo*>(call(audioMasterGetTime));
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(time->samplePos, 88200.0);
  EXPECT_EQ(time->sampleRate, 44100.0);
  EXPECT_EQ(time->tempo, 120.0);
  EXPECT_EQ(time->ppqPos, 4.0);  // two seconds at 120 beats per minute
  EXPECT_EQ(time->barStartPos, 4.0);
  EXPECT_EQ(time->timeSigNumerator, 4);
  EXPECT_EQ(time->timeSigDenominator, 4);
  EXPECT_EQ(time->flags & (kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid),
            kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid);
  host.setTimeInfoEnabled(false);
  EXPECT_EQ(call(audioMasterGetTime), 0);
}

TEST(HostCallback, SizeWindowIsAcceptedAndKept) {
  Host host;
  Host::EntryScope scope(host);
  EXPECT_FALSE(host.requestedWindowSize());
  EXPECT_EQ(call(audioMasterSizeWindow, 752, 80), 1);
  ASSERT_TRUE(host.requestedWindowSize());
  EXPECT_EQ(host.requestedWindowSize()->width, 752);
  EXPECT_EQ(host.requestedWindowSize()->height, 80);
}

TEST(HostCallback, LogsEveryCallWithItsThread) {
  Host host;
  AEffect record{};
  host.attach(&record, "/plugins");
  call(audioMasterBeginEdit, 1, 0, nullptr, 0.0f, &record);
  call(audioMasterAutomate, 1, 0, nullptr, 0.25f, &record);
  std::thread::id other;
  std::thread([&] {
    other = std::this_thread::get_id();
    call(audioMasterEndEdit, 1, 0, nullptr, 0.0f, &record);
  }).join();

  const auto calls = host.calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
  EXPECT_EQ(calls[1].index, 1);
  EXPECT_EQ(calls[1].opt, 0.25f);
  EXPECT_EQ(calls[1].effect, &record);
  EXPECT_EQ(calls[1].thread, std::this_thread::get_id());
  EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
  EXPECT_EQ(calls[2].thread, other);
  EXPECT_EQ(calls[2].answer, 1);

  const auto* directory =
      reinterpret_cast<const char*>(call(audioMasterGetDirectory, 0, 0, nullptr, 0.0f, &record));
  ASSERT_NE(directory, nullptr);
  EXPECT_STREQ(directory, "/plugins");
}

TEST(HostCallback, RoutesToTheHostThatHoldsTheRecord) {
  Host a, b;
  AEffect recordA{}, recordB{}, stranger{};
  a.attach(&recordA, "");
  b.attach(&recordB, "");
  a.setBlockSize(64);
  b.setBlockSize(128);
  EXPECT_EQ(call(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, &recordA), 64);
  EXPECT_EQ(call(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, &recordB), 128);
  {
    // A record nobody knows yet, while b's entry runs, is b's new plug-in.
    Host::EntryScope scope(b);
    EXPECT_EQ(call(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, &stranger), 128);
  }
  // With no entry running, an unknown record still learns the version and nothing else.
  EXPECT_EQ(call(audioMasterVersion, 0, 0, nullptr, 0.0f, &stranger), 2400);
  EXPECT_EQ(call(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, &stranger), 0);
  a.detach(&recordA);
  EXPECT_EQ(call(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, &recordA), 0);
  EXPECT_EQ(a.calls().size(), 1u);
  EXPECT_EQ(b.calls().size(), 2u);
}

TEST(HostCallback, DestroyedHostIsNoLongerReached) {
  AEffect record{};
  {
    Host host;
    host.attach(&record, "");
    Host::EntryScope scope(host);
  }
  EXPECT_EQ(call(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, &record), 0);
  EXPECT_EQ(call(audioMasterVersion), 2400);
}

TEST(HostCallback, LogIsBounded) {
  Host host;
  Host::EntryScope scope(host);
  for (std::size_t i = 0; i < Host::kMaxLoggedCalls + 5; ++i) call(audioMasterIdle);
  EXPECT_EQ(host.calls().size(), Host::kMaxLoggedCalls);
  EXPECT_EQ(host.droppedCalls(), 5u);
  host.clearCalls();
  EXPECT_TRUE(host.calls().empty());
}

}  // namespace
}  // namespace hosttest
