// CDrawContext: the toolkit's drawing operations on a platform surface, with the offset of the
// drawing space added to every coordinate and every setter skipping unchanged values.
#include "gui/draw_context.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "gui/frame.h"
#include "gui/platform/draw_surface.h"
#include "gui/platform/input.h"
#include "gui/platform/window.h"

namespace QGUI {

namespace {

constexpr CRectangle kClipWithoutFrame(0, 0, 1000, 1000);

CRectangle frameBoundsOr1000(CFrame* frame) {
    if (!frame) return kClipWithoutFrame;
    CRectangle bounds;
    frame->getBounds(bounds);
    return bounds;
}

std::vector<CPosition> shifted(const CPosition* points, std::int32_t count,
                               const CPosition& by) {
    std::vector<CPosition> out;
    if (!points || count <= 0) return out;
    out.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) out.push_back(points[i] + by);
    return out;
}

}  // namespace

CDrawContext::CDrawContext(CFrame* frameArg, NoSurfaceYet) : frame(frameArg) {
    clipRect = frameBoundsOr1000(frame);
}

CDrawContext::CDrawContext(CFrame* frameArg, platform::Surface* surface,
                           platform::Window* windowArg)
    : CDrawContext(frameArg, NoSurfaceYet{}) {
    window = windowArg;
    systemContext = surface;
    if (!systemContext && window) {
        systemContext = platform::acquireWindowSurface(window);
        ownedDeviceContext = systemContext;
    }
    if (window) {
        platform::WindowRect r;
        if (platform::windowScreenRect(platform::nativeWindow(window), r))
            screenOffset = CPosition(r.left, r.top);
    }
    setUpSurface();
}

void CDrawContext::setUpSurface() {
    if (systemContext) {
        previousBrush = platform::currentBrush(systemContext);
        previousPen = platform::currentPen(systemContext);
        previousFont = platform::currentFont(systemContext);
        platform::setTextBackgroundOpaque(systemContext, false);
    }
    setPenColor(kWhiteColor);
    setLineStyle(kLineStyleSolid);
    setLineWidth(1);
    setBrushColor(kBlackColor);
    setTextColor(kWhiteColor);
    selectFont(kFontSystem, 0, kFaceNormal);
    setDrawMode(kDrawModeCopy);
}

CDrawContext::~CDrawContext() {
    restoreSurface();
    if (ownedDeviceContext) {
        platform::releaseWindowSurface(window, ownedDeviceContext);
        ownedDeviceContext = nullptr;
    }
}

void CDrawContext::restoreSurface() {
    if (systemContext) {
        if (previousBrush) platform::selectBrush(systemContext, previousBrush);
        if (previousPen) platform::selectPen(systemContext, previousPen);
        if (previousFont) platform::selectFont(systemContext, previousFont);
    }
    previousBrush = nullptr;
    previousPen = nullptr;
    previousFont = nullptr;
    platform::deleteBrush(brush);
    platform::deletePen(pen);
    platform::deleteFont(font);
    brush = nullptr;
    pen = nullptr;
    font = nullptr;
}

void CDrawContext::moveTo(const CPosition& point) {
    const CPosition p = point + offset;
    platform::moveTo(systemContext, p.x, p.y);
}

void CDrawContext::lineTo(const CPosition& point) {
    const CPosition p = point + offset;
    platform::lineTo(systemContext, p.x, p.y);
}

void CDrawContext::drawLineSegments(const CPosition* points, std::int32_t count) {
    if (!points) return;
    for (std::int32_t i = 0; i < count; ++i) {
        moveTo(points[2 * i]);
        lineTo(points[2 * i + 1]);
    }
}

void CDrawContext::drawPolyline(const CPosition* points, std::int32_t count) {
    const auto p = shifted(points, count, offset);
    platform::polyline(systemContext, p.data(), std::int32_t(p.size()));
}

void CDrawContext::drawPolygon(const CPosition* points, std::int32_t count,
                               std::int32_t fillStyle) {
    const auto p = shifted(points, count, offset);
    const auto n = std::int32_t(p.size());
    if (fillStyle == kDrawFill || fillStyle == kDrawFillAndOutline)
        platform::fillPolygon(systemContext, p.data(), n);
    if (fillStyle == kDrawOutline || fillStyle == kDrawFillAndOutline)
        platform::polyline(systemContext, p.data(), n);
}

