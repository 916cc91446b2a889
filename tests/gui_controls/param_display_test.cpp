// Parameter displays: which callback makes the text, the drawn background, frame, bevel and
// shadow, the clipping of the text, and setters that only repaint on a change.
#include "gui/param_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/constants.h"
#include "gui/offscreen_context.h"
#include "pixels.h"
#include "test_support.h"

namespace qtest {
namespace {

namespace hl = QGUI::platform::headless;
using QGUI::CPosition;
using QGUI::CRectangle;
using QGUI::CRgbaColor;

constexpr CRgbaColor kPaper{255, 255, 255, 255};  // what the context starts with
constexpr CRgbaColor kBack{0, 0, 200, 255};
constexpr CRgbaColor kFrame{200, 0, 0, 255};

std::vector<std::string>& calls() {
  static std::vector<std::string> c;
  return c;
}

void plainText(float value, char* text) {
  calls().push_back("plain");
  std::snprintf(text, 256, "p%.1f", static_cast<double>(value));
}

void dataText(float value, char* text, void* data) {
  calls().push_back(std::string("data ") + static_cast<const char*>(data));
  std::snprintf(text, 256, "d%.1f", static_cast<double>(value));
}

class ParamDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hl::reset();
    calls().clear();
    context = new QGUI::COffscreenContext(nullptr, kWidth, kHeight, kPaper);
  }
  void TearDown() override {
    if (HasFailure())
      ADD_FAILURE() << "picture: " << savePicture(context, kWidth, kHeight, "failed");
    context->release();
  }
  CRgbaColor at(std::int32_t x, std::int32_t y) { return context->readPixel(CPosition(x, y)); }

  static constexpr std::int32_t kWidth = 200;
  static constexpr std::int32_t kHeight = 40;
  QGUI::COffscreenContext* context = nullptr;
};

TEST_F(ParamDisplayTest, TheCallbackWithDataWinsOverThePlainOne) {
  char tag[] = "line";
  QGUI::CParamDisplay display(CRectangle(0, 0, 100, 20));
  display.setValueToText(&plainText);
  display.paint(context);
  display.setValueToTextWithData(&dataText, tag);
  display.paint(context);
  EXPECT_EQ(calls(), (std::vector<std::string>{"plain", "data line"}));
}

TEST_F(ParamDisplayTest, WithoutCallbacksTheValueShowsWithTwoDecimals) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {{0.5f, "0.50"}, {12.345f, "12.35"}, {-3.0f, "-3.00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    // The display's own paint and a display told to draw the expected text directly must
    // give the same picture.
    auto* other = new QGUI::COffscreenContext(nullptr, kWidth, kHeight, kPaper);
    QGUI::CParamDisplay byValue(CRectangle(10, 10, 110, 30));
    QGUI::CParamDisplay byText(CRectangle(10, 10, 110, 30));
    for (QGUI::CParamDisplay* d : {&byValue, &byText}) {
      d->setFontColor(QGUI::kBlackColor);
      d->setTransparent(true);
    }
    byValue.setValue(c.value);
    byValue.paint(context);
    byText.drawValueText(other, c.text);
    std::int32_t differing = 0;
    for (std::int32_t y = 0; y < kHeight; ++y)
      for (std::int32_t x = 0; x < kWidth; ++x)
        differing += differsFrom(at(x, y), other->readPixel(CPosition(x, y)), 0) ? 1 : 0;
    EXPECT_EQ(differing, 0);
    EXPECT_FALSE(boundingBox(context, CRectangle(0, 0, kWidth, kHeight),
                             [](const CRgbaColor& px) { return differsFrom(px, kPaper); })
                     .isEmpty())
        << "some text must have been drawn";
    other->release();
    context->setBrushColor(kPaper);
    context->drawRectangle(CRectangle(0, 0, kWidth, kHeight), QGUI::kDrawFill);
  }
}

