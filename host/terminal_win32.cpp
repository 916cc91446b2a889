// Terminal detection on Windows: a console handle, not a pipe or a file.
#include <io.h>

#include "host/terminal.h"

namespace plughost {

bool isTerminal(std::FILE* stream) { return ::_isatty(::_fileno(stream)) != 0; }

}  // namespace plughost
