// The drawing side of the platform layer: surfaces with a selected pen, brush and font, a clip
// rectangle, a raster mode and text colours, on which lines, rectangles, shapes and single-line
// text are drawn, and between which blocks are copied. The model is that of a classic 2D raster
// device context; a back end may implement it with any raster library as long as the pixel
// rules below hold. All coordinates are surface pixels. User-interface thread only. Every
// function accepts null handles and then does nothing (or answers a neutral value).
#pragma once

#include <cstdint>

#include "gui/constants.h"
#include "gui/platform/platform_types.h"
#include "gui/position.h"
#include "gui/rectangle.h"
#include "gui/rgba_color.h"

namespace QGUI::platform {

// ---- Pens, brushes, fonts -------------------------------------------------------------------
// Colours: only red, green and blue are used; alpha is ignored.

enum class PenStyle : std::int32_t { solid, dotted };

// A pen of width pixels (at least one pixel is drawn); null when none can be made.
Pen* createPen(PenStyle style, std::int32_t width, CRgbaColor color);
void deletePen(Pen* pen);
// A solid brush; null when none can be made.
Brush* createSolidBrush(CRgbaColor color);
void deleteBrush(Brush* brush);

struct FontSpec {
    const char* faceName = "Arial";
    std::int32_t height = 12;  // character height in pixels (not cell height)
    std::int32_t weight = 400; // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    FontPitchFamily pitchFamily = FontPitchFamily::variableSwiss;
};
// Matches the face on the system (a metric twin may stand in for Arial); null when none.
Font* createFont(const FontSpec& spec);
void deleteFont(Font* font);

// The objects selected in a surface. A new surface has the back end's stock objects selected
// (a one-pixel black pen, a white brush, a system font), which are never deleted. select*
// answers the object that was selected before. An object may be selected in several surfaces;
// delete it only when it is selected in none.
Pen* currentPen(Surface* surface);
Brush* currentBrush(Surface* surface);
Font* currentFont(Surface* surface);
Pen* selectPen(Surface* surface, Pen* pen);
Brush* selectBrush(Surface* surface, Brush* brush);
Font* selectFont(Surface* surface, Font* font);

// ---- Surface state ----------------------------------------------------------------------------

enum class RasterMode : std::int32_t {
    copy,    // the pen or brush replaces the pixel
    merge,   // pixel | pen
    notXor,  // ~(pixel ^ pen)
};
// Applies to lines and to the interiors of polygons, ellipses and pies; not to fillRectangle,
// text or block copies.
void setRasterMode(Surface* surface, RasterMode mode);

// Text background: when opaque, the cells of drawn text are first filled with the background
// colour. The background colour also maps 1-bit images in block copies (see copyBits).
void setTextBackgroundOpaque(Surface* surface, bool opaque);
// Both answer the colour that was set before (alpha 255).
CRgbaColor setTextBackgroundColor(Surface* surface, CRgbaColor color);
CRgbaColor setTextColor(Surface* surface, CRgbaColor color);

// Restricts all further drawing, including block copies and blending, to rect.
void setClip(Surface* surface, const CRectangle& rect);

// ---- Drawing ----------------------------------------------------------------------------------

// Moves the pen position.
void moveTo(Surface* surface, std::int32_t x, std::int32_t y);
// A line with the selected pen from the pen position to (x, y), the end pixel excluded; the
// pen position moves there.
void lineTo(Surface* surface, std::int32_t x, std::int32_t y);
// Connected line through count points with the selected pen, each segment's end pixel
// excluded.
void polyline(Surface* surface, const CPosition* points, std::int32_t count);
// Fills rect (right and bottom excluded) with brush; the raster mode does not apply.
void fillRectangle(Surface* surface, const CRectangle& rect, Brush* brush);
// Fills the polygon through the points with the selected brush, no outline.
void fillPolygon(Surface* surface, const CPosition* points, std::int32_t count);
// Fills the ellipse inscribed in rect (right and bottom excluded) with the selected brush, no
// outline.
void fillEllipse(Surface* surface, const CRectangle& rect);
// The part of the ellipse inscribed in rect that runs counter-clockwise from the ray towards
// start to the ray towards end: arc draws it with the selected pen, fillPie fills the pie
// (with its centre) with the selected brush and no outline.
void arc(Surface* surface, const CRectangle& rect, const CPosition& start, const CPosition& end);
void fillPie(Surface* surface, const CRectangle& rect, const CPosition& start,
             const CPosition& end);
void setPixel(Surface* surface, std::int32_t x, std::int32_t y, CRgbaColor color);
// The colour at (x, y) with alpha 255; black outside the surface.
CRgbaColor getPixel(Surface* surface, std::int32_t x, std::int32_t y);
// Fills, with the selected brush, the 4-connected area of pixels that have the colour of the
// pixel at (x, y).
void floodFill(Surface* surface, std::int32_t x, std::int32_t y);

// One line of text with the selected font and text colour, vertically centred in rect, clipped
// to rect, without prefix-character processing. kAlignLeft puts the text at rect.left,
// kAlignCenter centres it, kAlignRight ends it at rect.right.
void drawText(Surface* surface, const char* text, const CRectangle& rect, std::int32_t align);
// Width in pixels of text in the selected font.
std::int32_t textWidth(Surface* surface, const char* text);

// ---- Block copies -----------------------------------------------------------------------------

enum class RasterOp : std::int32_t {
    copy,    // destination := source
    invert,  // destination := destination ^ source
    mask,    // destination := destination & source
};
// Copies the w x h block at (sx, sy) of src to (dx, dy) of dst, no scaling. Between a colour and
// a 1-bit image (see createMaskImage): colour to 1-bit gives 1 where the source pixel equals
// src's text background colour and 0 elsewhere; 1-bit to colour gives dst's text colour for 0
// and dst's text background colour for 1. False when nothing was copied.
bool copyBits(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
              Surface* src, std::int32_t sx, std::int32_t sy, RasterOp op = RasterOp::copy);

// ---- Memory surfaces --------------------------------------------------------------------------

// A surface that draws into the image selected in it (see selectImage), compatible with
// reference, or with the screen when reference is null. Null when none can be made.
Surface* createMemorySurface(Surface* reference);
void deleteMemorySurface(Surface* surface);
// Selects image as the memory surface's drawing target and answers the image selected before:
// at first null or a placeholder of the back end, which the caller selects back before it
// deletes the surface. An image is selected in at most one surface at a time.
Image* selectImage(Surface* surface, Image* image);

// Surfaces of windows come from the window side: acquireWindowSurface in window.h.

}  // namespace QGUI::platform
