// Library loading on Linux: the dynamic loader.
#include <dlfcn.h>

#include "library_loader.h"

void* openLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

void* findSymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }

std::string loaderError() {
  const char* text = dlerror();
  return text != nullptr ? text : "";
}
