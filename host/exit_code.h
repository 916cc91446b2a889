// The tool's exit codes, one per kind of failure, and their descriptions for --help.
#pragma once

#include <span>
#include <string_view>

namespace plughost {

enum class ExitCode : int {
  ok = 0,
  internalError = 1,      // an unexpected failure inside the tool
  usage = 2,              // malformed command line: unknown command or option, missing argument
  badOption = 3,          // an option value out of range or not a number
  pluginNotFound = 4,     // the plug-in path does not exist
  pluginNotLoadable = 5,  // the file is not a library this platform can load
  noEntry = 6,            // the library exports neither VSTPluginMain nor main
  entryReturnedNull = 7,  // the entry returned no effect record (or failed)
  badMagic = 8,           // the record does not start with the effect magic
  badRecord = 9,          // the record lacks entries or reports impossible counts
  inputUnreadable = 10,   // the input file is missing, unreadable or not audio
  inputUnsupported = 11,  // the input is audio, but not a layout the tool processes
  outputUnwritable = 12,  // the output file cannot be created or written
  cannotProcess = 13,     // the plug-in cannot process as asked (precision, outputs)
  interrupted = 130,      // stopped by an interrupt signal
};

struct ExitCodeInfo {
  ExitCode code;
  std::string_view meaning;
};

std::span<const ExitCodeInfo> exitCodeTable();

constexpr int toInt(ExitCode code) { return static_cast<int>(code); }

}  // namespace plughost
