// The info and process commands of the tool.
#include "host/plughost_tool.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "host/audio_file_error.h"
#include "host/audio_files.h"
#include "host/command_line.h"
#include "host/host_error.h"
#include "host/pending_file.h"
#include "host/plugin.h"
#include "host/plugin_info.h"
#include "host/progress_bar.h"

namespace plughost {

namespace {

constexpr const char* kToolVersion = "1.0";

// Plug-in-dependent checks of the options: parameter indices and the program number.
void checkAgainstPlugin(const Plugin& plugin, const std::optional<VstInt32>& program,
                        const std::vector<ParameterSetting>& parameters) {
  const AEffect& e = plugin.effect();
  for (const ParameterSetting& p : parameters) {
    if (p.index >= e.numParams) {
      throw HostError(ExitCode::badOption,
                      "--param index " + std::to_string(p.index) + " is outside the plug-in's " +
                          std::to_string(e.numParams) + " parameters");
    }
  }
  if (program && *program >= e.numPrograms) {
    throw HostError(ExitCode::badOption, "--program " + std::to_string(*program) +
                                             " is outside the plug-in's " +
                                             std::to_string(e.numPrograms) + " programs");
  }
}

int runInfo(const InfoCommand& command, std::ostream& out) {
  Host host;
  Plugin plugin(command.plugin, host);
  checkAgainstPlugin(plugin, command.program, command.parameters);
  plugin.open();
  plugin.setSampleRate(command.sampleRate);
  plugin.setBlockSize(command.blockSize);
  if (command.program) plugin.setProgram(*command.program);
  for (const ParameterSetting& p : command.parameters) plugin.setParameter(p.index, p.value);
  const PluginInfo info = gatherPluginInfo(plugin, command.sampleRate, command.blockSize);
  if (command.json) {
    printPluginInfoJson(info, out);
  } else {
    printPluginInfoText(info, out);
  }
  return toInt(ExitCode::ok);
}

// Messages from the writer name the temporary file; the user knows the output by its name.
std::string namingTarget(std::string message, const PendingFile& pending) {
  const std::string temporary = pending.temporary().string();
  const std::string target = pending.target().string();
  for (auto at = message.find(temporary); at != std::string::npos; at = message.find(temporary)) {
    message.replace(at, temporary.size(), target);
  }
  return message;
}

HostError inputError(const AudioFileError& e) {
  return HostError(e.kind() == AudioFileError::Kind::unsupported ? ExitCode::inputUnsupported
                                                                 : ExitCode::inputUnreadable,
                   e.what());
}

int runProcess(const ProcessCommand& command, std::ostream& err,
               const ToolEnvironment& environment) {
  Host host;
  Plugin plugin(command.plugin, host);
  checkAgainstPlugin(plugin, command.settings.program, command.settings.parameters);
  plugin.open();
  OfflineProcessor processor(plugin, command.settings);

  std::unique_ptr<AudioReader> reader;
  try {
    reader = openAudioReader(command.input);
  } catch (const AudioFileError& e) {
    throw inputError(e);
  }
  AudioFormat outFormat = reader->format();
  if (outFormat.channels > 2) {
    throw HostError(ExitCode::inputUnsupported,
                    command.input + " has " + std::to_string(outFormat.channels) +
                        " channels; only mono and stereo files are processed");
  }
  outFormat.channels = processor.outputChannels();
  if (command.format) outFormat.encoding = *command.format;
  if (outFormat.encoding == SampleEncoding::other && outFormat.nativeFormat == 0) {
    outFormat.encoding = SampleEncoding::float32;
  }

  std::error_code ec;
  if (std::filesystem::is_directory(command.output, ec)) {
    throw HostError(ExitCode::outputUnwritable, "the output " + command.output + " is a folder");
  }
  PendingFile pending(command.output);
  std::unique_ptr<AudioWriter> writer;
  try {
    writer = createAudioWriter(pending.temporary().string(), outFormat);
  } catch (const AudioFileError& e) {
    if (e.kind() == AudioFileError::Kind::unsupported) {
      throw HostError(ExitCode::badOption, e.what());
    }
    throw HostError(ExitCode::outputUnwritable, namingTarget(e.what(), pending));
  }

  std::unique_ptr<ProgressBar> bar;
  if (environment.stderrIsTerminal && !command.quiet) {
    bar = std::make_unique<ProgressBar>(err, reader->frameCount());
  }
  bool completed = false;
  try {
    completed = processor.run(*reader, *writer, [&](std::int64_t done) {
      if (bar) bar->update(done);
      return !(environment.interrupted && environment.interrupted());
    });
    if (completed) writer->finish();
  } catch (const AudioFileError& e) {
    if (bar) err << "\n";
    if (e.kind() == AudioFileError::Kind::readFailed) throw inputError(e);
    throw HostError(ExitCode::outputUnwritable, namingTarget(e.what(), pending));
  }
  writer.reset();
  if (!completed) {
    if (bar) err << "\n";
    throw HostError(ExitCode::interrupted, "interrupted; no output written");
  }
  if (bar) bar->finish();
  try {
    pending.commit();
  } catch (const std::filesystem::filesystem_error& e) {
    throw HostError(ExitCode::outputUnwritable,
                    "cannot write " + command.output + ": " + e.code().message());
  }
  return toInt(ExitCode::ok);
}

}  // namespace

int runPlughost(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const ToolEnvironment& environment) {
  try {
    const Command command = parseCommandLine(args);
    if (std::holds_alternative<HelpCommand>(command)) {
      out << usageText();
      return toInt(ExitCode::ok);
    }
    if (std::holds_alternative<VersionCommand>(command)) {
      out << "plughost " << kToolVersion << " (audio files: " << audioBackendName() << ")\n";
      return toInt(ExitCode::ok);
    }
    if (const auto* info = std::get_if<InfoCommand>(&command)) return runInfo(*info, out);
    return runProcess(std::get<ProcessCommand>(command), err, environment);
  } catch (const HostError& e) {
    err << "plughost: error: " << e.what() << "\n";
    return toInt(e.code());
  } catch (const std::exception& e) {
    err << "plughost: error: " << e.what() << "\n";
    return toInt(ExitCode::internalError);
  }
}

}  // namespace plughost
