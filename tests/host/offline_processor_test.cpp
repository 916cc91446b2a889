// Streaming files through the probe plug-in: every frame exactly once, in order, in blocks no
// larger than asked, for lengths that are not a multiple of the block; mono feeding both inputs;
// the request order of a processing run; and the tool's process command around it (formats,
// progress, interruption, option checks against the plug-in).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "fixture_paths.h"
#include "host/host_error.h"
#include "host/offline_processor.h"
#include "host/plughost_tool.h"
#include "host/plugin_library.h"
#include "host/wav_reader.h"
#include "host/wav_writer.h"
#include "host_test_support.h"
#include "json_value.h"

namespace hosttest {
namespace {

using namespace plughost;

constexpr double kCounterStep = 1.0 / 1048576.0;

Channels ramp(std::size_t channels, std::size_t frames) {
  Channels c(channels, std::vector<double>(frames));
  for (std::size_t k = 0; k < channels; ++k) {
    for (std::size_t i = 0; i < frames; ++i) {
      c[k][i] = static_cast<double>((i * 37 + k * 11) % 2000) / 4096.0 - 0.25;
    }
  }
  return c;
}

struct StreamCase {
  std::size_t frames;
  VstInt32 block;
  Precision precision;
};

class Streaming : public ScratchDir, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(Streaming, EveryFrameOnceInOrder) {
  const StreamCase& c = GetParam();
  const Channels input = ramp(2, c.frames);
  writeWav(path("in.wav"), input, 44100);

  Host host;
  Plugin plugin(kProbe, host);
  plugin.open();
  ProcessSettings settings;
  settings.blockSize = c.block;
  settings.precision = c.precision;
  settings.parameters = {{0, 1.0f}};  // output 2: frame counter
  OfflineProcessor processor(plugin, settings);
  {
    WavReader reader(path("in.wav").string());
    WavWriter writer(path("out.wav").string(), {44100, 2, SampleEncoding::float32, 0});
    std::int64_t lastProgress = 0;
    EXPECT_TRUE(processor.run(reader, writer, [&](std::int64_t done) {
      EXPECT_GT(done, lastProgress);
      lastProgress = done;
      return true;
    }));
    EXPECT_EQ(lastProgress, static_cast<std::int64_t>(c.frames));
    writer.finish();
  }
  PluginLibrary same(kProbe);
  const auto largest = reinterpret_cast<VstInt32 (*)(AEffect*)>(
      same.findSymbol("fixtureLargestBlock"))(&plugin.effect());
  EXPECT_LE(largest, c.block);

