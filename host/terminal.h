// Whether a standard stream is an interactive terminal (the progress bar shows only there).
#pragma once

#include <cstdio>

namespace plughost {

bool isTerminal(std::FILE* stream);

}  // namespace plughost
