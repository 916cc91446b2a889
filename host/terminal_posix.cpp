// Terminal detection on POSIX systems.
#include <unistd.h>

#include "host/terminal.h"

namespace plughost {

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

}  // namespace plughost