void CDrawContext::drawRectangle(const CRectangle& rect, std::int32_t fillStyle) {
    CRectangle r = rect;
    r.offset(offset);
    if (fillStyle == kDrawFill || fillStyle == kDrawFillAndOutline)
        platform::fillRectangle(systemContext, r, brush);
    if (fillStyle == kDrawOutline || fillStyle == kDrawFillAndOutline) {
        const CPosition corners[5] = {{r.left, r.top},
                                      {r.right - 1, r.top},
                                      {r.right - 1, r.bottom - 1},
                                      {r.left, r.bottom - 1},
                                      {r.left, r.top}};
        platform::polyline(systemContext, corners, 5);
    }
}

void CDrawContext::fillRectangle(const CRectangle& rect) {
    CRectangle r = rect;
    r.offset(offset);
    r.left += 1;
    r.top += 1;
    platform::fillRectangle(systemContext, r, brush);
}

void CDrawContext::fillEllipse(const CRectangle& rect) {
    CRectangle r = rect;
    r.offset(offset.x + 1, offset.y + 1);
    platform::fillEllipse(systemContext, r);
}

void CDrawContext::drawArc(const CRectangle& rect, float startAngle, float endAngle,
                           std::int32_t fillStyle) {
    // Points on the two rays, far enough out for the direction to be exact in whole pixels.
    const double cx = (rect.left + rect.right) / 2.0;
    const double cy = (rect.top + rect.bottom) / 2.0;
    const double reach = 1000.0 + std::abs(rect.width()) + std::abs(rect.height());
    const double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    auto ray = [&](float angle) {
        const double a = angle * kRadiansPerDegree;
        return CPosition(std::int32_t(std::lround(cx + std::cos(a) * reach)),
                         std::int32_t(std::lround(cy - std::sin(a) * reach)));
    };
    drawArc(rect, ray(startAngle), ray(endAngle), fillStyle);
}

void CDrawContext::drawArc(const CRectangle& rect, const CPosition& start, const CPosition& end,
                           std::int32_t fillStyle) {
    CRectangle r = rect;
    r.offset(offset);
    const CPosition s = start + offset;
    const CPosition e = end + offset;
    if (fillStyle == kDrawFill || fillStyle == kDrawFillAndOutline)
        platform::fillPie(systemContext, r, s, e);
    if (fillStyle == kDrawOutline || fillStyle == kDrawFillAndOutline)
        platform::arc(systemContext, r, s, e);
}

void CDrawContext::fillArc(const CRectangle& rect, const CPosition& start,
                           const CPosition& end) {
    drawArc(rect, start, end, kDrawFill);
}

void CDrawContext::drawPixel(const CPosition& point, const CRgbaColor& color) {
    const CPosition p = point + offset;
    platform::setPixel(systemContext, p.x, p.y, color);
}

CRgbaColor CDrawContext::readPixel(const CPosition& point) {
    const CPosition p = point + offset;
    CRgbaColor c = platform::getPixel(systemContext, p.x, p.y);
    c.alpha = 255;
    return c;
}

void CDrawContext::floodFill(const CPosition& point) {
    const CPosition p = point + offset;
    platform::floodFill(systemContext, p.x, p.y);
}

void CDrawContext::replacePen() {
    platform::Pen* created = platform::createPen(platform::PenStyle(penStyle), lineWidth, penColor);
    if (!created) return;
    platform::selectPen(systemContext, created);
    platform::deletePen(pen);
    pen = created;
}

void CDrawContext::setPenColor(const CRgbaColor& color) {
    if (color == penColor) return;
    penColor = color;
    replacePen();
}

void CDrawContext::setLineWidth(std::int32_t width) {
    if (width == lineWidth) return;
    lineWidth = width;
    replacePen();
}

void CDrawContext::setLineStyle(std::int32_t style) {
    if (style == lineStyle) return;
    lineStyle = style;
    penStyle = std::int32_t(style == kLineStyleDotted ? platform::PenStyle::dotted
                                                      : platform::PenStyle::solid);
    replacePen();
}

void CDrawContext::setBrushColor(const CRgbaColor& color) {
    if (color == brushColor) return;
    brushColor = color;
    platform::setTextBackgroundColor(systemContext, color);
    platform::Brush* created = platform::createSolidBrush(color);
    if (!created) return;
    platform::selectBrush(systemContext, created);
    platform::deleteBrush(brush);
    brush = created;
}

void CDrawContext::setTextColor(const CRgbaColor& color) {
    textColor = color;
    platform::setTextColor(systemContext, color);
}

void CDrawContext::setDrawMode(std::int32_t mode) {
    if (mode == drawMode) return;
    drawMode = mode;
    platform::RasterMode raster = platform::RasterMode::copy;
    if (mode == kDrawModeOr)
        raster = platform::RasterMode::merge;
    else if (mode == kDrawModeXor)
        raster = platform::RasterMode::notXor;
    platform::setRasterMode(systemContext, raster);
}

