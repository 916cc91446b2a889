// CBitmap: PNG resources decoded with libpng into premultiplied 32-bit images, and the three ways
// of drawing them (plain copy, keyed copy, alpha blend).
#include "gui/bitmap.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "gui/draw_context.h"
#include "gui/platform/draw_surface.h"
#include "gui/platform/resources.h"
#include "shell/module_instance.h"

namespace QGUI {

platform::AlphaBlendFn gAlphaBlendFn = nullptr;
platform::TransparentBltFn gTransparentBltFn = nullptr;
platform::OsVersion gOsVersion;

namespace {

// The PNG bytes being decoded and how far the decoder has read.
struct PngMemoryReader {
    const std::uint8_t* data;
    std::uint32_t position;
    std::uint32_t size;
};

void readFromMemory(png_structp png, png_bytep destination, png_size_t length) {
    auto* reader = static_cast<PngMemoryReader*>(png_get_io_ptr(png));
    if (!reader) return;
    // A read past the end is an error at once: copying nothing would leave the decoder working
    // on whatever its buffer held before.
    if (length > reader->size - reader->position) png_error(png, "read past the end of the data");
    std::memcpy(destination, reader->data + reader->position, length);
    reader->position += std::uint32_t(length);
}

// An integer product shifted by 8, as the blending operation expects: a full channel of an
// opaque pixel becomes 254.
void premultiply(const platform::ImagePixels& pixels) {
    for (std::int32_t y = 0; y < pixels.height; ++y) {
        std::uint8_t* p = pixels.topRow + y * pixels.rowStep;
        for (std::int32_t x = 0; x < pixels.width; ++x, p += 4) {
            const unsigned a = p[3];
            if (a == 0) {
                p[0] = p[1] = p[2] = 0;
                continue;
            }
            p[0] = std::uint8_t((p[0] * a) >> 8);
            p[1] = std::uint8_t((p[1] * a) >> 8);
            p[2] = std::uint8_t((p[2] * a) >> 8);
        }
    }
}

bool isVersion410(const platform::OsVersion& v) {
    return v.majorVersion == 4 && v.minorVersion == 10 && v.platformId == 1;
}

// A temporary memory surface with the bitmap's image selected, for one drawing operation.
class SelectedImage {
public:
    SelectedImage(platform::Surface* reference, platform::Image* image)
        : surface_(platform::createMemorySurface(reference)),
          previous_(platform::selectImage(surface_, image)) {}
    ~SelectedImage() {
        platform::selectImage(surface_, previous_);
        platform::deleteMemorySurface(surface_);
    }
    SelectedImage(const SelectedImage&) = delete;
    SelectedImage& operator=(const SelectedImage&) = delete;
    platform::Surface* surface() const { return surface_; }

private:
    platform::Surface* surface_;
    platform::Image* previous_;
};

}  // namespace

CBitmap::CBitmap(std::int32_t id) : resourceId(id) {
    loadResource(id);
    transparentColor = kTransparentWhiteColor;
}

CBitmap::~CBitmap() { unload(); }

void CBitmap::unload() {
    platform::deleteImage(platformBitmap);
    platformBitmap = nullptr;
    noAlpha = false;
    width = 0;
    height = 0;
}

bool CBitmap::loadFile(const char*) {
    unload();
    return false;
}

bool CBitmap::loadResource(std::int32_t id) {
    unload();
    platform::ResourceBytes bytes;
    if (!platform::findResource(gModuleInstance, "PNG", id & 0xFFFF, bytes))
        return loadPlainBitmap(id);
    return loadPng(bytes.data, bytes.size);
}

bool CBitmap::loadPlainBitmap(std::int32_t id) {
    platformBitmap = platform::loadBitmapResource(gModuleInstance, id);
    if (!platformBitmap) return false;
    std::int32_t w = 0, h = 0;
    if (!platform::imageSize(platformBitmap, w, h)) return false;
    width = w;
    height = h;
    noAlpha = true;
    return true;
}

bool CBitmap::loadPng(const std::uint8_t* data, std::uint32_t size) {
    PngMemoryReader reader{data, 0, size};
    // Everything that the error return must see is kept outside the jump's reach: libpng
    // returns here by longjmp, which restores no locals that changed after setjmp.
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &reader, readFromMemory);
        png_read_info(png, info);
        png_uint_32 w = 0, h = 0;
        int bitDepth = 0, colorType = 0, interlace = 0;
        png_get_IHDR(png, info, &w, &h, &bitDepth, &colorType, &interlace, nullptr, nullptr);
        platformBitmap = platform::createImage(std::int32_t(w), std::int32_t(h));
        const platform::ImagePixels pixels = platform::imagePixels(platformBitmap);
        if (pixels.topRow) {
            // Sizes only once there is an image: without one the bitmap stays empty.
            width = std::int32_t(w);
            height = std::int32_t(h);

            if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
            if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
                png_set_gray_to_rgb(png);
                if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
                    png_set_expand_gray_1_2_4_to_8(png);
            }
            if (png_get_valid(png, info, PNG_INFO_tRNS))
                png_set_tRNS_to_alpha(png);
            else
                png_set_filler(png, 0xff, PNG_FILLER_AFTER);
            if (bitDepth == 16) {
                png_set_swap(png);
                png_set_strip_16(png);
            }
            png_set_bgr(png);
            // Interlaced images come in several passes over the same rows.
            const int passes = png_set_interlace_handling(png);
            png_read_update_info(png, info);

