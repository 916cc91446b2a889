// Loading a built plug-in binary into the test process, the way a host does.
#pragma once

#include <string>

// Opens the library at path; null on failure (error() says why).
void* openLibrary(const std::string& path);
// The address exported under name, or null.
void* findSymbol(void* library, const char* name);
void closeLibrary(void* library);
// The loader's last error, for messages.
std::string loaderError();
