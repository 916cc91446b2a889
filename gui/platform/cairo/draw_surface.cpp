// Drawing surfaces of the Linux back ends. Lines, rectangles and block copies are written pixel
// by pixel so that the raster rules hold exactly (end pixel of a line excluded, right and bottom
// edges of fills excluded, raster modes); shapes are rasterised by cairo without antialiasing
// into a coverage mask and then written the same way; text is drawn by cairo.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/platform/cairo/cairo_backend.h"
#include "gui/platform/draw_surface.h"

namespace QGUI::platform {

namespace cairo_backend {

ObjectCounts& mutableObjectCounts() {
    static ObjectCounts counts;
    return counts;
}

const ObjectCounts& objectCounts() { return mutableObjectCounts(); }

CRectangle drawableArea(const Surface* surface) {
    if (!surface || !surface->image) return {};
    CRectangle area(0, 0, surface->image->width, surface->image->height);
    if (surface->hasClip) area.intersect(surface->clip);
    return area;
}

}  // namespace cairo_backend

namespace {

using cairo_backend::drawableArea;
using cairo_backend::mutableObjectCounts;

Pen& stockPen() {
    static Pen pen{PenStyle::solid, 1, {0, 0, 0, 255}, true, 0, false};
    return pen;
}
Brush& stockBrush() {
    static Brush brush{{255, 255, 255, 255}, true, 0, false};
    return brush;
}

std::string matchFamily(const char* face, bool bold, bool italic) {
    std::string family = face ? face : "";
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name)
            family = reinterpret_cast<const char*>(name);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return family;
}

Font* makeFont(const FontSpec& spec, bool stock) {
    auto* font = new Font;
    font->spec = spec;
    font->requestedFace = spec.faceName ? spec.faceName : "";
    font->spec.faceName = font->requestedFace.c_str();
    const bool bold = spec.weight >= 600;
    font->matchedFamily = matchFamily(font->requestedFace.c_str(), bold, spec.italic);
    font->face = cairo_toy_font_face_create(
        font->matchedFamily.c_str(), spec.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    font->stock = stock;
    return font;
}

Font& stockFont() {
    static Font* font = [] {
        FontSpec spec;
        spec.faceName = "Sans";
        spec.height = 13;
        spec.weight = 700;
        return makeFont(spec, true);
    }();
    return *font;
}

template <class T>
void freeObject(T* object);
template <>
void freeObject(Pen* pen) {
    delete pen;
    --mutableObjectCounts().pensAlive;
}
template <>
void freeObject(Brush* brush) {
    delete brush;
    --mutableObjectCounts().brushesAlive;
}
template <>
void freeObject(Font* font) {
    cairo_font_face_destroy(font->face);
    delete font;
    --mutableObjectCounts().fontsAlive;
}

// Puts object in place of slot and answers the object that was there.
template <class T>
T* swapSelection(T*& slot, T* object) {
    T* previous = slot;
    if (!object || object == previous) return previous;
    ++object->selections;
    slot = object;
    if (previous && --previous->selections == 0 && previous->deleted) {
        freeObject(previous);
        return nullptr;  // it was deleted while selected; nothing to give back
    }
    return previous;
}

template <class T>
void deleteObject(T* object) {
    if (!object || object->stock || object->deleted) return;
    object->deleted = true;
    if (object->selections == 0) freeObject(object);
}

std::uint32_t packRgb(CRgbaColor c) {
    return (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
}

CRgbaColor unpackRgb(std::uint32_t p) {
    return {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), 255};
}

// Direct pixel access to a surface's image, flushed on entry and marked dirty on exit.
class PixelWriter {
public:
    explicit PixelWriter(Surface* surface)
        : surface_(surface), area_(drawableArea(surface)) {
        if (!surface_ || !surface_->image) return;
        cairo_surface_t* s = surface_->image->surface;
        cairo_surface_flush(s);
        data_ = cairo_image_surface_get_data(s);
        stride_ = cairo_image_surface_get_stride(s);
        kind_ = surface_->image->kind;
    }
    ~PixelWriter() {
        if (data_ && touched_) cairo_surface_mark_dirty(surface_->image->surface);
    }
    PixelWriter(const PixelWriter&) = delete;
    PixelWriter& operator=(const PixelWriter&) = delete;

    bool valid() const { return data_ != nullptr; }
    const CRectangle& area() const { return area_; }

    // Writes rgb at (x, y) under the raster mode, when (x, y) lies in the drawable area.
    void plot(std::int32_t x, std::int32_t y, std::uint32_t rgb, RasterMode mode) {
        if (!area_.contains({x, y})) return;
        touched_ = true;
        if (kind_ == Image::Kind::mask) {
            std::uint8_t& m = data_[std::ptrdiff_t(y) * stride_ + x];
            const std::uint32_t old = m ? 0xFFFFFFu : 0u;
            m = combine(old, rgb, mode) & 0x800000u ? 255 : 0;
            return;
        }
        auto* p = reinterpret_cast<std::uint32_t*>(data_ + std::ptrdiff_t(y) * stride_) + x;
        *p = 0xFF000000u | combine(*p & 0xFFFFFFu, rgb, mode);
    }

    std::uint32_t read(std::int32_t x, std::int32_t y) const {
        if (!surface_ || !surface_->image || x < 0 || y < 0 || x >= surface_->image->width ||
            y >= surface_->image->height)
            return 0;
        if (kind_ == Image::Kind::mask)
            return data_[std::ptrdiff_t(y) * stride_ + x] ? 0xFFFFFFu : 0u;
        return reinterpret_cast<const std::uint32_t*>(data_ + std::ptrdiff_t(y) * stride_)[x] &
               0xFFFFFFu;
    }

    static std::uint32_t combine(std::uint32_t pixel, std::uint32_t pen, RasterMode mode) {
        switch (mode) {
            case RasterMode::merge: return pixel | pen;
            case RasterMode::notXor: return ~(pixel ^ pen) & 0xFFFFFFu;
            case RasterMode::copy: break;
        }
        return pen;
    }

private:
    Surface* surface_;
    CRectangle area_;
    std::uint8_t* data_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    Image::Kind kind_ = Image::Kind::pixels;
    bool touched_ = false;
};

// The pixels of a line from (x0, y0) towards (x1, y1), the end pixel excluded, in order.
template <class Fn>
void walkLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, Fn&& fn) {
    const std::int64_t dx = std::llabs(std::int64_t(x1) - x0);
    const std::int64_t dy = -std::llabs(std::int64_t(y1) - y0);
    const std::int32_t sx = x0 < x1 ? 1 : -1;
    const std::int32_t sy = y0 < y1 ? 1 : -1;
    std::int64_t err = dx + dy;
    std::int64_t x = x0, y = y0;
    // Bounded by the longer axis, so a far-away end point cannot run for ever either.
    for (std::int64_t steps = std::max(dx, -dy); steps > 0; --steps) {
        fn(std::int32_t(x), std::int32_t(y));
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void strokeLine(Surface* surface, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                std::int32_t y1) {
    Pen* pen = surface->pen;
    PixelWriter writer(surface);
    if (!writer.valid() || !pen) return;
    const CRectangle& area = writer.area();
    if (area.isEmpty()) return;
    // Wide pens are drawn as a square stamp around each pixel of the thin line; the dotted
    // style applies to one-pixel pens only, as on the specified platform.
    const std::int32_t width = std::max<std::int32_t>(1, pen->width);
    const bool dotted = pen->style == PenStyle::dotted && width == 1;
    const std::uint32_t rgb = packRgb(pen->color);
    const std::int32_t before = (width - 1) / 2;
    std::int32_t index = 0;
    walkLine(x0, y0, x1, y1, [&](std::int32_t x, std::int32_t y) {
        const bool on = !dotted || (index++ % 2) == 0;
        if (!on) return;
        if (width == 1) {
            writer.plot(x, y, rgb, surface->rasterMode);
            return;
        }
        for (std::int32_t py = y - before; py < y - before + width; ++py)
            for (std::int32_t px = x - before; px < x - before + width; ++px)
                writer.plot(px, py, rgb, surface->rasterMode);
    });
}

// Rasterises a path without antialiasing into a coverage mask of the surface's size, then
// writes rgb where it covers.
template <class PathFn>
void paintShape(Surface* surface, std::uint32_t rgb, bool stroke, double lineWidth,
                PathFn&& buildPath) {
    if (!surface || !surface->image) return;
    const CRectangle area = drawableArea(surface);
    if (area.isEmpty()) return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, area.width(),
                                                       area.height());
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(mask);
        return;
    }
    cairo_t* cr = cairo_create(mask);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_translate(cr, -area.left, -area.top);
    buildPath(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    if (stroke) {
        cairo_set_line_width(cr, lineWidth);
        cairo_stroke(cr);
    } else {
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(mask);
    const std::uint8_t* coverage = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    PixelWriter writer(surface);
    for (std::int32_t y = 0; y < area.height(); ++y)
        for (std::int32_t x = 0; x < area.width(); ++x)
            if (coverage[std::ptrdiff_t(y) * stride + x] >= 128)
                writer.plot(area.left + x, area.top + y, rgb, surface->rasterMode);
    cairo_surface_destroy(mask);
}

struct EllipseGeometry {
    double cx, cy, rx, ry;
};

EllipseGeometry ellipseOf(const CRectangle& r) {
    return {(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, std::abs(r.width()) / 2.0,
            std::abs(r.height()) / 2.0};
}

// The angle, in cairo's y-down frame, of the ray from the centre towards p on the unit circle
// that the ellipse is scaled from.
double rayAngle(const EllipseGeometry& e, const CPosition& p) {
    const double dx = (p.x - e.cx) / (e.rx > 0 ? e.rx : 1);
    const double dy = (p.y - e.cy) / (e.ry > 0 ? e.ry : 1);
    if (dx == 0 && dy == 0) return 0;
    return std::atan2(dy, dx);
}

// Counter-clockwise on the screen is decreasing angle in a y-down frame.
void arcPath(cairo_t* cr, const EllipseGeometry& e, double radiusInset, const CPosition& start,
             const CPosition& end, bool pie) {
    const double rx = std::max(0.0, e.rx - radiusInset);
    const double ry = std::max(0.0, e.ry - radiusInset);
    if (rx <= 0 || ry <= 0) return;
    const double a0 = rayAngle(e, start);
    double a1 = rayAngle(e, end);
    // Equal rays make a full ellipse, as on the specified platform.
    if (a1 >= a0) a1 -= 2 * M_PI;
    cairo_save(cr);
    cairo_translate(cr, e.cx, e.cy);
    cairo_scale(cr, rx, ry);
    if (pie) cairo_move_to(cr, 0, 0);
    cairo_arc_negative(cr, 0, 0, 1, a0, a1);
    if (pie) cairo_close_path(cr);
    cairo_restore(cr);
}

struct TextLayout {
    double ascent = 0;
    std::int32_t cellHeight = 0;
    std::int32_t width = 0;
};

void applyFont(cairo_t* cr, const Font* font) {
    cairo_set_font_face(cr, font->face);
    cairo_set_font_size(cr, std::max<std::int32_t>(1, font->spec.height));
}

TextLayout layoutText(cairo_t* cr, const char* text) {
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text, &te);
    TextLayout layout;
    layout.ascent = std::round(fe.ascent);
    layout.cellHeight = std::int32_t(std::round(fe.ascent) + std::round(fe.descent));
    layout.width = std::int32_t(std::lround(te.x_advance));
    return layout;
}

cairo_surface_t* scratchSurface() {
    static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    return s;
}

void countNew(std::int64_t& created, std::int64_t& alive) {
    ++created;
    ++alive;
}

}  // namespace

Pen* createPen(PenStyle style, std::int32_t width, CRgbaColor color) {
    auto* pen = new Pen{style, width, color, false, 0, false};
    countNew(mutableObjectCounts().pensCreated, mutableObjectCounts().pensAlive);
    return pen;
}

void deletePen(Pen* pen) { deleteObject(pen); }

Brush* createSolidBrush(CRgbaColor color) {
    auto* brush = new Brush{color, false, 0, false};
    countNew(mutableObjectCounts().brushesCreated, mutableObjectCounts().brushesAlive);
    return brush;
}

void deleteBrush(Brush* brush) { deleteObject(brush); }

Font* createFont(const FontSpec& spec) {
    Font* font = makeFont(spec, false);
    countNew(mutableObjectCounts().fontsCreated, mutableObjectCounts().fontsAlive);
    return font;
}

void deleteFont(Font* font) { deleteObject(font); }

Pen* currentPen(Surface* surface) { return surface ? surface->pen : nullptr; }
Brush* currentBrush(Surface* surface) { return surface ? surface->brush : nullptr; }
Font* currentFont(Surface* surface) { return surface ? surface->font : nullptr; }

Pen* selectPen(Surface* surface, Pen* pen) {
    return surface ? swapSelection(surface->pen, pen) : nullptr;
}
Brush* selectBrush(Surface* surface, Brush* brush) {
    return surface ? swapSelection(surface->brush, brush) : nullptr;
}
Font* selectFont(Surface* surface, Font* font) {
    return surface ? swapSelection(surface->font, font) : nullptr;
}

void setRasterMode(Surface* surface, RasterMode mode) {
    if (surface) surface->rasterMode = mode;
}

void setTextBackgroundOpaque(Surface* surface, bool opaque) {
    if (surface) surface->backgroundOpaque = opaque;
}

CRgbaColor setTextBackgroundColor(Surface* surface, CRgbaColor color) {
    if (!surface) return {0, 0, 0, 255};
    CRgbaColor previous = surface->backgroundColor;
    surface->backgroundColor = {color.red, color.green, color.blue, 255};
    return previous;
}

CRgbaColor setTextColor(Surface* surface, CRgbaColor color) {
    if (!surface) return {0, 0, 0, 255};
    CRgbaColor previous = surface->textColor;
    surface->textColor = {color.red, color.green, color.blue, 255};
    return previous;
}

void setClip(Surface* surface, const CRectangle& rect) {
    if (!surface) return;
    surface->hasClip = true;
    surface->clip = rect;
    // An inverted rectangle clips everything away.
    if (surface->clip.right < surface->clip.left) surface->clip.right = surface->clip.left;
    if (surface->clip.bottom < surface->clip.top) surface->clip.bottom = surface->clip.top;
}

void moveTo(Surface* surface, std::int32_t x, std::int32_t y) {
    if (surface) surface->penPosition = {x, y};
}

void lineTo(Surface* surface, std::int32_t x, std::int32_t y) {
    if (!surface) return;
    strokeLine(surface, surface->penPosition.x, surface->penPosition.y, x, y);
    surface->penPosition = {x, y};
}

void polyline(Surface* surface, const CPosition* points, std::int32_t count) {
    if (!surface || !points || count < 2) return;
    moveTo(surface, points[0].x, points[0].y);
    for (std::int32_t i = 1; i < count; ++i) lineTo(surface, points[i].x, points[i].y);
}

void fillRectangle(Surface* surface, const CRectangle& rect, Brush* brush) {
    if (!surface || !brush) return;
    PixelWriter writer(surface);
    if (!writer.valid()) return;
    CRectangle r = rect;
    r.intersect(writer.area());
    const std::uint32_t rgb = packRgb(brush->color);
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        for (std::int32_t x = r.left; x < r.right; ++x) writer.plot(x, y, rgb, RasterMode::copy);
}

void fillPolygon(Surface* surface, const CPosition* points, std::int32_t count) {
    if (!surface || !surface->brush || !points || count < 3) return;
    paintShape(surface, packRgb(surface->brush->color), false, 0, [&](cairo_t* cr) {
        cairo_move_to(cr, points[0].x, points[0].y);
        for (std::int32_t i = 1; i < count; ++i) cairo_line_to(cr, points[i].x, points[i].y);
        cairo_close_path(cr);
    });
}

void fillEllipse(Surface* surface, const CRectangle& rect) {
    if (!surface || !surface->brush) return;
    const EllipseGeometry e = ellipseOf(rect);
    if (e.rx <= 0 || e.ry <= 0) return;
    paintShape(surface, packRgb(surface->brush->color), false, 0, [&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, e.cx, e.cy);
        cairo_scale(cr, e.rx, e.ry);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    });
}

void arc(Surface* surface, const CRectangle& rect, const CPosition& start, const CPosition& end) {
    if (!surface || !surface->pen) return;
    const EllipseGeometry e = ellipseOf(rect);
    const double width = std::max<std::int32_t>(1, surface->pen->width);
    paintShape(surface, packRgb(surface->pen->color), true, width,
               [&](cairo_t* cr) { arcPath(cr, e, 0.5, start, end, false); });
}

void fillPie(Surface* surface, const CRectangle& rect, const CPosition& start,
             const CPosition& end) {
    if (!surface || !surface->brush) return;
    const EllipseGeometry e = ellipseOf(rect);
    paintShape(surface, packRgb(surface->brush->color), false, 0,
               [&](cairo_t* cr) { arcPath(cr, e, 0, start, end, true); });
}

void setPixel(Surface* surface, std::int32_t x, std::int32_t y, CRgbaColor color) {
    PixelWriter writer(surface);
    if (writer.valid()) writer.plot(x, y, packRgb(color), RasterMode::copy);
}

CRgbaColor getPixel(Surface* surface, std::int32_t x, std::int32_t y) {
    PixelWriter reader(surface);
    if (!reader.valid()) return {0, 0, 0, 255};
    return unpackRgb(reader.read(x, y));
}

void floodFill(Surface* surface, std::int32_t x, std::int32_t y) {
    if (!surface || !surface->brush) return;
    PixelWriter writer(surface);
    if (!writer.valid()) return;
    const CRectangle area = writer.area();
    if (!area.contains({x, y})) return;
    const std::uint32_t target = writer.read(x, y);
    const std::uint32_t fill = packRgb(surface->brush->color);
    if (target == fill) return;
    std::vector<CPosition> stack{{x, y}};
    while (!stack.empty()) {
        const CPosition p = stack.back();
        stack.pop_back();
        if (!area.contains(p) || writer.read(p.x, p.y) != target) continue;
        writer.plot(p.x, p.y, fill, RasterMode::copy);
        stack.push_back({p.x + 1, p.y});
        stack.push_back({p.x - 1, p.y});
        stack.push_back({p.x, p.y + 1});
        stack.push_back({p.x, p.y - 1});
    }
}

void drawText(Surface* surface, const char* text, const CRectangle& rect, std::int32_t align) {
    if (!surface || !text || !surface->image || !surface->font) return;
    if (surface->image->kind == Image::Kind::mask) return;
    CRectangle visible = rect;
    visible.intersect(drawableArea(surface));
    if (visible.isEmpty()) return;

    cairo_t* cr = cairo_create(surface->image->surface);
    cairo_rectangle(cr, visible.left, visible.top, visible.width(), visible.height());
    cairo_clip(cr);
    applyFont(cr, surface->font);
    const TextLayout layout = layoutText(cr, text);
    std::int32_t x = rect.left;
    if (align == kAlignCenter)
        x = rect.left + (rect.width() - layout.width) / 2;
    else if (align == kAlignRight)
        x = rect.right - layout.width;
    const std::int32_t top = rect.top + (rect.height() - layout.cellHeight) / 2;

    if (surface->backgroundOpaque) {
        const CRgbaColor& bk = surface->backgroundColor;
        cairo_set_source_rgb(cr, bk.red / 255.0, bk.green / 255.0, bk.blue / 255.0);
        cairo_rectangle(cr, x, top, layout.width, layout.cellHeight);
        cairo_fill(cr);
    }
    const CRgbaColor& fg = surface->textColor;
    cairo_set_source_rgb(cr, fg.red / 255.0, fg.green / 255.0, fg.blue / 255.0);
    cairo_move_to(cr, x, top + layout.ascent);
    cairo_show_text(cr, text);
    if (surface->font->spec.underline) {
        const double thickness = std::max(1.0, std::round(surface->font->spec.height / 14.0));
        cairo_rectangle(cr, x, top + layout.ascent + 1, layout.width, thickness);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
}

std::int32_t textWidth(Surface* surface, const char* text) {
    if (!surface || !text || !surface->font) return 0;
    cairo_t* cr = cairo_create(scratchSurface());
    applyFont(cr, surface->font);
    const std::int32_t width = layoutText(cr, text).width;
    cairo_destroy(cr);
    return width;
}

bool copyBits(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
              Surface* src, std::int32_t sx, std::int32_t sy, RasterOp op) {
    if (!dst || !src || !dst->image || !src->image || w <= 0 || h <= 0) return false;
    // Destination pixels that have a source pixel and may be drawn.
    CRectangle target(dx, dy, dx + w, dy + h);
    target.intersect(drawableArea(dst));
    CRectangle fromSource(dx - sx, dy - sy, dx - sx + src->image->width,
                          dy - sy + src->image->height);
    target.intersect(fromSource);
    if (target.isEmpty()) return true;

    const bool fromMask = src->image->kind == Image::Kind::mask;
    const bool toMask = dst->image->kind == Image::Kind::mask;
    const std::uint32_t srcBackground = packRgb(src->backgroundColor);
    const std::uint32_t dstText = packRgb(dst->textColor);
    const std::uint32_t dstBackground = packRgb(dst->backgroundColor);

    cairo_surface_flush(src->image->surface);
    cairo_surface_flush(dst->image->surface);
    const std::uint8_t* in = cairo_image_surface_get_data(src->image->surface);
    const std::ptrdiff_t inStride = cairo_image_surface_get_stride(src->image->surface);
    std::uint8_t* out = cairo_image_surface_get_data(dst->image->surface);
    const std::ptrdiff_t outStride = cairo_image_surface_get_stride(dst->image->surface);

    // Read the whole source block first, so that a copy within one image may overlap.
    std::vector<std::uint32_t> block(std::size_t(target.width()) * std::size_t(target.height()));
    for (std::int32_t y = 0; y < target.height(); ++y) {
        const std::int32_t srcY = target.top + y - dy + sy;
        for (std::int32_t x = 0; x < target.width(); ++x) {
            const std::int32_t srcX = target.left + x - dx + sx;
            std::uint32_t value;
            if (fromMask) {
                const bool bit = in[srcY * inStride + srcX] != 0;
                value = toMask ? (bit ? 0xFFFFFFu : 0u) : (bit ? dstBackground : dstText);
            } else {
                value = reinterpret_cast<const std::uint32_t*>(in + srcY * inStride)[srcX];
                if (toMask) value = (value & 0xFFFFFFu) == srcBackground ? 0xFFFFFFu : 0u;
            }
            block[std::size_t(y) * target.width() + x] = value;
        }
    }
    for (std::int32_t y = 0; y < target.height(); ++y) {
        for (std::int32_t x = 0; x < target.width(); ++x) {
            const std::uint32_t s = block[std::size_t(y) * target.width() + x];
            const std::int32_t px = target.left + x, py = target.top + y;
            if (toMask) {
                std::uint8_t& m = out[py * outStride + px];
                const bool d = m != 0, b = s != 0;
                const bool r = op == RasterOp::copy ? b : op == RasterOp::invert ? (d != b) : (d && b);
                m = r ? 255 : 0;
                continue;
            }
            auto& d = reinterpret_cast<std::uint32_t*>(out + py * outStride)[px];
            std::uint32_t result = s;
            if (op == RasterOp::invert)
                result = d ^ s;
            else if (op == RasterOp::mask)
                result = d & s;
            // A copy into an image with alpha keeps the source's alpha byte only when the
            // source has one; colours from images without alpha arrive opaque.
            if (dst->image->kind == Image::Kind::pixels &&
                (fromMask || src->image->kind != Image::Kind::pixels || op != RasterOp::copy))
                result = (result & 0xFFFFFFu) | 0xFF000000u;
            d = result;
        }
    }
    cairo_surface_mark_dirty(dst->image->surface);
    return true;
}

Surface* createMemorySurface(Surface*) {
    auto* surface = new Surface;
    swapSelection(surface->pen, &stockPen());
    swapSelection(surface->brush, &stockBrush());
    swapSelection(surface->font, &stockFont());
    ++mutableObjectCounts().surfacesAlive;
    return surface;
}

void deleteMemorySurface(Surface* surface) {
    if (!surface) return;
    if (surface->image) surface->image->selectedIn = nullptr;
    // Let go of the selected objects so that those deleted while selected are freed now.
    swapSelection(surface->pen, &stockPen());
    swapSelection(surface->brush, &stockBrush());
    swapSelection(surface->font, &stockFont());
    delete surface;
    --mutableObjectCounts().surfacesAlive;
}

Image* selectImage(Surface* surface, Image* image) {
    if (!surface) return nullptr;
    Image* previous = surface->image;
    if (image == previous) return previous;
    if (previous) previous->selectedIn = nullptr;
    if (image && image->selectedIn) image->selectedIn->image = nullptr;
    surface->image = image;
    if (image) image->selectedIn = surface;
    return previous;
}

}  // namespace QGUI::platform

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps caches that it frees only in FcFini, which nothing may call while cairo can
// still draw text; the leak checker would report them at the end of every program that drew
// text. They are the system library's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
