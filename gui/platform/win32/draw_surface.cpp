// Drawing surfaces on Windows: device contexts of GDI, with pens, brushes and fonts as GDI
// objects. Each handle of the platform layer is the GDI handle itself.
#include <windows.h>

#include <cstring>
#include <vector>

#include "gui/platform/draw_surface.h"

namespace QGUI::platform {

namespace {

HDC dc(Surface* s) { return reinterpret_cast<HDC>(s); }
HPEN hpen(Pen* p) { return reinterpret_cast<HPEN>(p); }
HBRUSH hbrush(Brush* b) { return reinterpret_cast<HBRUSH>(b); }
HFONT hfont(Font* f) { return reinterpret_cast<HFONT>(f); }
HBITMAP hbitmap(Image* i) { return reinterpret_cast<HBITMAP>(i); }

COLORREF colorRef(CRgbaColor c) { return RGB(c.red, c.green, c.blue); }

CRgbaColor fromColorRef(COLORREF c) {
    return {GetRValue(c), GetGValue(c), GetBValue(c), 255};
}

RECT toRect(const CRectangle& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

std::vector<POINT> toPoints(const CPosition* points, std::int32_t count) {
    std::vector<POINT> out;
    if (!points || count <= 0) return out;
    out.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) out.push_back(POINT{points[i].x, points[i].y});
    return out;
}

// Runs draw with the null pen selected, for fills without an outline.
template <class Fn>
void withoutOutline(HDC hdc, Fn&& draw) {
    HGDIOBJ old = SelectObject(hdc, GetStockObject(NULL_PEN));
    draw();
    if (old) SelectObject(hdc, old);
}

}  // namespace

Pen* createPen(PenStyle style, std::int32_t width, CRgbaColor color) {
    LOGPEN lp{};
    lp.lopnStyle = style == PenStyle::dotted ? PS_DOT : PS_SOLID;
    lp.lopnWidth.x = width;
    lp.lopnColor = colorRef(color);
    return reinterpret_cast<Pen*>(CreatePenIndirect(&lp));
}

void deletePen(Pen* pen) {
    if (pen) DeleteObject(hpen(pen));
}

Brush* createSolidBrush(CRgbaColor color) {
    LOGBRUSH lb{};
    lb.lbStyle = BS_SOLID;
    lb.lbColor = colorRef(color);
    return reinterpret_cast<Brush*>(CreateBrushIndirect(&lb));
}

void deleteBrush(Brush* brush) {
    if (brush) DeleteObject(hbrush(brush));
}

Font* createFont(const FontSpec& spec) {
    LOGFONTA lf{};
    lf.lfHeight = -spec.height;  // negative: character height, not cell height
    lf.lfWeight = spec.weight;
    lf.lfItalic = spec.italic ? TRUE : FALSE;
    lf.lfUnderline = spec.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_STRING_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = spec.pitchFamily == FontPitchFamily::variableSwiss
                              ? (VARIABLE_PITCH | FF_SWISS)
                              : (DEFAULT_PITCH | FF_DECORATIVE);
    if (spec.faceName) {
        std::strncpy(lf.lfFaceName, spec.faceName, LF_FACESIZE - 1);
        lf.lfFaceName[LF_FACESIZE - 1] = 0;
    }
    return reinterpret_cast<Font*>(CreateFontIndirectA(&lf));
}

void deleteFont(Font* font) {
    if (font) DeleteObject(hfont(font));
}

Pen* currentPen(Surface* s) {
    return s ? reinterpret_cast<Pen*>(GetCurrentObject(dc(s), OBJ_PEN)) : nullptr;
}
Brush* currentBrush(Surface* s) {
    return s ? reinterpret_cast<Brush*>(GetCurrentObject(dc(s), OBJ_BRUSH)) : nullptr;
}
Font* currentFont(Surface* s) {
    return s ? reinterpret_cast<Font*>(GetCurrentObject(dc(s), OBJ_FONT)) : nullptr;
}

Pen* selectPen(Surface* s, Pen* pen) {
    if (!s || !pen) return nullptr;
    return reinterpret_cast<Pen*>(SelectObject(dc(s), hpen(pen)));
}
Brush* selectBrush(Surface* s, Brush* brush) {
    if (!s || !brush) return nullptr;
    return reinterpret_cast<Brush*>(SelectObject(dc(s), hbrush(brush)));
}
Font* selectFont(Surface* s, Font* font) {
    if (!s || !font) return nullptr;
    return reinterpret_cast<Font*>(SelectObject(dc(s), hfont(font)));
}

void setRasterMode(Surface* s, RasterMode mode) {
    if (!s) return;
    int rop = R2_COPYPEN;
    if (mode == RasterMode::merge) rop = R2_MERGEPEN;
    if (mode == RasterMode::notXor) rop = R2_NOTXORPEN;
    SetROP2(dc(s), rop);
}

void setTextBackgroundOpaque(Surface* s, bool opaque) {
    if (s) SetBkMode(dc(s), opaque ? OPAQUE : TRANSPARENT);
}

CRgbaColor setTextBackgroundColor(Surface* s, CRgbaColor color) {
    if (!s) return {0, 0, 0, 255};
    return fromColorRef(SetBkColor(dc(s), colorRef(color)));
}

CRgbaColor setTextColor(Surface* s, CRgbaColor color) {
    if (!s) return {0, 0, 0, 255};
    return fromColorRef(SetTextColor(dc(s), colorRef(color)));
}

void setClip(Surface* s, const CRectangle& rect) {
    if (!s) return;
    HRGN region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    if (!region) return;
    SelectClipRgn(dc(s), region);
    DeleteObject(region);
}

void moveTo(Surface* s, std::int32_t x, std::int32_t y) {
    if (s) MoveToEx(dc(s), x, y, nullptr);
}

void lineTo(Surface* s, std::int32_t x, std::int32_t y) {
    if (s) LineTo(dc(s), x, y);
}

void polyline(Surface* s, const CPosition* points, std::int32_t count) {
    if (!s || count < 2) return;
    const auto p = toPoints(points, count);
    Polyline(dc(s), p.data(), int(p.size()));
}

void fillRectangle(Surface* s, const CRectangle& rect, Brush* brush) {
    if (!s || !brush) return;
    const RECT r = toRect(rect);
    FillRect(dc(s), &r, hbrush(brush));
}

void fillPolygon(Surface* s, const CPosition* points, std::int32_t count) {
    if (!s || count < 3) return;
    const auto p = toPoints(points, count);
    withoutOutline(dc(s), [&] { Polygon(dc(s), p.data(), int(p.size())); });
}

void fillEllipse(Surface* s, const CRectangle& r) {
    if (!s) return;
    withoutOutline(dc(s), [&] { Ellipse(dc(s), r.left, r.top, r.right, r.bottom); });
}

void arc(Surface* s, const CRectangle& r, const CPosition& start, const CPosition& end) {
    if (s) Arc(dc(s), r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
}

void fillPie(Surface* s, const CRectangle& r, const CPosition& start, const CPosition& end) {
    if (!s) return;
    withoutOutline(dc(s), [&] {
        Pie(dc(s), r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
    });
}

void setPixel(Surface* s, std::int32_t x, std::int32_t y, CRgbaColor color) {
    if (s) SetPixel(dc(s), x, y, colorRef(color));
}

CRgbaColor getPixel(Surface* s, std::int32_t x, std::int32_t y) {
    if (!s) return {0, 0, 0, 255};
    const COLORREF c = GetPixel(dc(s), x, y);
    return c == CLR_INVALID ? CRgbaColor{0, 0, 0, 255} : fromColorRef(c);
}

void floodFill(Surface* s, std::int32_t x, std::int32_t y) {
    if (!s) return;
    const COLORREF c = GetPixel(dc(s), x, y);
    if (c != CLR_INVALID) ExtFloodFill(dc(s), x, y, c, FLOODFILLSURFACE);
}

void drawText(Surface* s, const char* text, const CRectangle& rect, std::int32_t align) {
    if (!s || !text) return;
    RECT r = toRect(rect);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (align == kAlignCenter)
        format |= DT_CENTER;
    else if (align == kAlignRight)
        format |= DT_RIGHT;
    else
        format |= DT_LEFT;
    DrawTextA(dc(s), text, -1, &r, format);
}

std::int32_t textWidth(Surface* s, const char* text) {
    if (!s || !text) return 0;
    SIZE size{};
    if (!GetTextExtentPoint32A(dc(s), text, int(std::strlen(text)), &size)) return 0;
    return size.cx;
}

bool copyBits(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
              Surface* src, std::int32_t sx, std::int32_t sy, RasterOp op) {
    if (!dst || !src) return false;
    DWORD rop = SRCCOPY;
    if (op == RasterOp::invert) rop = SRCINVERT;
    if (op == RasterOp::mask) rop = SRCAND;
    return BitBlt(dc(dst), dx, dy, w, h, dc(src), sx, sy, rop) != FALSE;
}

Surface* createMemorySurface(Surface* reference) {
    return reinterpret_cast<Surface*>(CreateCompatibleDC(reference ? dc(reference) : nullptr));
}

void deleteMemorySurface(Surface* s) {
    if (s) DeleteDC(dc(s));
}

Image* selectImage(Surface* s, Image* image) {
    // A device context always has a bitmap selected; at first its 1 x 1 placeholder, which
    // SelectObject hands back for the caller to restore.
    if (!s || !image) return nullptr;
    return reinterpret_cast<Image*>(SelectObject(dc(s), hbitmap(image)));
}

}  // namespace QGUI::platform
