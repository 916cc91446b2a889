// Pixel helpers of the drawing tests: read a context's pixels, classify them, and write the
// picture of a failing check into the build folder for a look.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gui/draw_context.h"
#include "gui/rectangle.h"
#include "gui/rgba_color.h"

namespace qtest {

// Writes the width x height pixels of context as a binary PPM named after the test into the
// current folder (the build folder under CTest); answers the file name.
std::string savePicture(QGUI::CDrawContext* context, std::int32_t width, std::int32_t height,
                        const std::string& tag);

// The smallest rectangle holding every pixel of area for which test is true; empty (all zero)
// when there is none.
QGUI::CRectangle boundingBox(QGUI::CDrawContext* context, const QGUI::CRectangle& area,
                             const std::function<bool(const QGUI::CRgbaColor&)>& test);

// Per-channel classification of anti-aliased text pixels.
bool mostlyGreen(const QGUI::CRgbaColor& c);
bool mostlyRed(const QGUI::CRgbaColor& c);
// Differs from the colour by more than tolerance in some channel.
bool differsFrom(const QGUI::CRgbaColor& c, const QGUI::CRgbaColor& from, int tolerance = 8);

}  // namespace qtest
