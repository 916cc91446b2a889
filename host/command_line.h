// The tool's command line, parsed into one command. Syntax and value errors are found here,
// before any plug-in is loaded; checks that need the plug-in (parameter index within its count,
// program within its bank) are made once it is.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/audio_format.h"
#include "host/offline_processor.h"

namespace plughost {

struct HelpCommand {};
struct VersionCommand {};

struct InfoCommand {
  std::string plugin;
  bool json = false;
  float sampleRate = 44100.0f;  // Hz, set on the plug-in before asking it anything
  VstInt32 blockSize = 1024;
  std::optional<VstInt32> program;
  std::vector<ParameterSetting> parameters;
};

struct ProcessCommand {
  std::string plugin;
  std::string input;
  std::string output;
  ProcessSettings settings;
  std::optional<SampleEncoding> format;  // nullopt: the input's
  bool quiet = false;                    // no progress bar even on a terminal
};

using Command = std::variant<HelpCommand, VersionCommand, InfoCommand, ProcessCommand>;

constexpr VstInt32 kMaxBlockSize = 1 << 20;

// `args` without the program name. Throws HostError (usage, badOption).
Command parseCommandLine(const std::vector<std::string>& args);

// The usage text of --help.
std::string usageText();

}  // namespace plughost
