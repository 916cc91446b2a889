// CBitmap: a picture of the editor, decoded from a PNG resource of the plug-in library into a
// 32-bit premultiplied image, which draws rectangles of itself into a draw context as a plain
// copy, a keyed copy or an alpha blend. Counted references; user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/constants.h"
#include "gui/platform/image.h"
#include "gui/platform/platform_types.h"
#include "gui/position.h"
#include "gui/rectangle.h"
#include "gui/reference_counter.h"
#include "gui/rgba_color.h"

namespace QGUI {

class CDrawContext;

// Process-wide, set by every frame's constructor: the blending library's operations (either may
// be null) and the operating system's version.
extern platform::AlphaBlendFn gAlphaBlendFn;
extern platform::TransparentBltFn gTransparentBltFn;
extern platform::OsVersion gOsVersion;

class CBitmap : public CReferenceCounter {
public:
    // Loads resource resourceId of the plug-in library (see loadResource); an id with nothing
    // behind it gives an empty bitmap, which draws nothing.
    explicit CBitmap(std::int32_t resourceId);
    ~CBitmap() override;

    // In the three drawing operations rect is where to draw, in context's coordinates, and its
    // size is the size of the area copied; offset is the top-left corner of the source area in
    // the bitmap. A bitmap with alpha always blends at full opacity.
    virtual void drawPlain(CDrawContext* context, const CRectangle& rect,
                           const CPosition& offset = CPosition());
    // Leaves out the pixels of transparentColor.
    virtual void drawKeyed(CDrawContext* context, const CRectangle& rect,
                           const CPosition& offset = CPosition());
    // Source over destination with per-pixel alpha, scaled by opacity (0..255).
    virtual void drawBlended(CDrawContext* context, const CRectangle& rect,
                             const CPosition& offset, std::uint8_t opacity);
    virtual void unload();
    // Replaces the content by the "PNG" resource resourceId (low 16 bits) of the plug-in
    // library, or by its plain bitmap resource when there is no PNG. True when either resource
    // was found (also when the PNG then failed to decode: what was decoded stays).
    virtual bool loadResource(std::int32_t resourceId);
    // Not supported: unloads and answers false.
    virtual bool loadFile(const char* path);

    std::int32_t getResourceId() const { return resourceId; }
    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    bool isLoaded() const { return platformBitmap != nullptr; }
    // The key colour of drawKeyed; (255, 255, 255, 0) unless changed.
    CRgbaColor getTransparentColor() const { return transparentColor; }
    void setTransparentColor(const CRgbaColor& color) { transparentColor = color; }
    // True for a plain bitmap resource, whose pixels carry no alpha.
    bool hasNoAlpha() const { return noAlpha; }
    // The decoded image; null when nothing is loaded. Owned by the bitmap.
    platform::Image* getPlatformBitmap() const { return platformBitmap; }

protected:
    std::int32_t resourceId = 0;

public:
    // In pixels, 0 when nothing is loaded. Read directly by users; written by loading only.
    std::int32_t width = 0;
    std::int32_t height = 0;

protected:
    CRgbaColor transparentColor = kTransparentWhiteColor;
    bool noAlpha = true;
    platform::Image* platformBitmap = nullptr;

private:
    bool loadPng(const std::uint8_t* data, std::uint32_t size);
    bool loadPlainBitmap(std::int32_t id);
};

}  // namespace QGUI
