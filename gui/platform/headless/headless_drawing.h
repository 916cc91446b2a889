// Test controls of the headless back end's drawing side: the blending library and version that
// frames find, counts of platform objects, resources for test modules, and pictures of images
// written to files. User-interface thread only.
#pragma once

#include <cstdint>

#include "gui/platform/cairo/cairo_backend.h"
#include "gui/platform/cairo/embedded_resources.h"
#include "gui/platform/image.h"

namespace QGUI::platform::headless {

// Whether loadBlendLibrary finds a library, and whether that library has its keyed copy. Both
// are true at first.
void setBlendLibraryAvailable(bool available);
void setTransparentBltAvailable(bool available);
// What queryOsVersion reports (at first: NT family, 10.0); version.size 0 makes it fail.
void setOsVersion(const OsVersion& version);
// Back to the first state.
void resetDrawingPlatform();

// Counts of pens, brushes, fonts, images and surfaces made and alive.
inline const cairo_backend::ObjectCounts& objectCounts() { return cairo_backend::objectCounts(); }

// The family that the system's font matching chose for a font ("Liberation Sans" for Arial on
// a machine with the Liberation fonts), and the font request it was made from.
const char* matchedFontFamily(Font* font);
const FontSpec* fontSpec(Font* font);

// Writes the image as a PNG file; false on failure.
bool writeImagePng(Image* image, const char* path);
// The image selected in a surface (its drawing target); null for none.
Image* surfaceImage(Surface* surface);

}  // namespace QGUI::platform::headless
