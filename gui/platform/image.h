// Images of the platform layer: 32-bit images whose pixels the toolkit writes (decoded
// bitmaps), images compatible with a surface (offscreen back buffers), 1-bit masks, and the
// blending library that provides alpha blending of premultiplied images and keyed copies.
// User-interface thread only. Null handles are accepted everywhere and do nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gui/platform/platform_types.h"
#include "gui/rgba_color.h"

namespace QGUI::platform {

// A width x height image of 32-bit pixels, each stored as the bytes blue, green, red, alpha,
// all zero at first, whose pixels the caller may write (see imagePixels). Null for a
// non-positive size or when no memory is left for it.
Image* createImage(std::int32_t width, std::int32_t height);
// A width x height image in the format of reference's pixels (the screen's when reference is
// null), for offscreen drawing; its pixels are not directly accessible. Null on failure.
Image* createCompatibleImage(Surface* reference, std::int32_t width, std::int32_t height);
// A width x height image of 1 bit per pixel, for building masks with copyBits.
Image* createMaskImage(std::int32_t width, std::int32_t height);
// Deletes an image that is selected in no surface.
void deleteImage(Image* image);
// The image's size; false for a null image.
bool imageSize(Image* image, std::int32_t& width, std::int32_t& height);

// Where the rows of an image made by createImage lie: image row y (0 is the top row) starts at
// topRow + y * rowStep and holds width * 4 bytes. rowStep is negative when the platform keeps
// images bottom-up. topRow is null for other images.
struct ImagePixels {
    std::uint8_t* topRow = nullptr;
    std::ptrdiff_t rowStep = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};
ImagePixels imagePixels(Image* image);
// Tells the back end that the caller has finished writing pixels through imagePixels.
void imagePixelsChanged(Image* image);

// ---- Blending library -------------------------------------------------------------------------

struct BlendParams {
    std::uint8_t opacity = 255;  // constant alpha applied to the whole source
    bool perPixelAlpha = true;   // the source pixels carry premultiplied alpha
};
// Blends the w x h block at (sx, sy) of src over (dx, dy) of dst, no scaling, within dst's clip:
// dst = src * opacity / 255 + dst * (1 - srcAlpha * opacity / 255 / 255), with srcAlpha 255 when
// perPixelAlpha is false. A block that reaches outside src's image is refused as a whole: false,
// nothing drawn.
using AlphaBlendFn = bool (*)(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                              std::int32_t h, Surface* src, std::int32_t sx, std::int32_t sy,
                              BlendParams params);
// Copies the w x h block at (sx, sy) of src to (dx, dy) of dst, no scaling, leaving out the
// pixels whose red, green and blue equal key (its alpha is not used). Refused like a blend when
// the block reaches outside src's image.
using TransparentBltFn = bool (*)(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                                  std::int32_t h, Surface* src, std::int32_t sx, std::int32_t sy,
                                  CRgbaColor key);

// Loads the library that provides the two operations; null when it is not there.
BlendLibrary* loadBlendLibrary();
void freeBlendLibrary(BlendLibrary* library);
// The library's operations; null when the library lacks them.
AlphaBlendFn findAlphaBlend(BlendLibrary* library);
TransparentBltFn findTransparentBlt(BlendLibrary* library);

// The operating system's version record. platformId 1 is the consumer family of old, 2 the
// NT family.
struct OsVersion {
    std::uint32_t size = 0;  // bytes of the record as the platform knows it, 0 when not filled
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
};
// Fills version; false when the platform cannot tell.
bool queryOsVersion(OsVersion& version);

}  // namespace QGUI::platform
