// COffscreenContext: a drawing context on a surface of its own, copied to and from other
// contexts in blocks.
#include "gui/offscreen_context.h"

#include "gui/bitmap.h"
#include "gui/frame.h"
#include "gui/platform/draw_surface.h"
#include "gui/platform/image.h"
#include "gui/platform/window.h"

namespace QGUI {

namespace {

// One axis of the clip of a surface of the given extent; a non-positive extent gives the
// span (extent, 0).
void clipAxis(std::int32_t extent, std::int32_t& low, std::int32_t& high) {
    low = extent > 0 ? 0 : extent;
    high = extent > 0 ? extent : 0;
}

}  // namespace

COffscreenContext::COffscreenContext(CFrame* frameArg, std::int32_t width, std::int32_t height,
                                     const CRgbaColor& background)
    : CDrawContext(frameArg, NoSurfaceYet{}) {
    surfaceWidth = width;
    surfaceHeight = height;
    backgroundColor = background;
    ownsSurface = true;
    clipAxis(width, clipRect.left, clipRect.right);
    clipAxis(height, clipRect.top, clipRect.bottom);

    // Compatible with the frame's window when there is one, else with the screen.
    platform::Window* frameWindow = frame ? frame->getFrameWindow() : nullptr;
    platform::Surface* reference = platform::acquireWindowSurface(frameWindow);
    systemContext = platform::createMemorySurface(reference);
    surfaceImage = platform::createCompatibleImage(reference, width, height);
    if (reference) platform::releaseWindowSurface(frameWindow, reference);
    previousImage = platform::selectImage(systemContext, surfaceImage);

    // The surface exists before the initial pen, brush and font are set up, so that they land
    // in it.
    setUpSurface();
    setBrushColor(background);
    setPenColor(background);
    const CRectangle whole(0, 0, width, height);
    fillRectangle(whole);
    drawRectangle(whole, kDrawOutline);
}

COffscreenContext::COffscreenContext(CDrawContext* source, CBitmap* bitmap, bool drawInBitmap)
    : CDrawContext(source ? source->getFrame() : nullptr, NoSurfaceYet{}) {
    sourceBitmap = bitmap;
    if (bitmap && bitmap->width > 0 && bitmap->height > 0) {
        surfaceWidth = bitmap->width;
        surfaceHeight = bitmap->height;
    }
    clipRect = CRectangle(0, 0, surfaceWidth, surfaceHeight);
    platform::Surface* reference = source ? source->getSystemContext() : nullptr;
    systemContext = platform::createMemorySurface(reference);

    platform::Image* bitmapImage = bitmap ? bitmap->getPlatformBitmap() : nullptr;
    if (drawInBitmap && bitmapImage) {
        surfaceImage = bitmapImage;
        ownsSurface = false;
        previousImage = platform::selectImage(systemContext, surfaceImage);
        setUpSurface();
        return;
    }
    ownsSurface = true;
    surfaceImage = platform::createCompatibleImage(reference, surfaceWidth, surfaceHeight);
    previousImage = platform::selectImage(systemContext, surfaceImage);
    setUpSurface();
    const CRectangle whole(0, 0, surfaceWidth, surfaceHeight);
    if (bitmapImage) {
        bitmap->drawPlain(this, whole, CPosition());
    } else {
        setBrushColor(kBlackColor);
        drawRectangle(whole, kDrawFill);
    }
}

COffscreenContext::~COffscreenContext() {
    // The base destructor would select its objects back into a surface that no longer exists:
    // hand them back while it still does.
    restoreSurface();
    platform::selectImage(systemContext, previousImage);
    platform::deleteMemorySurface(systemContext);
    systemContext = nullptr;
    if (ownsSurface) platform::deleteImage(surfaceImage);
    surfaceImage = nullptr;
}

void COffscreenContext::copyIntoOffscreen(CDrawContext* source, const CRectangle& sourceRect,
                                          const CPosition& destination) {
    if (!source) return;
    const CPosition from = sourceRect.topLeft() + source->offset;
    platform::copyBits(systemContext, destination.x, destination.y, sourceRect.width(),
                       sourceRect.height(), source->getSystemContext(), from.x, from.y);
}

void COffscreenContext::copyOffscreenTo(CDrawContext* destination, const CRectangle& destRect,
                                        const CPosition& sourcePoint) {
    if (!destination) return;
    const CPosition to = destRect.topLeft() + destination->offset;
    platform::copyBits(destination->getSystemContext(), to.x, to.y, destRect.width(),
                       destRect.height(), systemContext, sourcePoint.x, sourcePoint.y);
}

}  // namespace QGUI