  const WavContents out = readWav(path("out.wav"));
  ASSERT_EQ(out.channels.size(), 2u);
  ASSERT_EQ(out.channels[0].size(), c.frames);
  for (std::size_t i = 0; i < c.frames; ++i) {
    ASSERT_EQ(out.channels[0][i], static_cast<float>(input[0][i])) << "frame " << i;
    ASSERT_EQ(out.channels[1][i], static_cast<double>(i) * kCounterStep) << "frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, Streaming,
    ::testing::Values(StreamCase{0, 64, Precision::single}, StreamCase{1, 4096, Precision::single},
                      StreamCase{1001, 1, Precision::single},
                      StreamCase{1001, 7, Precision::double_},
                      StreamCase{1000, 1000, Precision::single},
                      StreamCase{1001, 1000, Precision::double_},
                      StreamCase{3 * 4096 + 5, 4096, Precision::single}));

class ProcessTool : public ScratchDir {
 protected:
  ToolResult process(std::vector<std::string> extra, const std::string& plugin = kProbe) {
    std::vector<std::string> args{"process", plugin, path("in.wav").string(),
                                  path("out.wav").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTool(args);
  }
};

TEST_F(ProcessTool, MonoFeedsBothInputs) {
  const Channels mono = ramp(1, 300);
  writeWav(path("in.wav"), mono, 22050, SampleEncoding::pcm16);
  const ToolResult r = process({});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");  // not a terminal: no progress bar
  const WavContents out = readWav(path("out.wav"));
  EXPECT_EQ(out.format.sampleRate, 22050);
  EXPECT_EQ(out.format.encoding, SampleEncoding::pcm16);  // the input's format
  ASSERT_EQ(out.channels.size(), 2u);
  EXPECT_EQ(out.channels[0], readWav(path("in.wav")).channels[0]);
  EXPECT_EQ(out.channels[1], readWav(path("in.wav")).channels[0]);
}

TEST_F(ProcessTool, FormatOption) {
  writeWav(path("in.wav"), ramp(2, 100), 44100, SampleEncoding::pcm16);
  for (const auto& [option, encoding] :
       {std::pair{"float", SampleEncoding::float32}, std::pair{"pcm24", SampleEncoding::pcm24},
        std::pair{"pcm16", SampleEncoding::pcm16}}) {
    SCOPED_TRACE(option);
    ASSERT_EQ(process({"--format", option}).code, 0);
    const WavContents out = readWav(path("out.wav"));
    EXPECT_EQ(out.format.encoding, encoding);
    EXPECT_EQ(out.channels, readWav(path("in.wav")).channels);  // PCM codes survive any of them
  }
}

TEST_F(ProcessTool, RequestOrderOfARun) {
  writeWav(path("in.wav"), ramp(2, 10), 48000);
  PluginLibrary same(kProbe);
  const auto* log =
      reinterpret_cast<const std::vector<VstInt32>* (*)()>(same.findSymbol("fixtureRequests"))();
  const std::size_t start = log->size();
  ASSERT_EQ(process({"--program", "2", "--precision", "double"}).code, 0);
  const std::vector<VstInt32> requests(log->begin() + static_cast<std::ptrdiff_t>(start),
                                       log->end());
  EXPECT_EQ(requests, (std::vector<VstInt32>{effOpen, effSetSampleRate, effSetBlockSize,
                                             effSetProcessPrecision, effSetProgram,
                                             effMainsChanged, effStartProcess, effStopProcess,
                                             effMainsChanged, effClose}));
}

TEST_F(ProcessTool, ProgressBarOnlyOnATerminal) {
  writeWav(path("in.wav"), ramp(2, 5000), 44100);
  std::ostringstream out, err;
  ToolEnvironment terminal;
  terminal.stderrIsTerminal = true;
  const std::vector<std::string> args{"process", kProbe, path("in.wav").string(),
                                      path("out.wav").string(), "--block", "100"};
  ASSERT_EQ(runPlughost(args, out, err, terminal), 0);
  EXPECT_NE(err.str().find("\r["), std::string::npos);
  EXPECT_NE(err.str().find("100%\n"), std::string::npos);
  EXPECT_EQ(out.str(), "");

  std::vector<std::string> quiet = args;
  quiet.push_back("--quiet");
  std::ostringstream out2, err2;
  ASSERT_EQ(runPlughost(quiet, out2, err2, terminal), 0);
  EXPECT_EQ(err2.str(), "");
}

TEST_F(ProcessTool, InterruptLeavesNoOutputAndKeepsTheOldFile) {
  writeWav(path("in.wav"), ramp(2, 5000), 44100);
  writeWav(path("out.wav"), ramp(1, 3), 8000);
  const std::string before = readFile(path("out.wav"));
  std::ostringstream out, err;
  ToolEnvironment environment;
  int polls = 0;
  environment.interrupted = [&] { return ++polls >= 2; };
  const int code = runPlughost({"process", kProbe, path("in.wav").string(),
                                path("out.wav").string(), "--block", "100"},
                               out, err, environment);
  EXPECT_EQ(code, 130);
  EXPECT_NE(err.str().find("interrupted"), std::string::npos);
  EXPECT_EQ(files(), (std::vector<std::string>{"in.wav", "out.wav"}));
  EXPECT_EQ(readFile(path("out.wav")), before);
}

// Every failure the tool reports: its exit code, a one-line message, and no output file.
struct ToolFailure {
  const char* name;
  const char* plugin;
  std::vector<std::string> extra;
  int code;
  const char* message;
  int channels = 2;
  const char* input = "in.wav";   // a name in the scratch folder
  const char* output = "out.wav";
};

class ProcessToolFailure : public ScratchDir, public ::testing::WithParamInterface<ToolFailure> {};

TEST_P(ProcessToolFailure, GivesItsCodeAndNoOutput) {
  const ToolFailure& c = GetParam();
  writeWav(path("in.wav"), ramp(static_cast<std::size_t>(c.channels), 100), 44100);
  std::ofstream(path("text.wav")) << "not audio";
  std::filesystem::create_directory(path("folder"));
  const std::vector<std::string> before = files();
  std::vector<std::string> args{"process", c.plugin, path(c.input).string(),
                                path(c.output).string()};
  args.insert(args.end(), c.extra.begin(), c.extra.end());
  const ToolResult r = runTool(args);
  EXPECT_EQ(r.code, c.code);
  EXPECT_EQ(r.err.rfind("plughost: error: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line";
  EXPECT_EQ(files(), before);
}

const std::string kMissingPlugin = std::string(kProbe) + ".missing";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessToolFailure,
    ::testing::Values(
        ToolFailure{"usage", kProbe, {"--fast"}, 2, "unknown option for process: --fast"},
        ToolFailure{"plugin_missing", kMissingPlugin.c_str(), {}, 4, "plug-in not found"},
        ToolFailure{"not_a_library", kNotALibrary, {}, 5, "cannot load"},
        ToolFailure{"no_entry", kNoEntry, {}, 6, "neither VSTPluginMain nor main"},
        ToolFailure{"null_entry", kNullEntry, {}, 7, "returned no effect"},
        ToolFailure{"bad_magic", kBadMagic, {}, 8, "has the magic 0x58585858"},
        ToolFailure{"bad_record", kBadRecord, {}, 9, "has no dispatcher"},
        ToolFailure{"input_missing", kProbe, {}, 10, "cannot open", 2, "none.wav"},
        ToolFailure{"input_not_audio", kProbe, {}, 10, "not a", 2, "text.wav"},
        ToolFailure{"three_channels", kProbe, {}, 11, "3 channels", 3},
        ToolFailure{"output_unwritable", kProbe, {}, 12, "cannot create", 2, "in.wav",
                    "no-such-folder/out.wav"},
        ToolFailure{"output_is_folder", kProbe, {}, 12, "is a folder", 2, "in.wav", "folder"},
        ToolFailure{"param_index_past_count", kProbe, {"--param", "2=0.5"}, 3,
                    "outside the plug-in's 2 parameters"},
        ToolFailure{"param_not_a_number", kProbe, {"--param", "0=abc"}, 3,
                    "--param value must be a number"},
        ToolFailure{"block_zero", kProbe, {"--block", "0"}, 3, "--block wants"},
        ToolFailure{"program_past_count", kProbe, {"--program", "3"}, 3,
                    "outside the plug-in's 3 programs"},
        ToolFailure{"no_double_precision", kLegacy, {"--precision", "double"}, 13,
                    "double precision"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTool, LegacyPluginProcessesThroughTheAccumulatingEntry) {
  const Channels input = ramp(2, 500);
  writeWav(path("in.wav"), input, 44100);
  ASSERT_EQ(process({"--block", "64"}, kLegacy).code, 0);
  const WavContents out = readWav(path("out.wav"));
  ASSERT_EQ(out.channels.size(), 2u);
  for (std::size_t i = 0; i < 500; ++i) {
    ASSERT_EQ(out.channels[1][i], static_cast<float>(input[1][i])) << i;  // not accumulated twice
  }
}

TEST(InfoTool, JsonDescribesTheProbe) {
  const ToolResult r = runTool({"info", kProbe, "--json", "--param", "0=0.9"});
  ASSERT_EQ(r.code, 0) << r.err;
  const JsonValue v = JsonValue::parse(r.out);
  EXPECT_EQ(v["effectName"].string(), "Probe");
  EXPECT_EQ(v["vendor"].string(), "Fixture \xC3\xA9t\xC3\xA9 \"q\"");  // Latin-1 bytes as text
  EXPECT_EQ(v["product"].string(), "Probe product");
  EXPECT_EQ(v["vendorVersion"].integer(), 7);
  EXPECT_EQ(v["uniqueIdHex"].string(), "0x50726265");
  EXPECT_EQ(v["version"].integer(), 3);
  EXPECT_EQ(v["vstVersion"].integer(), 2400);
  EXPECT_EQ(v["categoryName"].string(), "effect");
  EXPECT_EQ(v["initialDelay"].integer(), 5);
  EXPECT_EQ(v["numPrograms"].integer(), 3);
  EXPECT_EQ(v["flagNames"].array().size(), 2u);
  EXPECT_EQ(v["flagNames"][0].string(), "effFlagsCanReplacing");
  EXPECT_EQ(v["flagNames"][1].string(), "effFlagsCanDoubleReplacing");
  ASSERT_EQ(v["parameters"].array().size(), 2u);
  EXPECT_EQ(v["parameters"][0]["name"].string(), "Mode");
  EXPECT_EQ(v["parameters"][0]["display"].string(), "high");
  EXPECT_EQ(v["parameters"][0]["value"].number(), static_cast<double>(0.9f));
  EXPECT_FALSE(v["parameters"][0]["automatable"].boolean());
  EXPECT_EQ(v["parameters"][1]["label"].string(), "dB");
  EXPECT_EQ(v["parameters"][1]["display"].string(), "low");
  EXPECT_TRUE(v["parameters"][1]["automatable"].boolean());
  EXPECT_EQ(v["programs"][2].string(), "Gamma");
  EXPECT_EQ(v["canDo"]["bypass"].integer(), 1);
  EXPECT_EQ(v["canDo"]["receiveVstEvents"].integer(), -1);
  EXPECT_TRUE(v["editor"].isNull());
}

TEST(InfoTool, ProgramNamesWithoutIndexedRequests) {
  const ToolResult r = runTool({"info", kLegacy, "--json", "--program", "1"});
  ASSERT_EQ(r.code, 0) << r.err;
  const JsonValue v = JsonValue::parse(r.out);
  ASSERT_EQ(v["programs"].array().size(), 3u);
  EXPECT_EQ(v["programs"][0].string(), "Alpha");
  EXPECT_EQ(v["programs"][2].string(), "Gamma");
}

TEST(InfoTool, TextListsEverySection) {
  const ToolResult r = runTool({"info", kProbe});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* text : {"Effect:         Probe", "Unique id:      0x50726265 'Prbe'",
                           "Flags:          0x00001010 effFlagsCanReplacing",
                           "Category:       1 (effect)", "Editor:         none", "Level",
                           "Gamma", "bypass"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  }
}

}  // namespace
}  // namespace hosttest
