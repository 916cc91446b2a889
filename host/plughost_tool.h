// The `plughost` command-line tool as a function, so that tests run exactly what the executable
// runs, in process. Errors are one line on `err` ("plughost: error: ..."), and the answer is
// the exit code.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace plughost {

struct ToolEnvironment {
  bool stderrIsTerminal = false;           // shows the progress bar
  std::function<bool()> interrupted = {};  // polled once per block while processing
};

// `args` without the program name.
int runPlughost(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const ToolEnvironment& environment = {});

}  // namespace plughost
