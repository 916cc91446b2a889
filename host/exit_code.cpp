// Descriptions of the exit codes, in the order --help lists them.
#include "host/exit_code.h"

#include <array>

namespace plughost {

std::span<const ExitCodeInfo> exitCodeTable() {
  static constexpr std::array<ExitCodeInfo, 15> table{{
      {ExitCode::ok, "success"},
      {ExitCode::internalError, "internal error"},
      {ExitCode::usage, "malformed command line"},
      {ExitCode::badOption, "bad option value"},
      {ExitCode::pluginNotFound, "plug-in not found"},
      {ExitCode::pluginNotLoadable, "plug-in is not a loadable library"},
      {ExitCode::noEntry, "library has no plug-in entry"},
      {ExitCode::entryReturnedNull, "plug-in entry returned no effect"},
      {ExitCode::badMagic, "effect record has the wrong magic"},
      {ExitCode::badRecord, "effect record is unusable"},
      {ExitCode::inputUnreadable, "input file unreadable or not audio"},
      {ExitCode::inputUnsupported, "input file layout not supported"},
      {ExitCode::outputUnwritable, "output file cannot be written"},
      {ExitCode::cannotProcess, "plug-in cannot process as asked"},
      {ExitCode::interrupted, "interrupted"},
  }};
  return table;
}

}  // namespace plughost
