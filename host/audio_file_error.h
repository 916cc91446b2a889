// The one exception type of the audio file layer, with the kind of failure so that the tool can
// map it to its exit codes.
#pragma once

#include <stdexcept>
#include <string>

namespace plughost {

class AudioFileError : public std::runtime_error {
 public:
  enum class Kind {
    cannotOpen,   // missing, unreadable or unwritable file
    notAudio,     // not a file format the back end reads, or a malformed one
    unsupported,  // a valid file, but an encoding or layout the back end does not handle
    readFailed,
    writeFailed,
  };

  AudioFileError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

}  // namespace plughost
