// Option parsing: "--name value" and "--name=value" alike, options anywhere after the command.
#include "host/command_line.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "host/host_error.h"

namespace plughost {

namespace {

[[noreturn]] void usage(const std::string& message) { throw HostError(ExitCode::usage, message); }
[[noreturn]] void badOption(const std::string& message) {
  throw HostError(ExitCode::badOption, message);
}

// A whole decimal integer, nothing before or after it.
std::optional<long long> parseInteger(const std::string& text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// A whole finite decimal number.
std::optional<double> parseNumber(const std::string& text) {
  double value = 0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;  // from_chars refuses a leading plus
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (begin == end || ec != std::errc() || ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

VstInt32 parseBlockSize(const std::string& text) {
  const auto value = parseInteger(text);
  if (!value || *value < 1 || *value > kMaxBlockSize) {
    badOption("--block wants a frame count from 1 to " + std::to_string(kMaxBlockSize) +
              ", not '" + text + "'");
  }
  return static_cast<VstInt32>(*value);
}

VstInt32 parseProgram(const std::string& text) {
  const auto value = parseInteger(text);
  if (!value || *value < 0 || *value > INT32_MAX) {
    badOption("--program wants a program number, not '" + text + "'");
  }
  return static_cast<VstInt32>(*value);
}

ParameterSetting parseParameter(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos) badOption("--param wants INDEX=VALUE, not '" + text + "'");
  const auto index = parseInteger(text.substr(0, equals));
  if (!index || *index < 0 || *index > INT32_MAX) {
    badOption("--param index must be a parameter number, not '" + text.substr(0, equals) + "'");
  }
  const std::string valueText = text.substr(equals + 1);
  const auto value = parseNumber(valueText);
  if (!value) badOption("--param value must be a number, not '" + valueText + "'");
  if (*value < 0.0 || *value > 1.0) {
    badOption("--param value must lie between 0 and 1, not " + valueText);
  }
  return {static_cast<VstInt32>(*index), static_cast<float>(*value)};
}

float parseRate(const std::string& text) {
  const auto value = parseNumber(text);
  if (!value || *value < 1.0 || *value > 10'000'000.0) {
    badOption("--rate wants a sample rate in Hz, not '" + text + "'");
  }
  return static_cast<float>(*value);
}

// Walks the arguments after the command: options (with their values) and positionals.
class ArgumentCursor {
 public:
  ArgumentCursor(const std::vector<std::string>& args, std::size_t start)
      : args_(args), next_(start) {}

  bool done() const { return next_ >= args_.size(); }
  // The next argument; for "--name=value" the name, with the value kept for value().
  std::string take() {
    std::string arg = args_[next_++];
    pending_.reset();
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      const auto equals = arg.find('=');
      if (equals != std::string::npos) {
        pending_ = arg.substr(equals + 1);
        arg.resize(equals);
      }
    }
    return arg;
  }
  bool hasInlineValue() const { return pending_.has_value(); }
  std::string value(const std::string& option) {
    if (pending_) {
      std::string v = *pending_;
      pending_.reset();
      return v;
    }
    if (done()) usage(option + " needs a value");
    return args_[next_++];
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_;
  std::optional<std::string> pending_;
};

bool isOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

void noInlineValue(const ArgumentCursor& cursor, const std::string& option) {
  if (cursor.hasInlineValue()) usage(option + " takes no value");
}

InfoCommand parseInfo(const std::vector<std::string>& args) {
  InfoCommand command;
  std::vector<std::string> positional;
  ArgumentCursor cursor(args, 1);
  while (!cursor.done()) {
    const std::string arg = cursor.take();
    if (arg == "--json") {
      noInlineValue(cursor, arg);
      command.json = true;
    } else if (arg == "--rate") {
      command.sampleRate = parseRate(cursor.value(arg));
    } else if (arg == "--block") {
      command.blockSize = parseBlockSize(cursor.value(arg));
    } else if (arg == "--program") {
      command.program = parseProgram(cursor.value(arg));
    } else if (arg == "--param") {
      command.parameters.push_back(parseParameter(cursor.value(arg)));
    } else if (isOption(arg)) {
      usage("unknown option for info: " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 1) usage("info wants one plug-in path");
  command.plugin = positional[0];
  return command;
}

ProcessCommand parseProcess(const std::vector<std::string>& args) {
  ProcessCommand command;
  std::vector<std::string> positional;
  ArgumentCursor cursor(args, 1);
  while (!cursor.done()) {
    const std::string arg = cursor.take();
    if (arg == "--block") {
      command.settings.blockSize = parseBlockSize(cursor.value(arg));
    } else if (arg == "--program") {
      command.settings.program = parseProgram(cursor.value(arg));
    } else if (arg == "--param") {
      command.settings.parameters.push_back(parseParameter(cursor.value(arg)));
    } else if (arg == "--precision") {
      const std::string v = cursor.value(arg);
      if (v == "single") {
        command.settings.precision = Precision::single;
      } else if (v == "double") {
        command.settings.precision = Precision::double_;
      } else {
        badOption("--precision wants single or double, not '" + v + "'");
      }
    } else if (arg == "--format") {
      const std::string v = cursor.value(arg);
      command.format = parseSampleEncoding(v);
      if (!command.format) badOption("--format wants float, pcm16 or pcm24, not '" + v + "'");
    } else if (arg == "--quiet") {
      noInlineValue(cursor, arg);
      command.quiet = true;
    } else if (isOption(arg)) {
      usage("unknown option for process: " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 3) usage("process wants PLUGIN IN OUT");
  command.plugin = positional[0];
  command.input = positional[1];
  command.output = positional[2];
  return command;
}

}  // namespace

Command parseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) usage("no command given (try --help)");
  const std::string& first = args[0];
  if (first == "--help" || first == "-h" || first == "help") return HelpCommand{};
  if (first == "--version") return VersionCommand{};
  if (first == "info") return parseInfo(args);
  if (first == "process") return parseProcess(args);
  usage("unknown command: " + first + " (try --help)");
}

std::string usageText() {
  std::ostringstream text;
  text << "usage:\n"
          "  plughost info PLUGIN [--json] [--rate HZ] [--block FRAMES] [--program N]\n"
          "                [--param INDEX=VALUE]...\n"
          "  plughost process PLUGIN IN OUT [--param INDEX=VALUE]... [--program N]\n"
          "                [--block FRAMES] [--precision single|double]\n"
          "                [--format float|pcm16|pcm24] [--quiet]\n"
          "  plughost --help | --version\n"
          "\n"
          "info      describes a plug-in: names, ids, counts, flags, parameters, programs,\n"
          "          can-do answers and editor size (as JSON with --json)\n"
          "process   runs an audio file through a plug-in at the file's sample rate; mono\n"
          "          files feed both inputs; the output keeps the input's format unless\n"
          "          --format says otherwise (defaults: --block 1024, --precision single)\n"
          "\n"
          "exit codes:\n";
  for (const ExitCodeInfo& info : exitCodeTable()) {
    const std::string number = std::to_string(toInt(info.code));
    text << "  " << std::string(3 - number.size(), ' ') << number << "  " << info.meaning << "\n";
  }
  return text.str();
}

}  // namespace plughost
