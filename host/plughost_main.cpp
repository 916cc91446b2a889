// Entry of the plughost executable: the command line, the terminal check and Ctrl-C, which stops
// processing cleanly (the partial output is removed) instead of killing the process mid-write.
#include <csignal>
#include <cstdio>
#include <iostream>

#include "host/plughost_tool.h"
#include "host/terminal.h"

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void onInterrupt(int) { gInterrupted = 1; }

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGINT, onInterrupt);
  std::signal(SIGTERM, onInterrupt);
  plughost::ToolEnvironment environment;
  environment.stderrIsTerminal = plughost::isTerminal(stderr);
  environment.interrupted = [] { return gInterrupted != 0; };
  const std::vector<std::string> args(argv + 1, argv + argc);
  return plughost::runPlughost(args, std::cout, std::cerr, environment);
}
