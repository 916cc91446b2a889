// The headless back end's blending library and operating-system version, which tests can take
// away or change to reach the toolkit's fallback paths.
#include <cairo.h>

#include "gui/platform/headless/headless_drawing.h"
#include "gui/platform/image.h"

namespace QGUI::platform {

struct BlendLibrary {
    int unused = 0;
};

namespace {

struct State {
    bool libraryAvailable = true;
    bool transparentBltAvailable = true;
    OsVersion version{sizeof(OsVersion), 10, 0, 19045, 2};
};

State& state() {
    static State s;
    return s;
}

BlendLibrary theLibrary;

}  // namespace

BlendLibrary* loadBlendLibrary() { return state().libraryAvailable ? &theLibrary : nullptr; }

void freeBlendLibrary(BlendLibrary*) {}

AlphaBlendFn findAlphaBlend(BlendLibrary* library) {
    return library ? &cairo_backend::alphaBlend : nullptr;
}

TransparentBltFn findTransparentBlt(BlendLibrary* library) {
    return library && state().transparentBltAvailable ? &cairo_backend::transparentBlt : nullptr;
}

bool queryOsVersion(OsVersion& version) {
    if (state().version.size == 0) return false;
    version = state().version;
    return true;
}

namespace headless {

void setBlendLibraryAvailable(bool available) { state().libraryAvailable = available; }
void setTransparentBltAvailable(bool available) { state().transparentBltAvailable = available; }
void setOsVersion(const OsVersion& version) { state().version = version; }
void resetDrawingPlatform() { state() = State{}; }

const char* matchedFontFamily(Font* font) {
    return font ? font->matchedFamily.c_str() : nullptr;
}

const FontSpec* fontSpec(Font* font) { return font ? &font->spec : nullptr; }

bool writeImagePng(Image* image, const char* path) {
    if (!image || !path) return false;
    cairo_surface_flush(image->surface);
    return cairo_surface_write_to_png(image->surface, path) == CAIRO_STATUS_SUCCESS;
}

Image* surfaceImage(Surface* surface) { return surface ? surface->image : nullptr; }

}  // namespace headless

}  // namespace QGUI::platform
