// What stands behind the platform handles on the Linux back ends: images are cairo image
// surfaces, surfaces are device-context-like drawing states on a selected image. Shared by the
// headless and X11 back ends; the toolkit's logic never includes this file.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "gui/platform/draw_surface.h"
#include "gui/platform/image.h"

namespace QGUI::platform {

struct Image {
    enum class Kind { pixels, compatible, mask };
    Kind kind = Kind::pixels;
    // ARGB32 (premultiplied) for pixels, RGB24 for compatible images, A8 holding 0 or 255 for
    // 1-bit masks. Rows top-down.
    cairo_surface_t* surface = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    Surface* selectedIn = nullptr;
};

// Pens, brushes and fonts may be deleted while selected somewhere; they then live on until the
// last surface lets go of them.
struct Pen {
    PenStyle style = PenStyle::solid;
    std::int32_t width = 1;
    CRgbaColor color{0, 0, 0, 255};
    bool stock = false;
    std::int32_t selections = 0;
    bool deleted = false;
};

struct Brush {
    CRgbaColor color{255, 255, 255, 255};
    bool stock = false;
    std::int32_t selections = 0;
    bool deleted = false;
};

struct Font {
    FontSpec spec;
    std::string requestedFace;  // as asked for
    std::string matchedFamily;  // what the system's font matching chose for it
    cairo_font_face_t* face = nullptr;
    bool stock = false;
    std::int32_t selections = 0;
    bool deleted = false;
};

struct Surface {
    Image* image = nullptr;  // the drawing target; null draws nothing
    Pen* pen = nullptr;
    Brush* brush = nullptr;
    Font* font = nullptr;
    RasterMode rasterMode = RasterMode::copy;
    CRgbaColor textColor{0, 0, 0, 255};
    CRgbaColor backgroundColor{255, 255, 255, 255};
    bool backgroundOpaque = true;
    bool hasClip = false;
    CRectangle clip;
    CPosition penPosition;
};

namespace cairo_backend {

// Counts of platform objects, for tests that check that the toolkit does not make objects it
// does not need, and that it frees what it makes.
struct ObjectCounts {
    std::int64_t pensCreated = 0, brushesCreated = 0, fontsCreated = 0;
    std::int64_t pensAlive = 0, brushesAlive = 0, fontsAlive = 0;
    std::int64_t imagesAlive = 0, surfacesAlive = 0;
};
const ObjectCounts& objectCounts();

// The operations that the blending library of the Linux back ends hands out.
bool alphaBlend(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                Surface* src, std::int32_t sx, std::int32_t sy, BlendParams params);
bool transparentBlt(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                    std::int32_t h, Surface* src, std::int32_t sx, std::int32_t sy,
                    CRgbaColor key);

// The area of the surface that drawing may touch: its clip cut by its image; empty without an
// image.
CRectangle drawableArea(const Surface* surface);

}  // namespace cairo_backend

}  // namespace QGUI::platform
