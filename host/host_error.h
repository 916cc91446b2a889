// The exception the host library throws for every failure a user can cause, carrying the exit
// code the tool reports for it. The message is one line, without the program name.
#pragma once

#include <stdexcept>
#include <string>

#include "host/exit_code.h"

namespace plughost {

class HostError : public std::runtime_error {
 public:
  HostError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
  ExitCode code() const { return code_; }

 private:
  ExitCode code_;
};

}  // namespace plughost