void CDrawContext::setClipRect(const CRectangle& rect) {
    CRectangle r = rect;
    r.offset(offset);
    if (r == clipRect) return;
    clipRect = r;
    platform::setClip(systemContext, r);
}

void CDrawContext::getClipRect(CRectangle& rect) const {
    rect = clipRect;
    rect.offset(-offset.x, -offset.y);
}

void CDrawContext::resetClipRect() {
    clipRect = frameBoundsOr1000(frame);
    platform::setClip(systemContext, clipRect);
}

void CDrawContext::selectFont(std::int32_t fontId, std::int32_t size, std::int32_t face) {
    // Ids outside the table (negative ones too, which would index before it) mean the system
    // font.
    if (fontId < 0 || fontId >= kNumFonts) fontId = kFontSystem;
    const FontTableEntry& entry = kFontTable[fontId];
    const std::int32_t wantedSize = size == 0 ? entry.size : size;
    if (fontId == currentFontId && wantedSize == currentFontSize && face == currentFontFace)
        return;
    currentFontId = fontId;
    currentFontFace = face;
    currentFontSize = wantedSize;

    platform::FontSpec spec;
    spec.faceName = entry.faceName;
    spec.height = wantedSize;
    spec.weight = (face & kFaceBold) || fontId == kFontSystem ? 700 : 400;
    spec.italic = (face & kFaceItalic) != 0;
    spec.underline = (face & kFaceUnderline) != 0;
    spec.pitchFamily = entry.pitchFamily;
    platform::Font* created = platform::createFont(spec);
    if (!created) return;
    platform::selectFont(systemContext, created);
    platform::deleteFont(font);
    font = created;
}

void CDrawContext::drawText(const char* text, const CRectangle& rect, bool opaque,
                            std::int32_t align) {
    if (!text) return;
    CRectangle r = rect;
    r.offset(offset);
    platform::setTextBackgroundOpaque(systemContext, opaque);
    if (align != kAlignCenter && align != kAlignRight) {
        align = kAlignLeft;
        r.left += 1;
    }
    platform::drawText(systemContext, text, r, align);
    platform::setTextBackgroundOpaque(systemContext, false);
}

std::int32_t CDrawContext::measureText(const char* text) {
    return text ? platform::textWidth(systemContext, text) : 0;
}

std::int32_t CDrawContext::queryMouseButtons() {
    const std::uint32_t state = platform::asyncInputState();
    std::int32_t buttons = 0;
    if (state & platform::physicalLeftButton)
        buttons |= mouseButtonsSwapped ? kButtonRight : kButtonLeft;
    if (state & platform::middleButton) buttons |= kButtonMiddle;
    if (state & platform::physicalRightButton)
        buttons |= mouseButtonsSwapped ? kButtonLeft : kButtonRight;
    if (state & platform::shiftKey) buttons |= kModifierShift;
    if (state & platform::controlKey) buttons |= kModifierControl;
    if (state & platform::altKey) buttons |= kModifierAlt;
    return buttons;
}

void CDrawContext::queryMousePosition(CPosition& where) {
    std::int32_t x = 0, y = 0;
    platform::cursorPosition(x, y);
    where = CPosition(x, y) - screenOffset;
}

namespace {

constexpr std::int32_t kStillRadius = 2;
constexpr std::uint32_t kPollMilliseconds = 10;

bool movedAway(const CPosition& from, const CPosition& to) {
    return std::abs(to.x - from.x) > kStillRadius || std::abs(to.y - from.y) > kStillRadius;
}

}  // namespace

bool CDrawContext::awaitDoubleClick() {
    CPosition start;
    queryMousePosition(start);
    const std::uint32_t began = platform::tickCount();
    const std::uint32_t limit = platform::doubleClickTime();
    bool released = false;
    while (platform::tickCount() - began < limit) {
        CPosition now;
        queryMousePosition(now);
        if (movedAway(start, now)) return false;
        const bool left = (queryMouseButtons() & kButtonLeft) != 0;
        if (!left)
            released = true;
        else if (released)
            return true;
        platform::sleepMilliseconds(kPollMilliseconds);
    }
    return false;
}

bool CDrawContext::awaitDrag() {
    CPosition start;
    queryMousePosition(start);
    for (;;) {
        if (!(queryMouseButtons() & kButtonLeft)) return false;
        CPosition now;
        queryMousePosition(now);
        if (movedAway(start, now)) return true;
        platform::sleepMilliseconds(kPollMilliseconds);
    }
}

}  // namespace QGUI
