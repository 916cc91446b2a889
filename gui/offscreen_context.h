// COffscreenContext: a drawing context on an offscreen surface of a given size, which can be
// copied to and from other contexts. The frame keeps one as its back buffer.
#pragma once

#include <cstdint>

#include "gui/constants.h"
#include "gui/draw_context.h"

namespace QGUI {

class CBitmap;

class COffscreenContext : public CDrawContext {
public:
    // A width x height surface (compatible with the screen) that starts filled with background.
    // frame may be null.
    COffscreenContext(CFrame* frame, std::int32_t width, std::int32_t height,
                      const CRgbaColor& background = kBlackColor);
    // A surface of bitmap's size (20 x 20 without a bitmap). With drawInBitmap the bitmap's own
    // image is drawn into directly; otherwise a new surface is filled from the bitmap, or with
    // black without one. bitmap is not owned and must outlive the context.
    COffscreenContext(CDrawContext* source, CBitmap* bitmap, bool drawInBitmap = false);
    ~COffscreenContext() override;

    // Copies sourceRect of source (taken at sourceRect + source's offset) to destination in
    // this surface.
    void copyIntoOffscreen(CDrawContext* source, const CRectangle& sourceRect,
                           const CPosition& destination = CPosition());
    // Copies the block of destRect's size at sourcePoint of this surface to destRect +
    // destination's offset in destination.
    void copyOffscreenTo(CDrawContext* destination, const CRectangle& destRect,
                         const CPosition& sourcePoint = CPosition());

    std::int32_t getWidth() const { return surfaceWidth; }
    std::int32_t getHeight() const { return surfaceHeight; }
    CRgbaColor getBackgroundColor() const { return backgroundColor; }

protected:
    CBitmap* sourceBitmap = nullptr;  // not owned
    std::int32_t surfaceHeight = 20;
    std::int32_t surfaceWidth = 20;
    bool ownsSurface = false;
    CRgbaColor backgroundColor{0, 0, 0, 0};
    // The image drawn into (what a window context calls its window), and what was selected in
    // the surface before it.
    platform::Image* surfaceImage = nullptr;
    platform::Image* previousImage = nullptr;
};

}  // namespace QGUI
