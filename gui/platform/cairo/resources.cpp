// Resource lookup of the Linux builds: a process-wide table of the resources that libraries
// (and test programs) register for their module; see embedded_resources.h.
#include <dlfcn.h>
#include <strings.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "gui/platform/cairo/cairo_backend.h"
#include "gui/platform/cairo/embedded_resources.h"
#include "gui/platform/image.h"
#include "gui/platform/resources.h"

namespace QGUI::platform {

namespace {

struct Entry {
    ModuleHandle module;
    std::string type;
    std::int32_t id;
    const std::uint8_t* data;
    std::uint32_t size;
};

// Function-local, so that libraries registering from their static initialisers find it built.
std::vector<Entry>& table() {
    static std::vector<Entry> entries;
    return entries;
}

Entry* find(ModuleHandle module, const char* type, std::int32_t id) {
    if (!type) return nullptr;
    for (Entry& e : table())
        if (e.module == module && e.id == (id & 0xFFFF) && strcasecmp(e.type.c_str(), type) == 0)
            return &e;
    return nullptr;
}

std::uint32_t readLe32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

std::uint16_t readLe16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

}  // namespace

void registerResource(ModuleHandle module, const char* type, std::int32_t id,
                      const std::uint8_t* data, std::uint32_t size) {
    if (!type) return;
    if (Entry* e = find(module, type, id)) {
        e->data = data;
        e->size = size;
        return;
    }
    table().push_back({module, type, id & 0xFFFF, data, size});
}

void unregisterResource(ModuleHandle module, const char* type, std::int32_t id) {
    Entry* e = find(module, type, id);
    if (!e) return;
    auto& entries = table();
    entries.erase(entries.begin() + (e - entries.data()));
}

bool findResource(ModuleHandle module, const char* type, std::int32_t id, ResourceBytes& bytes) {
    const Entry* e = find(module, type, id);
    if (!e || !e->data) return false;
    bytes.data = e->data;
    bytes.size = e->size;
    return true;
}

Image* loadBitmapResource(ModuleHandle module, std::int32_t id) {
    const Entry* e = find(module, "BITMAP", id);
    if (!e || !e->data || e->size < 40) return nullptr;
    const std::uint8_t* header = e->data;
    const std::uint32_t headerSize = readLe32(header);
    const std::int32_t width = std::int32_t(readLe32(header + 4));
    const std::int32_t rawHeight = std::int32_t(readLe32(header + 8));
    const std::uint16_t bitCount = readLe16(header + 14);
    const std::uint32_t compression = readLe32(header + 16);
    if (headerSize < 40 || headerSize > e->size || width <= 0 || rawHeight == 0 ||
        rawHeight == std::numeric_limits<std::int32_t>::min() || compression != 0 ||
        (bitCount != 24 && bitCount != 32))
        return nullptr;
    const bool bottomUp = rawHeight > 0;
    const std::int32_t height = bottomUp ? rawHeight : -rawHeight;
    const std::uint64_t rowBytes = (std::uint64_t(width) * (bitCount / 8) + 3) & ~std::uint64_t(3);
    if (rowBytes * std::uint64_t(height) > e->size - headerSize) return nullptr;

    Image* image = createCompatibleImage(nullptr, width, height);
    if (!image) return nullptr;
    cairo_surface_flush(image->surface);
    std::uint8_t* out = cairo_image_surface_get_data(image->surface);
    const std::ptrdiff_t stride = cairo_image_surface_get_stride(image->surface);
    const std::uint8_t* pixels = e->data + headerSize;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + rowBytes * std::uint64_t(bottomUp ? height - 1 - y : y);
        auto* o = reinterpret_cast<std::uint32_t*>(out + y * stride);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = row + std::size_t(x) * (bitCount / 8);
            o[x] = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
        }
    }
    cairo_surface_mark_dirty(image->surface);
    return image;
}

ModuleHandle moduleContaining(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0) return nullptr;
    return info.dli_fbase;
}

}  // namespace QGUI::platform