            // Every combination above gives four bytes a pixel; anything else would overrun
            // the rows, so it is refused rather than read.
            if (png_get_rowbytes(png, info) == png_size_t(w) * 4) {
                for (int pass = 0; pass < passes; ++pass) {
                    for (std::int32_t y = 0; y < height; ++y) {
                        png_bytep row = pixels.topRow + y * pixels.rowStep;
                        png_read_rows(png, &row, nullptr, 1);
                    }
                }
                png_read_end(png, nullptr);
                premultiply(pixels);
            }
        }
        platform::imagePixelsChanged(platformBitmap);
    } else if (platformBitmap) {
        // A decoder error: what was decoded so far stays, without premultiplication.
        platform::imagePixelsChanged(platformBitmap);
    }
    if (!platform::imagePixels(platformBitmap).topRow) {
        platform::deleteImage(platformBitmap);
        platformBitmap = nullptr;
    }
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    noAlpha = false;
    return true;
}

void CBitmap::drawPlain(CDrawContext* context, const CRectangle& rect, const CPosition& offset) {
    if (!noAlpha) {
        drawBlended(context, rect, offset, 255);
        return;
    }
    if (!platformBitmap || !context) return;
    platform::Surface* target = context->getSystemContext();
    SelectedImage source(target, platformBitmap);
    const CPosition to = rect.topLeft() + context->offset;
    platform::copyBits(target, to.x, to.y, rect.width(), rect.height(), source.surface(),
                       offset.x, offset.y);
}

void CBitmap::drawKeyed(CDrawContext* context, const CRectangle& rect, const CPosition& offset) {
    if (!noAlpha) {
        drawBlended(context, rect, offset, 255);
        return;
    }
    if (!platformBitmap || !context) return;
    platform::Surface* target = context->getSystemContext();
    SelectedImage source(target, platformBitmap);
    const CPosition to = rect.topLeft() + context->offset;
    const std::int32_t w = rect.width(), h = rect.height();
    const CRgbaColor key{transparentColor.red, transparentColor.green, transparentColor.blue, 255};

    if (gTransparentBltFn) {
        gTransparentBltFn(target, to.x, to.y, w, h, source.surface(), offset.x, offset.y, key);
        return;
    }
    // Without the keyed copy: a mask that is 1 on key pixels, and three copies that leave the
    // destination where the mask is 1 and the source elsewhere.
    const CRgbaColor oldBackground = platform::setTextBackgroundColor(target, kWhiteColor);
    const CRgbaColor oldText = platform::setTextColor(target, kBlackColor);
    platform::Surface* maskSurface = platform::createMemorySurface(target);
    platform::Image* mask = platform::createMaskImage(w, h);
    platform::Image* previousMask = platform::selectImage(maskSurface, mask);
    platform::setTextBackgroundColor(source.surface(), key);
    platform::copyBits(maskSurface, 0, 0, w, h, source.surface(), offset.x, offset.y);
    platform::copyBits(target, to.x, to.y, w, h, source.surface(), offset.x, offset.y,
                       platform::RasterOp::invert);
    platform::copyBits(target, to.x, to.y, w, h, maskSurface, 0, 0, platform::RasterOp::mask);
    platform::copyBits(target, to.x, to.y, w, h, source.surface(), offset.x, offset.y,
                       platform::RasterOp::invert);
    platform::selectImage(maskSurface, previousMask);
    platform::deleteImage(mask);
    platform::deleteMemorySurface(maskSurface);
    platform::setTextBackgroundColor(target, oldBackground);
    platform::setTextColor(target, oldText);
}

void CBitmap::drawBlended(CDrawContext* context, const CRectangle& rect, const CPosition& offset,
                          std::uint8_t opacity) {
    if (!platformBitmap || !context) return;
    platform::Surface* target = context->getSystemContext();
    SelectedImage source(target, platformBitmap);
    const CPosition to = rect.topLeft() + context->offset;
    const std::int32_t w = rect.width(), h = rect.height();
    platform::BlendParams params;
    params.opacity = opacity;
    params.perPixelAlpha = !noAlpha;

    if (!gAlphaBlendFn) {
        // No blending on this system: the plain copy is the closest picture (exact for opaque
        // images such as a panel).
        platform::copyBits(target, to.x, to.y, w, h, source.surface(), offset.x, offset.y);
        return;
    }
    if (!isVersion410(gOsVersion)) {
        gAlphaBlendFn(target, to.x, to.y, w, h, source.surface(), offset.x, offset.y, params);
        return;
    }
    // That platform version blends only from the top-left corner of a source: blend from a
    // copy of the area.
    platform::Image* copy = platform::createImage(w, h);
    platform::Surface* copySurface = platform::createMemorySurface(source.surface());
    platform::Image* previous = platform::selectImage(copySurface, copy);
    platform::copyBits(copySurface, 0, 0, w, h, source.surface(), offset.x, offset.y);
    gAlphaBlendFn(target, to.x, to.y, w, h, copySurface, 0, 0, params);
    platform::selectImage(copySurface, previous);
    platform::deleteMemorySurface(copySurface);
    platform::deleteImage(copy);
}

}  // namespace QGUI
