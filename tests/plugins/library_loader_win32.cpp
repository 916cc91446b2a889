// Library loading on Windows: LoadLibraryA and GetProcAddress.
#include <windows.h>

#include "library_loader.h"

void* openLibrary(const std::string& path) {
  // The build tree is a Unix path when the tests run under wine, which maps the root to Z:.
  std::string native = path;
  if (!native.empty() && native[0] == '/') native = "Z:" + native;
  for (char& c : native) {
    if (c == '/') c = '\\';
  }
  return reinterpret_cast<void*>(LoadLibraryA(native.c_str()));
}

void* findSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

std::string loaderError() { return "error " + std::to_string(GetLastError()); }
