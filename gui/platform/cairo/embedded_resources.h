// Resources of the Linux builds. A library's resources are linked into it as data and enter a
// process-wide table, keyed by the library's module, from a static initialiser of the library's
// resource object; findResource then finds them as it finds them in a Windows library.
#pragma once

#include <cstdint>

#include "gui/platform/platform_types.h"

namespace QGUI::platform {

// Adds (or replaces) the resource (module, type, id & 0xFFFF). The bytes are not copied and must
// stay valid while the entry exists. A plain bitmap resource has the type "BITMAP" and holds a
// device-independent bitmap without its file header: a 40-byte info header followed by 24- or
// 32-bit pixels, rows bottom-up when the height is positive.
void registerResource(ModuleHandle module, const char* type, std::int32_t id,
                      const std::uint8_t* data, std::uint32_t size);
// Removes the entry, if there is one.
void unregisterResource(ModuleHandle module, const char* type, std::int32_t id);

}  // namespace QGUI::platform
