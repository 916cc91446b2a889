// Command-line parsing: what each accepted form means, and the exit code of each malformed one.
#include <gtest/gtest.h>

#include "host/command_line.h"
#include "host/host_error.h"

namespace hosttest {
namespace {

using namespace plughost;

TEST(CommandLine, ProcessWithEveryOption) {
  const Command c = parseCommandLine({"process", "p.so", "in.wav", "out.wav", "--param", "1=0.7",
                                      "--param=0=0.25", "--program", "3", "--block=64",
                                      "--precision", "double", "--format", "pcm24", "--quiet"});
  const auto& p = std::get<ProcessCommand>(c);
  EXPECT_EQ(p.plugin, "p.so");
  EXPECT_EQ(p.input, "in.wav");
  EXPECT_EQ(p.output, "out.wav");
  ASSERT_EQ(p.settings.parameters.size(), 2u);
  EXPECT_EQ(p.settings.parameters[0].index, 1);
  EXPECT_EQ(p.settings.parameters[0].value, 0.7f);
  EXPECT_EQ(p.settings.parameters[1].index, 0);
  EXPECT_EQ(p.settings.parameters[1].value, 0.25f);
  EXPECT_EQ(p.settings.program, 3);
  EXPECT_EQ(p.settings.blockSize, 64);
  EXPECT_EQ(p.settings.precision, Precision::double_);
  EXPECT_EQ(p.format, SampleEncoding::pcm24);
  EXPECT_TRUE(p.quiet);
}

TEST(CommandLine, Defaults) {
  const auto p = std::get<ProcessCommand>(parseCommandLine({"process", "p", "i", "o"}));
  EXPECT_EQ(p.settings.blockSize, 1024);
  EXPECT_EQ(p.settings.precision, Precision::single);
  EXPECT_FALSE(p.format.has_value());
  EXPECT_FALSE(p.settings.program.has_value());
  const auto i = std::get<InfoCommand>(parseCommandLine({"info", "--json", "p"}));
  EXPECT_EQ(i.plugin, "p");
  EXPECT_TRUE(i.json);
  EXPECT_EQ(i.sampleRate, 44100.0f);
  EXPECT_TRUE(std::holds_alternative<HelpCommand>(parseCommandLine({"--help"})));
  EXPECT_TRUE(std::holds_alternative<VersionCommand>(parseCommandLine({"--version"})));
}

struct RejectCase {
  const char* name;
  std::vector<std::string> args;
  ExitCode code;
};

class CommandLineRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(CommandLineRejects, WithItsExitCode) {
  try {
    parseCommandLine(GetParam().args);
    FAIL() << "accepted";
  } catch (const HostError& e) {
    EXPECT_EQ(e.code(), GetParam().code) << e.what();
    EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << "one line";
  }
}

const std::vector<std::string> kProcess = {"process", "p", "i", "o"};
std::vector<std::string> process(std::vector<std::string> extra) {
  std::vector<std::string> args = kProcess;
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineRejects,
    ::testing::Values(
        RejectCase{"nothing", {}, ExitCode::usage},
        RejectCase{"unknown_command", {"render", "p"}, ExitCode::usage},
        RejectCase{"info_without_plugin", {"info"}, ExitCode::usage},
        RejectCase{"info_two_plugins", {"info", "a", "b"}, ExitCode::usage},
        RejectCase{"process_missing_output", {"process", "p", "i"}, ExitCode::usage},
        RejectCase{"unknown_option", process({"--speed", "2"}), ExitCode::usage},
        RejectCase{"option_without_value", process({"--block"}), ExitCode::usage},
        RejectCase{"flag_with_value", process({"--quiet=yes"}), ExitCode::usage},
        RejectCase{"block_zero", process({"--block", "0"}), ExitCode::badOption},
        RejectCase{"block_negative", process({"--block", "-5"}), ExitCode::badOption},
        RejectCase{"block_not_a_number", process({"--block", "many"}), ExitCode::badOption},
        RejectCase{"block_trailing_text", process({"--block", "64k"}), ExitCode::badOption},
        RejectCase{"block_too_large", process({"--block", "99999999"}), ExitCode::badOption},
        RejectCase{"param_without_equals", process({"--param", "0"}), ExitCode::badOption},
        RejectCase{"param_value_not_a_number", process({"--param", "0=half"}),
                   ExitCode::badOption},
        RejectCase{"param_value_empty", process({"--param", "0="}), ExitCode::badOption},
        RejectCase{"param_value_nan", process({"--param", "0=nan"}), ExitCode::badOption},
        RejectCase{"param_value_infinite", process({"--param", "0=inf"}), ExitCode::badOption},
        RejectCase{"param_value_above_one", process({"--param", "0=1.5"}), ExitCode::badOption},
        RejectCase{"param_value_negative", process({"--param", "0=-0.1"}), ExitCode::badOption},
        RejectCase{"param_index_negative", process({"--param", "-1=0.5"}), ExitCode::badOption},
        RejectCase{"param_index_not_a_number", process({"--param", "x=0.5"}),
                   ExitCode::badOption},
        RejectCase{"program_negative", process({"--program", "-2"}), ExitCode::badOption},
        RejectCase{"precision_unknown", process({"--precision", "half"}), ExitCode::badOption},
        RejectCase{"format_unknown", process({"--format", "mp3"}), ExitCode::badOption},
        RejectCase{"rate_zero", {"info", "p", "--rate", "0"}, ExitCode::badOption}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hosttest
