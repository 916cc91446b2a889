// The host library against the fixture plug-ins: load failures, the callback as seen from a
// plug-in's entry, the order of requests, automation, and the wind-down on destruction.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fixture_paths.h"
#include "host/host_error.h"
#include "host/plugin.h"
#include "host/plugin_library.h"

namespace hosttest {
namespace {

using namespace plughost;

// The probe's log of requests, read through a second handle on the same loaded library.
class ProbeLog {
 public:
  ProbeLog() : library_(kProbe) {
    auto get = reinterpret_cast<const std::vector<VstInt32>* (*)()>(
        library_.findSymbol("fixtureRequests"));
    log_ = get();
  }
  // Requests since construction.
  std::vector<VstInt32> since() const {
    return std::vector<VstInt32>(log_->begin() + static_cast<std::ptrdiff_t>(start_), log_->end());
  }
  void mark() { start_ = log_->size(); }

 private:
  PluginLibrary library_;
  const std::vector<VstInt32>* log_ = nullptr;
  std::size_t start_ = 0;
};

struct LoadFailure {
  const char* name;
  std::string path;
  ExitCode code;
  const char* message;
};

class PluginLoadFailure : public ::testing::TestWithParam<LoadFailure> {};

TEST_P(PluginLoadFailure, IsReportedWithItsCode) {
  Host host;
  try {
    Plugin plugin(GetParam().path, host);
    FAIL() << "loaded";
  } catch (const HostError& e) {
    EXPECT_EQ(e.code(), GetParam().code);
    EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PluginLoadFailure,
    ::testing::Values(
        LoadFailure{"missing", std::string(kProbe) + ".missing", ExitCode::pluginNotFound,
                    "not found"},
        LoadFailure{"folder", std::filesystem::path(kProbe).parent_path().string(),
                    ExitCode::pluginNotLoadable, "folder"},
        LoadFailure{"not_a_library", kNotALibrary, ExitCode::pluginNotLoadable, "cannot load"},
        LoadFailure{"no_entry", kNoEntry, ExitCode::noEntry, "neither VSTPluginMain nor main"},
        LoadFailure{"null_entry", kNullEntry, ExitCode::entryReturnedNull, "returned no effect"},
        LoadFailure{"bad_magic", kBadMagic, ExitCode::badMagic, "0x58585858 instead of 0x56737450"},
        LoadFailure{"bad_record", kBadRecord, ExitCode::badRecord, "has no dispatcher"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Plugin, EntryAsksTheHostWithANullRecord) {
  Host host;
  host.setSampleRate(96000.0);
  host.setBlockSize(512);
  Plugin plugin(kProbe, host);

  const auto calls = host.calls();
  const VstInt32 expected[] = {audioMasterVersion,          audioMasterGetBlockSize,
                               audioMasterGetSampleRate,    audioMasterCanDo,
                               audioMasterGetVendorVersion, audioMasterGetVendorString,
                               audioMasterGetProductString};
  ASSERT_EQ(calls.size(), std::size(expected));
  for (std::size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(calls[i].opcode, expected[i]);
    EXPECT_EQ(calls[i].effect, nullptr);
  }
  EXPECT_EQ(calls[0].answer, 2400);
  EXPECT_EQ(calls[1].answer, 512);
  EXPECT_EQ(calls[2].answer, 96000);
  EXPECT_EQ(calls[3].text, "sizeWindow");
  EXPECT_EQ(calls[3].answer, 1);
  EXPECT_EQ(calls[4].answer, Host::kVendorVersion);

  // What the plug-in itself received.
  PluginLibrary same(kProbe);
  struct EntryAnswers {
    VstIntPtr version, blockSize, sampleRate, canDoSizeWindow, vendorVersion;
    char vendor[64];
    char product[64];
  };
  const auto* answers = reinterpret_cast<const EntryAnswers* (*)()>(
      same.findSymbol("fixtureEntryAnswers"))();
  EXPECT_EQ(answers->blockSize, 512);
  EXPECT_STREQ(answers->vendor, "Quellin");
  EXPECT_STREQ(answers->product, "plughost");
}

TEST(Plugin, LegacyEntryIsFoundAsMain) {
  {
    PluginLibrary library(kLegacy);
    EXPECT_EQ(library.findSymbol("VSTPluginMain"), nullptr);
    EXPECT_NE(library.findSymbol("main"), nullptr);
  }
  Host host;
  Plugin plugin(kLegacy, host);
  EXPECT_EQ(plugin.effectName(), "Probe");
  EXPECT_EQ(plugin.effect().processReplacing, nullptr);
}

TEST(Plugin, AutomatedEditReachesTheLog) {
  Host host;
  Plugin plugin(kProbe, host);
  plugin.open();
  host.clearCalls();
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, qlnFourCC('a', 'u', 't', 'o'), 1, nullptr, 0.75f),
            1);
  const auto calls = host.calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
  EXPECT_EQ(calls[1].opt, 0.75f);
  EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
  for (const HostCall& c : calls) {
    EXPECT_EQ(c.index, 1);
    EXPECT_EQ(c.effect, &plugin.effect());
  }
  EXPECT_EQ(plugin.parameter(1), 0.75f);
}

TEST(Plugin, RequestsGoOutInTheCallersOrderAndTheDestructorWindsDown) {
  ProbeLog log;
  {
    Host host;
    Plugin plugin(kProbe, host);
    log.mark();
    // Any order a test wants, even mains on before open.
    plugin.setMainsOn(true);
    plugin.open();
    plugin.startProcess();
    EXPECT_EQ(log.since(), (std::vector<VstInt32>{effMainsChanged, effOpen, effStartProcess}));
    log.mark();
  }
  EXPECT_EQ(log.since(), (std::vector<VstInt32>{effStopProcess, effMainsChanged, effClose}));
}

TEST(Plugin, NothingReachesAClosedRecord) {
  ProbeLog log;
  Host host;
  Plugin plugin(kProbe, host);
  plugin.close();
  EXPECT_TRUE(plugin.closed());
  log.mark();
  EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 0);
  plugin.setParameter(0, 1.0f);
  EXPECT_EQ(plugin.parameter(0), 0.0f);
  EXPECT_TRUE(log.since().empty());
}

TEST(Plugin, TextsAreReadBack) {
  Host host;
  Plugin plugin(kProbe, host);
  EXPECT_EQ(plugin.effectName(), "Probe");
  EXPECT_EQ(plugin.productString(), "Probe product");
  EXPECT_EQ(plugin.parameterName(1), "Level");
  EXPECT_EQ(plugin.parameterLabel(1), "dB");
  EXPECT_EQ(plugin.programNameIndexed(2), "Gamma");
  EXPECT_EQ(plugin.programNameIndexed(3), std::nullopt);
  EXPECT_EQ(plugin.canDo("bypass"), 1);
  EXPECT_FALSE(plugin.editorRect().has_value());
}

}  // namespace
}  // namespace hosttest