TEST_F(ParamDisplayTest, BackgroundFrameAndBevel) {
  struct Case {
    const char* name;
    bool transparent;
    std::int32_t style;
    // left edge, top edge, right edge, bottom edge, inside
    CRgbaColor left, top, right, bottom, inside;
  };
  using namespace QGUI;
  const Case cases[] = {
      {"transparent: nothing", true, kStyleNoText, kPaper, kPaper, kPaper, kPaper, kPaper},
      {"transparent with a bevel: only the bevel", true, kStyleNoText | kStyleBevelIn, kBack, kBack,
       kFrame, kFrame, kPaper},
      {"opaque: fill and frame", false, kStyleNoText, kFrame, kFrame, kFrame, kFrame, kBack},
      {"opaque without frame", false, kStyleNoText | kStyleNoFrame, kPaper, kPaper, kBack, kBack,
       kBack},
      {"bevel in", false, kStyleNoText | kStyleBevelIn, kBack, kBack, kFrame, kFrame, kBack},
      {"bevel out", false, kStyleNoText | kStyleBevelOut, kFrame, kFrame, kBack, kBack, kBack},
      {"bevel in wins over out", false, kStyleNoText | kStyleBevelIn | kStyleBevelOut, kBack, kBack,
       kFrame, kFrame, kBack},
      {"no draw: nothing at all", false, kStyleNoDraw | kStyleBevelIn, kPaper, kPaper, kPaper,
       kPaper, kPaper},
  };
  const CRectangle r(20, 5, 120, 35);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    context->setBrushColor(kPaper);
    context->drawRectangle(CRectangle(0, 0, kWidth, kHeight), kDrawFill);
    CParamDisplay display(r, nullptr, c.style);
    display.setBackColor(kBack);
    display.setFrameColor(kFrame);
    display.setTransparent(c.transparent);
    display.paint(context);
    const std::int32_t midX = (r.left + r.right) / 2;
    const std::int32_t midY = (r.top + r.bottom) / 2;
    // A bevel runs one pixel inside the top edge; a frame on the edge itself.
    const bool bevel = (c.style & (kStyleBevelIn | kStyleBevelOut)) && !(c.style & kStyleNoDraw);
    EXPECT_EQ(at(r.left, midY), c.left);
    EXPECT_EQ(at(midX, bevel ? r.top + 1 : r.top), c.top);
    EXPECT_EQ(at(r.right - 1, midY), c.right);
    EXPECT_EQ(at(midX, r.bottom - 1), c.bottom);
    EXPECT_EQ(at(midX, midY), c.inside);
    EXPECT_EQ(at(r.right, midY), kPaper) << "nothing right of the bounds";
    EXPECT_EQ(at(midX, r.bottom), kPaper) << "nothing below the bounds";
    EXPECT_FALSE(display.isDirty());
  }
}

TEST_F(ParamDisplayTest, ABackgroundBitmapReplacesFillAndFrame) {
  struct Case {
    bool transparent;
    bool keyed;
  };
  for (const Case c : {Case{false, false}, Case{true, true}}) {
    SCOPED_TRACE(c.transparent);
    auto* bitmap = new RecordingBitmap(752, 80);
    QGUI::CParamDisplay display(CRectangle(20, 5, 120, 35), bitmap, QGUI::kStyleNoText);
    bitmap->release();
    display.setTransparent(c.transparent);
    display.setBackColor(kBack);
    display.setBackgroundOffset(CPosition(300, 40));
    display.paint(context);
    ASSERT_EQ(bitmap->draws.size(), 1u);
    EXPECT_EQ(bitmap->draws[0].keyed, c.keyed);
    EXPECT_EQ(bitmap->draws[0].rect, CRectangle(20, 5, 120, 35));
    EXPECT_EQ(bitmap->draws[0].offset, CPosition(300, 40));
    EXPECT_EQ(at(70, 20), kPaper) << "no fill behind a bitmap";
  }
}

TEST_F(ParamDisplayTest, NoDrawStyleStartsClean) {
  QGUI::CParamDisplay hidden(CRectangle(0, 0, 10, 10), nullptr, QGUI::kStyleNoDraw);
  QGUI::CParamDisplay shown(CRectangle(0, 0, 10, 10), nullptr, 0);
  EXPECT_FALSE(hidden.isDirty());
  EXPECT_TRUE(shown.isDirty());
}

TEST_F(ParamDisplayTest, ShadowTextLiesOnePixelRightAndBelow) {
  const CRectangle r(10, 5, 190, 35);
  context->setBrushColor(QGUI::kBlackColor);
  context->drawRectangle(CRectangle(0, 0, kWidth, kHeight), QGUI::kDrawFill);
  QGUI::CParamDisplay display(r, nullptr, QGUI::kStyleShadowText);
  display.setTransparent(true);
  display.setFontColor(QGUI::kGreenColor);
  display.setShadowColor(QGUI::kRedColor);
  display.setValue(88.0f);
  display.paint(context);
  const CRectangle green = boundingBox(context, r, mostlyGreen);
  const CRectangle red = boundingBox(context, r, mostlyRed);
  ASSERT_FALSE(green.isEmpty());
  ASSERT_FALSE(red.isEmpty()) << "the shadow shows right of and below the text";
  EXPECT_EQ(red.right, green.right + 1);
  EXPECT_EQ(red.bottom, green.bottom + 1);
  EXPECT_GT(red.left, green.left - 1) << "no shadow to the left";
}

