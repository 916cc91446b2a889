// Storage of the library's module handle; the entry source fills it in at load time.
#include "shell/module_instance.h"

void* gModuleInstance = nullptr;
