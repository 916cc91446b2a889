// CDrawContext: the drawing context through which every view draws. It wraps one platform
// surface (a window's, or an offscreen one) and draws lines, rectangles, shapes and single-line
// text with a current pen, brush, font and clip rectangle; it also reads the mouse state.
// Contexts are counted references, used on the user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/constants.h"
#include "gui/platform/platform_types.h"
#include "gui/position.h"
#include "gui/rectangle.h"
#include "gui/reference_counter.h"
#include "gui/rgba_color.h"

namespace QGUI {

class CFrame;

class CDrawContext : public CReferenceCounter {
public:
    // frame may be null (not owned). With a surface, draws on it (not owned). Without a surface
    // but with a window, takes the window's own surface and gives it back when destroyed.
    CDrawContext(CFrame* frame, platform::Surface* surface, platform::Window* window);
    ~CDrawContext() override;

    // All coordinates below are in the caller's drawing space; offset is added before they
    // reach the surface.

    void moveTo(const CPosition& point);
    // Line with the current pen to point, end pixel excluded; the pen position moves there.
    void lineTo(const CPosition& point);
    // count segments: points[2 i] to points[2 i + 1].
    void drawLineSegments(const CPosition* points, std::int32_t count);
    // Connected line through count points.
    void drawPolyline(const CPosition* points, std::int32_t count);
    // fillStyle kDrawOutline, kDrawFill or kDrawFillAndOutline; the outline is not closed.
    void drawPolygon(const CPosition* points, std::int32_t count,
                     std::int32_t fillStyle = kDrawOutline);
    // Fill: (left, top)-(right, bottom) exclusive with the brush. Outline: the border pixels
    // x = left, x = right - 1, y = top, y = bottom - 1 with the pen.
    void drawRectangle(const CRectangle& rect, std::int32_t fillStyle = kDrawOutline);
    // Fills (left + 1, top + 1)-(right, bottom) exclusive, leaving the top row and left column
    // for an outline.
    void fillRectangle(const CRectangle& rect);
    // Filled ellipse, no outline, in rect moved one pixel right and down.
    void fillEllipse(const CRectangle& rect);
    // The counter-clockwise part of the ellipse inscribed in rect from startAngle to endAngle
    // (degrees, 0 towards +x, 90 towards -y): arc with the pen, pie with the brush, or both.
    void drawArc(const CRectangle& rect, float startAngle, float endAngle,
                 std::int32_t fillStyle = kDrawOutline);
    // As above, from the ray towards start to the ray towards end.
    void drawArc(const CRectangle& rect, const CPosition& start, const CPosition& end,
                 std::int32_t fillStyle = kDrawOutline);
    // Filled pie without outline.
    void fillArc(const CRectangle& rect, const CPosition& start, const CPosition& end);
    void drawPixel(const CPosition& point, const CRgbaColor& color);
    // The colour at point, alpha 255.
    CRgbaColor readPixel(const CPosition& point);
    // Fills with the brush the area that has the colour of the pixel at point.
    void floodFill(const CPosition& point);

    // Setters compare with the stored value first and do no platform work when it is unchanged
    // (setTextColor excepted: it always sets).
    void setPenColor(const CRgbaColor& color);
    CRgbaColor getPenColor() const { return penColor; }
    void setLineWidth(std::int32_t width);
    std::int32_t getLineWidth() const { return lineWidth; }
    void setLineStyle(std::int32_t style);
    std::int32_t getLineStyle() const { return lineStyle; }
    // Also the background colour of opaque text.
    void setBrushColor(const CRgbaColor& color);
    CRgbaColor getBrushColor() const { return brushColor; }
    void setTextColor(const CRgbaColor& color);
    CRgbaColor getTextColor() const { return textColor; }
    // kDrawModeCopy, kDrawModeOr or kDrawModeXor; anything else draws as copy.
    void setDrawMode(std::int32_t mode);
    std::int32_t getDrawMode() const { return drawMode; }