TEST_F(ParamDisplayTest, TextIsClippedToTheBoundsAndTheClipRestored) {
  struct Case {
    const char* name;
    CRectangle previousClip;
    std::int32_t rightmostAllowed;  // exclusive
  };
  const Case cases[] = {
      {"the bounds cut the text", CRectangle(0, 0, kWidth, kHeight), 60},
      {"a narrower clip cuts further", CRectangle(0, 0, 45, kHeight), 45},
  };
  const char* longText = "8888888888888888888888";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    context->setClipRect(CRectangle(0, 0, kWidth, kHeight));
    context->setBrushColor(kPaper);
    context->drawRectangle(CRectangle(0, 0, kWidth, kHeight), QGUI::kDrawFill);
    context->setClipRect(c.previousClip);
    QGUI::CParamDisplay display(CRectangle(20, 10, 60, 30));
    display.setTransparent(true);
    display.setFontColor(QGUI::kBlackColor);
    display.setTextAlign(QGUI::kAlignLeft);
    display.drawValueText(context, longText);
    CRectangle clip;
    context->getClipRect(clip);
    EXPECT_EQ(clip, c.previousClip);
    context->setClipRect(CRectangle(0, 0, kWidth, kHeight));
    const CRectangle ink =
        boundingBox(context, CRectangle(0, 0, kWidth, kHeight),
                    [](const CRgbaColor& px) { return differsFrom(px, kPaper); });
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left, 21) << "left-aligned text starts one pixel in";
    EXPECT_LE(ink.right, c.rightmostAllowed) << "nothing beyond the clip";
    EXPECT_GE(ink.right, c.rightmostAllowed - 4) << "the text runs on to the clip";
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 30);
  }
}

TEST_F(ParamDisplayTest, SettersRepaintOnlyOnAChange) {
  using Setter = std::function<void(QGUI::CParamDisplay&, bool change)>;
  struct Case {
    const char* name;
    Setter set;
  };
  const CRgbaColor other{1, 2, 3, 4};
  const Case cases[] = {
      {"font id", [](auto& d, bool ch) { d.setFontId(ch ? QGUI::kFontSmall : d.getFontId()); }},
      {"font colour (alpha only)",
       [](auto& d, bool ch) {
         CRgbaColor c = d.getFontColor();
         if (ch) c.alpha = 7;
         d.setFontColor(c);
       }},
      {"back colour", [&](auto& d, bool ch) { d.setBackColor(ch ? other : d.getBackColor()); }},
      {"frame colour", [&](auto& d, bool ch) { d.setFrameColor(ch ? other : d.getFrameColor()); }},
      {"shadow colour",
       [&](auto& d, bool ch) { d.setShadowColor(ch ? other : d.getShadowColor()); }},
      {"alignment",
       [](auto& d, bool ch) { d.setTextAlign(ch ? QGUI::kAlignRight : d.getTextAlign()); }},
      {"style", [](auto& d, bool ch) { d.setStyle(ch ? QGUI::kStyleBevelIn : d.getStyle()); }},
      {"font face",
       [](auto& d, bool ch) { d.setFontFace(ch ? QGUI::kFaceBold : d.getFontFace()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QGUI::CParamDisplay display(CRectangle(0, 0, 50, 20));
    display.paint(nullptr);
    c.set(display, false);
    EXPECT_FALSE(display.isDirty()) << "same value";
    c.set(display, true);
    EXPECT_TRUE(display.isDirty()) << "new value";
  }
  QGUI::CParamDisplay display(CRectangle(0, 0, 50, 20));
  display.paint(nullptr);
  display.setValueToText(&plainText);
  display.setTextTransparent(false);
  EXPECT_FALSE(display.isDirty()) << "callbacks and text transparency do not repaint";
}

TEST(ParamDisplayKind, AnswersForItsClasses) {
  hl::reset();
  QGUI::CParamDisplay display(CRectangle(0, 0, 10, 10));
  EXPECT_TRUE(display.isKindOf("CParamDisplay"));
  EXPECT_TRUE(display.isKindOf("CControl"));
  EXPECT_TRUE(display.isKindOf("CView"));
  EXPECT_FALSE(display.isKindOf("CTextEdit"));
}

}  // namespace
}  // namespace qtest
