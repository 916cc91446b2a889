// End to end: the built plug-ins through the tool (the same code the plughost executable runs),
// on impulse files at the three usual rates, info --json, and the equivalences the processing
// must honour (single and double precision, any block size).
#include <gtest/gtest.h>

#include "host_test_support.h"
#include "json_value.h"

namespace hosttest {
namespace {

const std::string kLunivex = QLN_LUNIVEX_PATH;
const std::string kDravimo = QLN_DRAVIMO_PATH;

struct DelayCase {
  const char* name;
  const std::string* plugin;
  int rate;
  bool split;  // both outputs follow input 1
  long delayLeft;   // of parameter 0 at 0.25
  long delayRight;  // of parameter 1 at 0.7 (the float just below 0.7: truncated)
};

class Delays : public ScratchDir, public ::testing::WithParamInterface<DelayCase> {};

TEST_P(Delays, ImpulsesComeOutWhereExpected) {
  const DelayCase& c = GetParam();
  // Different impulses per input: input 1 at frame 100, input 2 at frame 40.
  Channels input(2, std::vector<double>(static_cast<std::size_t>(c.rate / 10), 0.0));
  input[0][100] = 0.5;
  input[1][40] = -0.25;
  writeWav(path("in.wav"), input, c.rate);

  const ToolResult r = runTool({"process", *c.plugin, path("in.wav").string(),
                                path("out.wav").string(), "--param", "0=0.25", "--param",
                                "1=0.7"});
  ASSERT_EQ(r.code, 0) << r.err;
  const WavContents out = readWav(path("out.wav"));
  EXPECT_EQ(out.format.sampleRate, c.rate);
  ASSERT_EQ(out.channels.size(), 2u);
  ASSERT_EQ(out.channels[0].size(), input[0].size());

  const long start2 = c.split ? 100 : 40;
  const double amplitude2 = c.split ? 0.5 : -0.25;
  EXPECT_EQ(firstAbove(out.channels[0]), 100 + c.delayLeft);
  EXPECT_EQ(firstAbove(out.channels[1]), start2 + c.delayRight);
  EXPECT_EQ(out.channels[0][static_cast<std::size_t>(100 + c.delayLeft)], 0.5);
  EXPECT_EQ(out.channels[1][static_cast<std::size_t>(start2 + c.delayRight)], amplitude2);
  // A pure delay: one impulse in, one out.
  for (const auto& channel : out.channels) {
    EXPECT_EQ(std::count_if(channel.begin(), channel.end(), [](double s) { return s != 0.0; }),
              1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rates, Delays,
    ::testing::Values(DelayCase{"Lunivex_44100", &kLunivex, 44100, false, 110, 308},
                      DelayCase{"Lunivex_48000", &kLunivex, 48000, false, 120, 335},
                      DelayCase{"Lunivex_96000", &kLunivex, 96000, false, 240, 671},
                      DelayCase{"Dravimo_44100", &kDravimo, 44100, true, 110, 308},
                      DelayCase{"Dravimo_48000", &kDravimo, 48000, true, 120, 335},
                      DelayCase{"Dravimo_96000", &kDravimo, 96000, true, 240, 671}),
    [](const auto& info) { return std::string(info.param.name); });

struct InfoCase {
  const char* name;
  const std::string* plugin;
  std::int64_t uniqueId;
};

class Info : public ::testing::TestWithParam<InfoCase> {};

TEST_P(Info, JsonShowsNamesIdsCountsAndDisplays) {
  const InfoCase& c = GetParam();
  const ToolResult r = runTool({"info", *c.plugin, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const JsonValue v = JsonValue::parse(r.out);
  EXPECT_EQ(v["effectName"].string(), c.name);
  EXPECT_EQ(v["product"].string(), c.name);
  EXPECT_EQ(v["vendor"].string(), "Quellin");
  EXPECT_EQ(v["vendorVersion"].integer(), 2000);
  EXPECT_EQ(v["uniqueId"].integer(), c.uniqueId);
  EXPECT_EQ(v["version"].integer(), 1);
  EXPECT_EQ(v["vstVersion"].integer(), 2400);
  EXPECT_EQ(v["category"].integer(), 5);
  EXPECT_EQ(v["numInputs"].integer(), 2);
  EXPECT_EQ(v["numOutputs"].integer(), 2);
  EXPECT_EQ(v["numParams"].integer(), 2);
  EXPECT_EQ(v["numPrograms"].integer(), 16);
  EXPECT_EQ(v["initialDelay"].integer(), 0);
  const auto flags = v["flags"].integer();
  EXPECT_EQ(flags & ~0x1, 0x1010) << "replacing and double replacing, and perhaps an editor";
  ASSERT_EQ(v["parameters"].array().size(), 2u);
  EXPECT_EQ(v["parameters"][0]["name"].string(), "Left");
  EXPECT_EQ(v["parameters"][1]["name"].string(), "Right");
  for (const auto& p : v["parameters"].array()) {
    EXPECT_EQ(p["label"].string(), "");
    EXPECT_EQ(p["display"].string(), "0");
    EXPECT_EQ(p["value"].number(), 0.0);
    EXPECT_TRUE(p["automatable"].boolean());
  }
  ASSERT_EQ(v["programs"].array().size(), 16u);
  for (const auto& name : v["programs"].array()) EXPECT_EQ(name.string(), "Default");
  for (const auto& [text, answer] : v["canDo"].object()) EXPECT_EQ(answer.integer(), 0) << text;
}

TEST_P(Info, DisplaysFollowParametersAndRate) {
  // The display rounds the delay in samples; the delay itself truncates it.
  struct Case {
    const char* rate;
    const char* left;
    const char* right;
  };
  for (const Case d : {Case{"44100", "110", "309"}, Case{"48000", "120", "336"},
                       Case{"96000", "240", "672"}}) {
    SCOPED_TRACE(d.rate);
    const ToolResult r = runTool({"info", *GetParam().plugin, "--json", "--rate", d.rate,
                                  "--param", "0=0.25", "--param", "1=0.7"});
    ASSERT_EQ(r.code, 0) << r.err;
    const JsonValue v = JsonValue::parse(r.out);
    EXPECT_EQ(v["parameters"][0]["display"].string(), d.left);
    EXPECT_EQ(v["parameters"][1]["display"].string(), d.right);
    EXPECT_EQ(v["parameters"][1]["value"].number(), static_cast<double>(0.7f));
  }
}

INSTANTIATE_TEST_SUITE_P(Plugins, Info,
                         ::testing::Values(InfoCase{"Lunivex", &kLunivex, 0xFF222002},
                                           InfoCase{"Dravimo", &kDravimo, 0xFF222001}),
                         [](const auto& info) { return std::string(info.param.name); });

class Equivalence : public ScratchDir, public ::testing::WithParamInterface<const std::string*> {
 protected:
  // A signal with content everywhere, so that any lost, repeated or shifted frame shows.
  void makeInput() {
    Channels input(2, std::vector<double>(20000));
    for (std::size_t i = 0; i < input[0].size(); ++i) {
      input[0][i] = static_cast<double>((i * 7919) % 1000) / 1000.0 - 0.5;
      input[1][i] = static_cast<double>((i * 104729) % 777) / 777.0 - 0.5;
    }
    writeWav(path("in.wav"), input, 44100);
  }
  Channels run(const std::string& name, std::vector<std::string> extra) {
    std::vector<std::string> args{"process", *GetParam(), path("in.wav").string(),
                                  path(name).string(), "--param", "0=0.3", "--param", "1=0.9"};
    args.insert(args.end(), extra.begin(), extra.end());
    const ToolResult r = runTool(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return readWav(path(name)).channels;
  }
};

TEST_P(Equivalence, SingleAndDoublePrecisionGiveTheSameSamples) {
  makeInput();
  const Channels single = run("single.wav", {"--precision", "single"});
  const Channels twice = run("double.wav", {"--precision", "double"});
  ASSERT_EQ(single.size(), 2u);
  EXPECT_EQ(single, twice);
  EXPECT_NE(single, readWav(path("in.wav")).channels);  // it did delay something
}

TEST_P(Equivalence, BlockSizesGiveTheSameOutput) {
  makeInput();
  const Channels reference = run("b4096.wav", {"--block", "4096"});
  EXPECT_EQ(run("b1.wav", {"--block", "1"}), reference);
  EXPECT_EQ(run("b64.wav", {"--block", "64"}), reference);
  EXPECT_EQ(run("b1000.wav", {"--block", "1000", "--precision", "double"}), reference);
}

INSTANTIATE_TEST_SUITE_P(Plugins, Equivalence, ::testing::Values(&kLunivex, &kDravimo),
                         [](const auto& info) {
                           return std::string(info.param == &kLunivex ? "Lunivex" : "Dravimo");
                         });

}  // namespace
}  // namespace hosttest
