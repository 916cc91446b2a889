// Resources of a plug-in library: complete files stored in the library under a type name and a
// 16-bit integer id (the PNG images of an editor), and plain bitmap resources. The module is the
// library's own handle as the shell records it at load time. User-interface thread only.
#pragma once

#include <cstdint>

#include "gui/platform/platform_types.h"

namespace QGUI::platform {

// The bytes of a resource; they stay valid and unchanged while the module is loaded.
struct ResourceBytes {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
};
// Finds the resource of the named type (for example "PNG") with integer id (its low 16 bits)
// in module. False when there is none or it cannot be loaded.
bool findResource(ModuleHandle module, const char* type, std::int32_t id, ResourceBytes& bytes);
// Loads the plain bitmap resource id of module as an image (delete it with deleteImage); null
// when there is none.
Image* loadBitmapResource(ModuleHandle module, std::int32_t id);
// The module that contains address (the caller's own library when given the address of one of
// its functions or objects); null when it cannot be told.
ModuleHandle moduleContaining(const void* address);

}  // namespace QGUI::platform