    // Clips to rect + offset.
    void setClipRect(const CRectangle& rect);
    // The current clip in the caller's drawing space: clipRect minus offset.
    void getClipRect(CRectangle& rect) const;
    // Clips to the frame's bounds, or (0, 0, 1000, 1000) without a frame.
    void resetClipRect();

    // fontId 0..7 (anything above 7 means kFontSystem); size 0 is the font's table size; face
    // is a set of kFace bits. Creates a platform font only when something changed.
    void selectFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t face = kFaceNormal);
    std::int32_t getFont() const { return currentFontId; }
    std::int32_t getFontSize() const { return currentFontSize; }
    std::int32_t getFontFace() const { return currentFontFace; }

    // One line, vertically centred in rect and clipped to it. opaque fills the glyph cells with
    // the brush colour. Left-aligned text starts one pixel right of rect.left. Null draws
    // nothing.
    void drawText(const char* text, const CRectangle& rect, bool opaque = false,
                  std::int32_t align = kAlignCenter);
    // Width of text in pixels with the current font; 0 for null.
    std::int32_t measureText(const char* text);

    // Buttons and modifiers held down now (kButton and kModifier bits), read asynchronously.
    std::int32_t queryMouseButtons();
    // The cursor position minus screenOffset.
    void queryMousePosition(CPosition& where);
    // True when a left-button press follows within the double-click time while the pointer
    // stays within 2 pixels of where it was.
    bool awaitDoubleClick();
    // True when the pointer leaves a 2-pixel neighbourhood while the left button is held;
    // false when the button is released first.
    bool awaitDrag();

    platform::Surface* getSystemContext() const { return systemContext; }
    platform::Window* getWindow() const { return window; }
    CFrame* getFrame() const { return frame; }
    const CPosition& getOffset() const { return offset; }
    void setOffset(const CPosition& value) { offset = value; }

    // Screen position of the origin of the drawing space; containers move it together with
    // offset while their children work.
    CPosition screenOffset;
    // Added to every coordinate passed to a drawing operation.
    CPosition offset;

protected:
    // Selects the objects found at construction back into the surface and deletes the ones this
    // context created. Safe to call twice; an offscreen context calls it before it deletes its
    // own surface.
    void restoreSurface();
    // Creates a pen of the stored style, width and colour and puts it in place of the old one.
    void replacePen();

    platform::Surface* systemContext = nullptr;
    platform::Window* window = nullptr;
    CFrame* frame = nullptr;
    std::int32_t currentFontSize = -1;
    std::int32_t currentFontFace = 0;
    std::int32_t currentFontId = kNumFonts;
    CRgbaColor textColor{0, 0, 0, 0};
    std::int32_t lineWidth = 0;
    CRgbaColor penColor{0, 0, 0, 0};
    CRgbaColor brushColor{0, 0, 0, 0};
    std::int32_t lineStyle = kLineStyleDotted;  // differs from the first request on purpose
    std::int32_t drawMode = 3;                  // likewise

public:
    // In surface coordinates (offset already added).
    CRectangle clipRect;

protected:
    platform::Brush* brush = nullptr;  // owned
    platform::Pen* pen = nullptr;      // owned
    platform::Font* font = nullptr;    // owned
    platform::Brush* previousBrush = nullptr;
    platform::Pen* previousPen = nullptr;
    platform::Font* previousFont = nullptr;
    std::int32_t penStyle = 0;  // a platform::PenStyle value
    platform::Surface* ownedDeviceContext = nullptr;

    // For the offscreen constructors, which make their own surface first.
    struct NoSurfaceYet {};
    CDrawContext(CFrame* frame, NoSurfaceYet);
    // Remembers the selected objects and sets the initial pen, brush, text colour, font and
    // draw mode; used once the surface is known.
    void setUpSurface();
};

}  // namespace QGUI
