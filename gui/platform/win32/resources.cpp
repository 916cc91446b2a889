// Resources of the plug-in library on Windows: the loader's resource section, searched by type
// name and integer id.
#include <windows.h>

#include "gui/platform/resources.h"

namespace QGUI::platform {

bool findResource(ModuleHandle module, const char* type, std::int32_t id, ResourceBytes& bytes) {
    if (!type) return false;
    HMODULE hmodule = static_cast<HMODULE>(module);
    HRSRC info = FindResourceA(hmodule, MAKEINTRESOURCEA(id & 0xFFFF), type);
    if (!info) return false;
    const DWORD size = SizeofResource(hmodule, info);
    HGLOBAL loaded = LoadResource(hmodule, info);
    if (!loaded) return false;
    const void* data = LockResource(loaded);
    if (!data) return false;
    bytes.data = static_cast<const std::uint8_t*>(data);
    bytes.size = size;
    return true;
}

Image* loadBitmapResource(ModuleHandle module, std::int32_t id) {
    return reinterpret_cast<Image*>(
        LoadBitmapA(static_cast<HINSTANCE>(module), MAKEINTRESOURCEA(id & 0xFFFF)));
}

ModuleHandle moduleContaining(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module))
        return nullptr;
    return module;
}

}  // namespace QGUI::platform
