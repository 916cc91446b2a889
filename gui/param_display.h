// CParamDisplay: a control that shows its value as one line of text, turned into a string by a
// value-to-text callback of its owner (or "%2.2f"), drawn in a font, colour and alignment over
// an optional background bitmap, filled background, frame or bevel. It ignores the mouse.
#pragma once

#include <cstdint>

#include "gui/control.h"
#include "gui/rgba_color.h"

namespace QGUI {

// Text buffers handed to the callbacks are this large and empty on entry; a callback writes at
// most kTextBufferSize - 1 characters and the terminator.
inline constexpr std::int32_t kTextBufferSize = 256;

using ValueToTextProc = void (*)(float value, char* text);
using ValueToTextWithDataProc = void (*)(float value, char* text, void* userData);
// Stored for clients; nothing in the toolkit calls it. Answers whether the text was a value.
using TextToValueProc = bool (*)(const char* text, float& value, void* userData);

// Style bits (other bits have no effect on displays and text fields).
enum : std::int32_t {
  kStyleShadowText = 0x4,      // the text is first drawn one pixel right and down in shadowColor
  kStyleBevelIn = 0x80,        // top/left edges in backColor, bottom/right in frameColor
  kStyleBevelOut = 0x100,      // the other way round; kStyleBevelIn wins when both are set
  kStyleNoText = 0x800,        // background and frame only
  kStyleNoDraw = 0x1000,       // nothing is drawn
  kStyleDoubleClick = 0x2000,  // a text field opens its entry only on a double click
  kStyleNoFrame = 0x4000,      // no outline around the filled background
};

class CParamDisplay : public CControl {
 public:
  // background may be null; retained when given. style: kStyle... bits.
  CParamDisplay(const CRectangle& size, CBitmap* background = nullptr, std::int32_t style = 0);
  ~CParamDisplay() override;

  void paint(CDrawContext* context) override;
  bool isKindOf(const char* className) const override;

  // The setters of drawn attributes mark the display dirty when the value changes.
  virtual void setFontId(std::int32_t fontId);
  virtual void setFontColor(const CRgbaColor& color);
  virtual void setBackColor(const CRgbaColor& color);
  virtual void setFrameColor(const CRgbaColor& color);
  virtual void setShadowColor(const CRgbaColor& color);
  // kAlignLeft, kAlignCenter or kAlignRight.
  virtual void setTextAlign(std::int32_t align);
  virtual void setValueToText(ValueToTextProc proc);
  // Takes precedence over the plain callback; userData is handed to it (and to the other
  // callbacks that take user data).
  virtual void setValueToTextWithData(ValueToTextWithDataProc proc, void* data);
  virtual void setTextToValue(TextToValueProc proc);
  virtual void setStyle(std::int32_t val);
  // kFace... bits.
  virtual void setFontFace(std::int32_t face);
  virtual void setTextTransparent(bool val);

  std::int32_t getFontId() const { return fontId; }
  CRgbaColor getFontColor() const { return fontColor; }
  CRgbaColor getBackColor() const { return backColor; }
  CRgbaColor getFrameColor() const { return frameColor; }
  CRgbaColor getShadowColor() const { return shadowColor; }
  std::int32_t getTextAlign() const { return textAlign; }
  std::int32_t getStyle() const { return style; }
  std::int32_t getFontFace() const { return fontFace; }
  bool getTextTransparent() const { return textTransparent; }
  TextToValueProc getTextToValue() const { return textToValue; }
  void* getUserData() const { return userData; }

  // The drawing shared by displays and text fields: background, frame or bevel, then the
  // string (null: none) clipped to the bounds. Clears the dirty state first.
  void drawValueText(CDrawContext* context, const char* string);

 protected:
  ValueToTextProc valueToText = nullptr;
  ValueToTextWithDataProc valueToTextWithData = nullptr;
  TextToValueProc textToValue = nullptr;
  void* userData = nullptr;
  std::int32_t textAlign;
  std::int32_t style;
  std::int32_t fontId;
  std::int32_t fontFace;
  CRgbaColor fontColor{255, 255, 255, 255};
  CRgbaColor backColor{0, 0, 0, 255};
  CRgbaColor frameColor{0, 0, 0, 255};
  CRgbaColor shadowColor{255, 0, 0, 255};
  bool textTransparent = true;
};

}  // namespace QGUI
