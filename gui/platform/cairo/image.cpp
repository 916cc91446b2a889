// Images of the Linux back ends as cairo image surfaces, and the blending operations that their
// blending library hands out.
#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "gui/platform/cairo/cairo_backend.h"
#include "gui/platform/image.h"

namespace QGUI::platform {

namespace cairo_backend {
ObjectCounts& mutableObjectCounts();
}

namespace {

// cairo refuses larger surfaces; asking for one is a failure, not a crash.
constexpr std::int32_t kMaxSide = 32767;

Image* makeImage(Image::Kind kind, cairo_format_t format, std::int32_t width,
                 std::int32_t height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(format, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    auto* image = new Image;
    image->kind = kind;
    image->surface = s;
    image->width = width;
    image->height = height;
    ++cairo_backend::mutableObjectCounts().imagesAlive;
    return image;
}

// Where blending may read in src and write in dst; false when the request reaches outside the
// source image, which the blending operations refuse as a whole.
bool blendArea(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
               Surface* src, std::int32_t sx, std::int32_t sy, CRectangle& target) {
    if (!dst || !src || !dst->image || !src->image || w <= 0 || h <= 0) return false;
    if (src->image->kind == Image::Kind::mask) return false;
    if (sx < 0 || sy < 0 || sx + w > src->image->width || sy + h > src->image->height)
        return false;
    target = CRectangle(dx, dy, dx + w, dy + h);
    target.intersect(cairo_backend::drawableArea(dst));
    return true;
}

}  // namespace

Image* createImage(std::int32_t width, std::int32_t height) {
    return makeImage(Image::Kind::pixels, CAIRO_FORMAT_ARGB32, width, height);
}

Image* createCompatibleImage(Surface*, std::int32_t width, std::int32_t height) {
    return makeImage(Image::Kind::compatible, CAIRO_FORMAT_RGB24, width, height);
}

Image* createMaskImage(std::int32_t width, std::int32_t height) {
    return makeImage(Image::Kind::mask, CAIRO_FORMAT_A8, width, height);
}

void deleteImage(Image* image) {
    if (!image) return;
    if (image->selectedIn) image->selectedIn->image = nullptr;
    cairo_surface_destroy(image->surface);
    delete image;
    --cairo_backend::mutableObjectCounts().imagesAlive;
}

bool imageSize(Image* image, std::int32_t& width, std::int32_t& height) {
    if (!image) return false;
    width = image->width;
    height = image->height;
    return true;
}

ImagePixels imagePixels(Image* image) {
    ImagePixels pixels;
    if (!image || image->kind != Image::Kind::pixels) return pixels;
    cairo_surface_flush(image->surface);
    pixels.topRow = cairo_image_surface_get_data(image->surface);
    pixels.rowStep = cairo_image_surface_get_stride(image->surface);
    pixels.width = image->width;
    pixels.height = image->height;
    return pixels;
}

void imagePixelsChanged(Image* image) {
    if (image) cairo_surface_mark_dirty(image->surface);
}

namespace cairo_backend {

bool alphaBlend(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                Surface* src, std::int32_t sx, std::int32_t sy, BlendParams params) {
    CRectangle target;
    if (!blendArea(dst, dx, dy, w, h, src, sx, sy, target)) return false;
    if (target.isEmpty()) return true;

    cairo_surface_t* source = src->image->surface;
    cairo_surface_t* opaqueView = nullptr;
    if (!params.perPixelAlpha && src->image->kind == Image::Kind::pixels) {
        // The same pixels read without their alpha byte.
        cairo_surface_flush(source);
        opaqueView = cairo_image_surface_create_for_data(
            cairo_image_surface_get_data(source), CAIRO_FORMAT_RGB24, src->image->width,
            src->image->height, cairo_image_surface_get_stride(source));
        source = opaqueView;
    }
    cairo_t* cr = cairo_create(dst->image->surface);
    cairo_rectangle(cr, target.left, target.top, target.width(), target.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, source, dx - sx, dy - sy);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_paint_with_alpha(cr, params.opacity / 255.0);
    cairo_destroy(cr);
    if (opaqueView) cairo_surface_destroy(opaqueView);
    return true;
}

bool transparentBlt(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                    std::int32_t h, Surface* src, std::int32_t sx, std::int32_t sy,
                    CRgbaColor key) {
    CRectangle target;
    if (!blendArea(dst, dx, dy, w, h, src, sx, sy, target)) return false;
    if (target.isEmpty() || dst->image->kind == Image::Kind::mask) return true;

    cairo_surface_t* from = src->image->surface;
    cairo_surface_t* to = dst->image->surface;
    cairo_surface_flush(from);
    cairo_surface_flush(to);
    const std::uint32_t keyRgb = (std::uint32_t(key.red) << 16) |
                                 (std::uint32_t(key.green) << 8) | key.blue;
    const bool opaqueTarget = dst->image->kind == Image::Kind::pixels;
    for (std::int32_t y = target.top; y < target.bottom; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(from) +
            std::ptrdiff_t(y - dy + sy) * cairo_image_surface_get_stride(from));
        auto* out = reinterpret_cast<std::uint32_t*>(
            cairo_image_surface_get_data(to) +
            std::ptrdiff_t(y) * cairo_image_surface_get_stride(to));
        for (std::int32_t x = target.left; x < target.right; ++x) {
            const std::uint32_t p = in[x - dx + sx];
            if ((p & 0xFFFFFFu) == keyRgb) continue;
            out[x] = opaqueTarget ? (p | 0xFF000000u) : p;
        }
    }
    cairo_surface_mark_dirty(to);
    return true;
}

}  // namespace cairo_backend

}  // namespace QGUI::platform
