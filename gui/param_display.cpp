// The parameter display: value to text, then background, frame or bevel and one line of text.
#include "gui/param_display.h"

#include <cstdio>
#include <cstring>

#include "gui/bitmap.h"
#include "gui/constants.h"
#include "gui/draw_context.h"

namespace QGUI {

CParamDisplay::CParamDisplay(const CRectangle& size, CBitmap* background, std::int32_t style)
    : CControl(size, nullptr, 0, background),
      textAlign(kAlignCenter),
      style(style),
      fontId(kFontNormal),
      fontFace(kFaceNormal) {
  backgroundOffset = CPosition(0, 0);
  if (style & kStyleNoDraw) setDirty(false);
}

CParamDisplay::~CParamDisplay() = default;

void CParamDisplay::paint(CDrawContext* context) {
  char string[kTextBufferSize] = "";
  if (valueToTextWithData)
    valueToTextWithData(value, string, userData);
  else if (valueToText)
    valueToText(value, string);
  else
    std::snprintf(string, sizeof string, "%2.2f", static_cast<double>(value));
  // A callback that overran its limit must not make the drawing read past the buffer.
  string[kTextBufferSize - 1] = '\0';
  drawValueText(context, string);
}

void CParamDisplay::drawValueText(CDrawContext* context, const char* string) {
  setDirty(false);
  if (style & kStyleNoDraw) return;
  if (!context) return;

  if (background) {
    if (transparent)
      background->drawKeyed(context, bounds, backgroundOffset);
    else
      background->drawPlain(context, bounds, backgroundOffset);
  } else if (!transparent) {
    context->setBrushColor(backColor);
    context->fillRectangle(bounds);
    if (!(style & (kStyleNoFrame | kStyleBevelIn | kStyleBevelOut))) {
      context->setPenColor(frameColor);
      context->drawRectangle(bounds, kDrawOutline);
    }
  }

  if (style & (kStyleBevelIn | kStyleBevelOut)) {
    const CRectangle r(bounds.left, bounds.top + 1, bounds.right - 1, bounds.bottom - 1);
    const bool in = (style & kStyleBevelIn) != 0;
    context->setLineWidth(1);
    context->setPenColor(in ? backColor : frameColor);
    context->moveTo(CPosition(r.left, r.bottom));
    context->lineTo(CPosition(r.left, r.top));
    context->lineTo(CPosition(r.right, r.top));
    context->setPenColor(in ? frameColor : backColor);
    context->moveTo(CPosition(r.right, r.top));
    context->lineTo(CPosition(r.right, r.bottom));
    context->lineTo(CPosition(r.left, r.bottom));
  }

  if ((style & kStyleNoText) || !string) return;

  CRectangle oldClip;
  context->getClipRect(oldClip);
  CRectangle clip = bounds;
  clip.intersect(oldClip);
  context->setClipRect(clip);

  context->selectFont(fontId, 0, fontFace);
  const bool opaque = !textTransparent;
  if (style & kStyleShadowText) {
    CRectangle shadow = bounds;
    shadow.offset(1, 1);
    context->setTextColor(shadowColor);
    context->drawText(string, shadow, opaque, textAlign);
  }
  context->setTextColor(fontColor);
  context->drawText(string, bounds, opaque, textAlign);

  context->setClipRect(oldClip);
}

bool CParamDisplay::isKindOf(const char* className) const {
  if (!className) return false;
  return std::strcmp(className, "CParamDisplay") == 0 || CControl::isKindOf(className);
}

void CParamDisplay::setFontId(std::int32_t id) {
  if (fontId == id) return;
  fontId = id;
  setDirty(true);
}

void CParamDisplay::setFontColor(const CRgbaColor& color) {
  if (fontColor == color) return;
  fontColor = color;
  setDirty(true);
}

void CParamDisplay::setBackColor(const CRgbaColor& color) {
  if (backColor == color) return;
  backColor = color;
  setDirty(true);
}

void CParamDisplay::setFrameColor(const CRgbaColor& color) {
  if (frameColor == color) return;
  frameColor = color;
  setDirty(true);
}

void CParamDisplay::setShadowColor(const CRgbaColor& color) {
  if (shadowColor == color) return;
  shadowColor = color;
  setDirty(true);
}

void CParamDisplay::setTextAlign(std::int32_t align) {
  if (textAlign == align) return;
  textAlign = align;
  setDirty(true);
}

void CParamDisplay::setValueToText(ValueToTextProc proc) {
  valueToText = proc;
}

void CParamDisplay::setValueToTextWithData(ValueToTextWithDataProc proc, void* data) {
  valueToTextWithData = proc;
  userData = data;
}

void CParamDisplay::setTextToValue(TextToValueProc proc) {
  textToValue = proc;
}

void CParamDisplay::setStyle(std::int32_t val) {
  if (style == val) return;
  style = val;
  setDirty(true);
}

void CParamDisplay::setFontFace(std::int32_t face) {
  if (fontFace == face) return;
  fontFace = face;
  setDirty(true);
}

void CParamDisplay::setTextTransparent(bool val) {
  textTransparent = val;
}

}  // namespace QGUI
