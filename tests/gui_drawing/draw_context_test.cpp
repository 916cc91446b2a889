// The drawing context on the headless back end: value types, the pixel rules of rectangles and
// lines, offsets, clipping, raster modes, fonts, text, setters that only act on change, the
// mouse queries and the offscreen copies.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "drawing_test_support.h"
#include "gui/constants.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"
#include "gui/platform/draw_surface.h"
#include "gui/platform/input.h"

namespace {

using namespace QGUI;
using drawing_test::capture;
using drawing_test::Picture;
using drawing_test::picturesMatch;
namespace headless = QGUI::platform::headless;

constexpr CRgbaColor kPaper{20, 40, 60, 255};
constexpr CRgbaColor kInk{200, 150, 100, 255};

// ---- value types ----------------------------------------------------------------------------

TEST(Rectangle, IntersectCollapsesInsteadOfInverting) {
    struct Case {
        const char* name;
        CRectangle a, b, expected;
    } cases[] = {
        {"overlapping", {0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}},
        {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
        {"disjoint below right", {0, 0, 10, 10}, {20, 20, 30, 30}, {20, 20, 20, 20}},
        {"disjoint above left", {20, 20, 30, 30}, {0, 0, 10, 10}, {20, 20, 20, 20}},
        {"beside", {0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRectangle r = c.a;
        r.intersect(c.b);
        EXPECT_EQ(r, c.expected);
        EXPECT_GE(r.width(), 0);
        EXPECT_GE(r.height(), 0);
    }
}

TEST(Rectangle, ContainsExcludesRightAndBottomEdges) {
    const CRectangle r(10, 20, 30, 40);
    EXPECT_TRUE(r.contains({10, 20}));
    EXPECT_TRUE(r.contains({29, 39}));
    EXPECT_FALSE(r.contains({30, 25}));
    EXPECT_FALSE(r.contains({15, 40}));
    EXPECT_FALSE(r.contains({9, 25}));
    EXPECT_TRUE(CRectangle(5, 5, 5, 9).isEmpty());
    EXPECT_TRUE(CRectangle(5, 9, 8, 2).isEmpty());
    EXPECT_FALSE(CRectangle(5, 5, 6, 6).isEmpty());
    CRectangle moved = r;
    moved.offset(-10, 5);
    EXPECT_EQ(moved, CRectangle(0, 25, 20, 45));
}

// ---- a context on an offscreen surface ------------------------------------------------------

class DrawContextTest : public ::testing::Test {
protected:
    static constexpr std::int32_t kWidth = 40, kHeight = 30;

    void SetUp() override {
        headless::reset();
        headless::resetDrawingPlatform();
        context = new COffscreenContext(nullptr, kWidth, kHeight, kPaper);
    }
    void TearDown() override { context->release(); }

    platform::Surface* surface() const { return context->getSystemContext(); }
    Picture picture() const { return capture(surface(), kWidth, kHeight); }
    Picture paper() const { return Picture(kWidth, kHeight, kPaper); }
    std::string pictureName() const {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& ch : name)
            if (ch == '/') ch = '_';
        return name;
    }

    COffscreenContext* context = nullptr;
};

TEST_F(DrawContextTest, NewOffscreenSurfaceIsItsBackgroundEverywhere) {
    // White and black are also the initial pen and brush colours, which the surface must still
    // take over.
    const CRgbaColor backgrounds[] = {kBlackColor, kWhiteColor, {10, 200, 30, 255}};
    for (const CRgbaColor& background : backgrounds) {
        SCOPED_TRACE(int(background.green));
        COffscreenContext offscreen(nullptr, 752, 80, background);
        EXPECT_TRUE(picturesMatch(capture(offscreen.getSystemContext(), 752, 80),
                                  Picture(752, 80, background), 0, pictureName()));
        EXPECT_EQ(offscreen.clipRect, CRectangle(0, 0, 752, 80));
    }
}

TEST_F(DrawContextTest, RectangleFillAndOutlineShareTheRectangle) {
    struct Case {
        const char* name;
        std::function<void(CDrawContext&)> draw;
        CRectangle filled;              // brush colour
        std::vector<CRectangle> lines;  // pen colour, drawn after the fill
    } cases[] = {
        {"fillRectangle leaves top row and left column",
         [](CDrawContext& c) { c.fillRectangle({10, 10, 20, 20}); },
         {11, 11, 20, 20},
         {}},
        {"outline", [](CDrawContext& c) { c.drawRectangle({10, 10, 20, 20}, kDrawOutline); },
         {},
         {{10, 10, 20, 11}, {10, 19, 20, 20}, {10, 10, 11, 20}, {19, 10, 20, 20}}},
        {"fill style", [](CDrawContext& c) { c.drawRectangle({10, 10, 20, 20}, kDrawFill); },
         {10, 10, 20, 20},
         {}},
        {"fill and outline",
         [](CDrawContext& c) { c.drawRectangle({10, 10, 20, 20}, kDrawFillAndOutline); },
         {10, 10, 20, 20},
         {{10, 10, 20, 11}, {10, 19, 20, 20}, {10, 10, 11, 20}, {19, 10, 20, 20}}},
        {"fillRectangle then outline cover all",
         [](CDrawContext& c) {
             c.fillRectangle({10, 10, 20, 20});
             c.drawRectangle({10, 10, 20, 20}, kDrawOutline);
         },
         {11, 11, 20, 20},
         {{10, 10, 20, 11}, {10, 19, 20, 20}, {10, 10, 11, 20}, {19, 10, 20, 20}}},
        {"unknown style draws nothing",
         [](CDrawContext& c) { c.drawRectangle({10, 10, 20, 20}, 7); }, {}, {}},
    };
    const CRgbaColor brush{0, 0, 255, 255}, pen{255, 255, 0, 255};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COffscreenContext offscreen(nullptr, kWidth, kHeight, kPaper);
        offscreen.setBrushColor(brush);
        offscreen.setPenColor(pen);
        c.draw(offscreen);
        Picture expected = paper();
        expected.fill(c.filled, brush);
        for (const CRectangle& line : c.lines) expected.fill(line, pen);
        EXPECT_TRUE(picturesMatch(capture(offscreen.getSystemContext(), kWidth, kHeight),
                                  expected, 0, pictureName()));
    }
}

TEST_F(DrawContextTest, LinesLeaveOutTheirEndPixel) {
    struct Case {
        const char* name;
        CPosition from, to;
        std::vector<CPosition> pixels;
    } cases[] = {
        {"rightwards", {2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {"leftwards", {6, 5}, {2, 5}, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {"downwards", {3, 1}, {3, 4}, {{3, 1}, {3, 2}, {3, 3}}},
        {"diagonal", {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        {"up and left", {8, 8}, {5, 5}, {{8, 8}, {7, 7}, {6, 6}}},
        {"no length", {7, 7}, {7, 7}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COffscreenContext offscreen(nullptr, kWidth, kHeight, kPaper);
        offscreen.setPenColor(kInk);
        offscreen.moveTo(c.from);
        offscreen.lineTo(c.to);
        Picture expected = paper();
        for (const CPosition& p : c.pixels) expected.set(p.x, p.y, kInk);
        EXPECT_TRUE(picturesMatch(capture(offscreen.getSystemContext(), kWidth, kHeight),
                                  expected, 0, pictureName()));
    }
}

TEST_F(DrawContextTest, ConnectedLinesDrawEveryCornerOnce) {
    // With notXor a pixel drawn twice would come back to the paper colour.
    context->setPenColor(kInk);
    context->setDrawMode(kDrawModeXor);
    const CPosition square[] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 5}};
    context->drawPolyline(square, 5);
    const CRgbaColor once{std::uint8_t(~(kPaper.red ^ kInk.red)),
                          std::uint8_t(~(kPaper.green ^ kInk.green)),
                          std::uint8_t(~(kPaper.blue ^ kInk.blue)), 255};
    Picture expected = paper();
    for (const CRectangle& r : {CRectangle{5, 5, 16, 6}, CRectangle{5, 15, 16, 16},
                                CRectangle{5, 5, 6, 16}, CRectangle{15, 5, 16, 16}})
        expected.fill(r, once);
    EXPECT_TRUE(picturesMatch(picture(), expected, 0, pictureName()));
}

TEST_F(DrawContextTest, DottedAndWideLines) {
    context->setPenColor(kInk);
    context->setLineStyle(kLineStyleDotted);
    context->moveTo({0, 2});
    context->lineTo({10, 2});
    context->setLineStyle(kLineStyleSolid);
    context->setLineWidth(3);
    context->moveTo({2, 10});
    context->lineTo({12, 10});
    Picture expected = paper();
    for (std::int32_t x = 0; x < 10; x += 2) expected.set(x, 2, kInk);
    expected.fill({1, 9, 13, 12}, kInk);
    EXPECT_TRUE(picturesMatch(picture(), expected, 0, pictureName()));
}

TEST_F(DrawContextTest, OffsetMovesEveryOperation) {
    context->setOffset({7, 3});
    context->setBrushColor(kInk);
    context->drawRectangle({0, 0, 4, 4}, kDrawFill);
    context->setPenColor(kWhiteColor);
    context->moveTo({0, 10});
    context->lineTo({3, 10});
    context->drawPixel({20, 20}, {1, 2, 3, 255});
    Picture expected = paper();
    expected.fill({7, 3, 11, 7}, kInk);
    expected.fill({7, 13, 10, 14}, kWhiteColor);
    expected.set(27, 23, {1, 2, 3, 255});
    EXPECT_TRUE(picturesMatch(picture(), expected, 0, pictureName()));
    EXPECT_EQ(context->readPixel({20, 20}), (CRgbaColor{1, 2, 3, 255}));
}

TEST_F(DrawContextTest, ClipRectIsStoredWithTheOffsetAndLimitsDrawing) {
    context->setOffset({2, 1});
    context->setClipRect({5, 5, 15, 12});
    EXPECT_EQ(context->clipRect, CRectangle(7, 6, 17, 13));
    CRectangle own;
    context->getClipRect(own);
    EXPECT_EQ(own, CRectangle(5, 5, 15, 12));

    context->setBrushColor(kInk);
    context->drawRectangle({-10, -10, 100, 100}, kDrawFill);
    context->setPenColor(kWhiteColor);
    context->moveTo({-5, 8});
    context->lineTo({40, 8});
    Picture expected = paper();
    expected.fill({7, 6, 17, 13}, kInk);
    expected.fill({7, 9, 17, 10}, kWhiteColor);
    EXPECT_TRUE(picturesMatch(picture(), expected, 0, pictureName()));

    context->setOffset({0, 0});
    context->resetClipRect();
    EXPECT_EQ(context->clipRect, CRectangle(0, 0, 1000, 1000));
    context->drawRectangle({0, 0, 2, 2}, kDrawFill);
    EXPECT_EQ(context->readPixel({1, 1}), kInk);
}

TEST_F(DrawContextTest, DrawModesCombinePenAndPixels) {
    struct Case {
        const char* name;
        std::int32_t mode;
        CRgbaColor expected;
    } cases[] = {
        {"copy", kDrawModeCopy, kInk},
        {"or", kDrawModeOr,
         {std::uint8_t(kInk.red | kPaper.red), std::uint8_t(kInk.green | kPaper.green),
          std::uint8_t(kInk.blue | kPaper.blue), 255}},
        {"xor is the inverse of pen xor pixel", kDrawModeXor,
         {std::uint8_t(~(kInk.red ^ kPaper.red)), std::uint8_t(~(kInk.green ^ kPaper.green)),
          std::uint8_t(~(kInk.blue ^ kPaper.blue)), 255}},
        {"other values copy", 9, kInk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COffscreenContext offscreen(nullptr, kWidth, kHeight, kPaper);
        offscreen.setDrawMode(c.mode);
        offscreen.setPenColor(kInk);
        offscreen.setBrushColor(kInk);
        offscreen.moveTo({0, 1});
        offscreen.lineTo({10, 1});
        const CPosition triangle[] = {{0, 10}, {10, 10}, {0, 20}};
        offscreen.drawPolygon(triangle, 3, kDrawFill);
        EXPECT_EQ(offscreen.readPixel({5, 1}), c.expected);
        EXPECT_EQ(offscreen.readPixel({2, 12}), c.expected);
        // Rectangle fills are block fills, which the mode does not change.
        offscreen.drawRectangle({20, 20, 25, 25}, kDrawFill);
        EXPECT_EQ(offscreen.readPixel({22, 22}), kInk);
    }
}

TEST_F(DrawContextTest, ShapesFillTheirArea) {
    context->setBrushColor(kInk);
    context->setPenColor(kWhiteColor);
    // The pie of the first quadrant: up and to the right of the centre (20, 15).
    context->drawArc({10, 5, 30, 25}, 0.0f, 90.0f, kDrawFill);
    EXPECT_EQ(context->readPixel({25, 10}), kInk);
    EXPECT_EQ(context->readPixel({15, 10}), kPaper);
    EXPECT_EQ(context->readPixel({25, 20}), kPaper);
    EXPECT_EQ(context->readPixel({15, 20}), kPaper);

    COffscreenContext ellipse(nullptr, kWidth, kHeight, kPaper);
    ellipse.setBrushColor(kInk);
    ellipse.fillEllipse({0, 0, 20, 20});  // drawn in (1, 1, 21, 21)
    EXPECT_EQ(ellipse.readPixel({11, 11}), kInk);
    EXPECT_EQ(ellipse.readPixel({1, 1}), kPaper);
    EXPECT_EQ(ellipse.readPixel({20, 11}), kInk);
    EXPECT_EQ(ellipse.readPixel({21, 11}), kPaper);

    // A flood fill stays inside an outline.
    COffscreenContext flood(nullptr, kWidth, kHeight, kPaper);
    flood.setPenColor(kWhiteColor);
    flood.drawRectangle({5, 5, 15, 15}, kDrawOutline);
    flood.setBrushColor(kInk);
    flood.floodFill({8, 8});
    Picture expected = paper();
    expected.fill({5, 5, 15, 15}, kWhiteColor);
    expected.fill({6, 6, 14, 14}, kInk);
    EXPECT_TRUE(picturesMatch(capture(flood.getSystemContext(), kWidth, kHeight), expected, 0,
                              pictureName()));
}

// ---- setters --------------------------------------------------------------------------------

TEST_F(DrawContextTest, SettersMakePlatformObjectsOnlyOnChange) {
    struct Case {
        const char* name;
        std::function<void(CDrawContext&)> act;
        std::int64_t pens, brushes, fonts;
    } cases[] = {
        // An offscreen context takes its background colour for pen and brush.
        {"same pen colour", [](CDrawContext& c) { c.setPenColor(kBlackColor); }, 0, 0, 0},
        {"new pen colour", [](CDrawContext& c) { c.setPenColor(kInk); }, 1, 0, 0},
        {"same width", [](CDrawContext& c) { c.setLineWidth(1); }, 0, 0, 0},
        {"new width", [](CDrawContext& c) { c.setLineWidth(2); }, 1, 0, 0},
        {"same style", [](CDrawContext& c) { c.setLineStyle(kLineStyleSolid); }, 0, 0, 0},
        {"new style", [](CDrawContext& c) { c.setLineStyle(kLineStyleDotted); }, 1, 0, 0},
        {"same brush colour", [](CDrawContext& c) { c.setBrushColor(kBlackColor); }, 0, 0, 0},
        {"brush alpha counts", [](CDrawContext& c) { c.setBrushColor({0, 0, 0, 0}); }, 0, 1, 0},
        {"same font", [](CDrawContext& c) { c.selectFont(kFontSystem, 0, kFaceNormal); }, 0, 0, 0},
        {"same font by size",
         [](CDrawContext& c) { c.selectFont(kFontSystem, 12, kFaceNormal); }, 0, 0, 0},
        {"out-of-range id is the system font",
         [](CDrawContext& c) { c.selectFont(42, 0, kFaceNormal); }, 0, 0, 0},
        {"new font id", [](CDrawContext& c) { c.selectFont(kFontSmall); }, 0, 0, 1},
        {"new face", [](CDrawContext& c) { c.selectFont(kFontSystem, 0, kFaceItalic); }, 0, 0, 1},
        {"new size", [](CDrawContext& c) { c.selectFont(kFontSystem, 20); }, 0, 0, 1},
        {"same twice", [](CDrawContext& c) {
             c.setPenColor(kInk);
             c.setPenColor(kInk);
         }, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = headless::objectCounts();
        {
            COffscreenContext offscreen(nullptr, 4, 4, kBlackColor);
            const auto built = headless::objectCounts();
            // Exactly one pen, brush and font per context.
            EXPECT_EQ(built.pensAlive - before.pensAlive, 1);
            EXPECT_EQ(built.brushesAlive - before.brushesAlive, 1);
            EXPECT_EQ(built.fontsAlive - before.fontsAlive, 1);
            c.act(offscreen);
            const auto after = headless::objectCounts();
            EXPECT_EQ(after.pensCreated - built.pensCreated, c.pens);
            EXPECT_EQ(after.brushesCreated - built.brushesCreated, c.brushes);
            EXPECT_EQ(after.fontsCreated - built.fontsCreated, c.fonts);
            EXPECT_EQ(after.pensAlive, built.pensAlive);
            EXPECT_EQ(after.brushesAlive, built.brushesAlive);
            EXPECT_EQ(after.fontsAlive, built.fontsAlive);
        }
        const auto gone = headless::objectCounts();
        EXPECT_EQ(gone.pensAlive, before.pensAlive);
        EXPECT_EQ(gone.brushesAlive, before.brushesAlive);
        EXPECT_EQ(gone.fontsAlive, before.fontsAlive);
        EXPECT_EQ(gone.imagesAlive, before.imagesAlive);
        EXPECT_EQ(gone.surfacesAlive, before.surfacesAlive);
    }
}

TEST_F(DrawContextTest, SettersKeepTheirValues) {
    context->setPenColor(kInk);
    context->setBrushColor(kRedColor);
    context->setTextColor(kGreenColor);
    context->setLineWidth(3);
    context->setDrawMode(kDrawModeOr);
    EXPECT_EQ(context->getPenColor(), kInk);
    EXPECT_EQ(context->getBrushColor(), kRedColor);
    EXPECT_EQ(context->getTextColor(), kGreenColor);
    EXPECT_EQ(context->getLineWidth(), 3);
    EXPECT_EQ(context->getDrawMode(), kDrawModeOr);
}

// ---- fonts and text -----------------------------------------------------------------------

TEST_F(DrawContextTest, FontSelectionFollowsTheTable) {
    struct Case {
        const char* name;
        std::int32_t id, size, face;
        std::int32_t expectedId, height, weight;
        bool italic, underline;
        const char* faceName;
    } cases[] = {
        {"system font is bold", kFontSystem, 0, kFaceNormal, 0, 12, 700, false, false, "Arial"},
        {"id above 7 is the system font, bold italic", 9, 0, kFaceItalic, 0, 12, 700, true, false,
         "Arial"},
        {"negative id is the system font", -3, 0, kFaceNormal, 0, 12, 700, false, false, "Arial"},
        {"very large", kFontVeryLarge, 0, kFaceNormal, 1, 18, 400, false, false, "Arial"},
        {"large", kFontLarge, 0, kFaceNormal, 2, 14, 400, false, false, "Arial"},
        {"normal", kFontNormal, 0, kFaceNormal, 3, 12, 400, false, false, "Arial"},
        {"small bold", kFontSmall, 0, kFaceBold, 4, 11, 700, false, false, "Arial"},
        {"smaller underlined", kFontSmaller, 0, kFaceUnderline, 5, 10, 400, false, true, "Arial"},
        {"very small at a size of its own", kFontVerySmall, 15, kFaceNormal, 6, 15, 400, false,
         false, "Arial"},
        {"symbol", kFontSymbol, 0, kFaceNormal, 7, 13, 400, false, false, "Symbol"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COffscreenContext offscreen(nullptr, 4, 4, kBlackColor);
        if (c.expectedId == kFontSystem && c.face == kFaceNormal)
            offscreen.selectFont(kFontNormal);  // so that the system font is made again
        offscreen.selectFont(c.id, c.size, c.face);
        EXPECT_EQ(offscreen.getFont(), c.expectedId);
        EXPECT_EQ(offscreen.getFontSize(), c.height);
        const platform::FontSpec* spec =
            headless::fontSpec(platform::currentFont(offscreen.getSystemContext()));
        ASSERT_NE(spec, nullptr);
        EXPECT_STREQ(spec->faceName, c.faceName);
        EXPECT_EQ(spec->height, c.height);
        EXPECT_EQ(spec->weight, c.weight);
        EXPECT_EQ(spec->italic, c.italic);
        EXPECT_EQ(spec->underline, c.underline);
    }
}

TEST_F(DrawContextTest, ArialIsDrawnWithItsMetricTwin) {
    context->selectFont(kFontNormal);
    EXPECT_STREQ(headless::matchedFontFamily(platform::currentFont(surface())), "Liberation Sans");
}

// Ink of text in the box: the columns and rows that differ from the paper.
struct Ink {
    std::int32_t left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    bool any() const { return right >= 0; }
};

Ink inkOf(const Picture& picture, const CRectangle& box, CRgbaColor paper) {
    Ink ink;
    for (std::int32_t y = box.top; y < box.bottom; ++y)
        for (std::int32_t x = box.left; x < box.right; ++x)
            if (!(picture.at(x, y) == paper)) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

TEST_F(DrawContextTest, LeftAlignedTextStartsOnePixelIn) {
    // The same text drawn by the surface one pixel further right must give the same pixels.
    const CRectangle box(4, 5, 36, 25);
    context->selectFont(kFontNormal);
    context->drawText("Hello", box, false, kAlignLeft);
    COffscreenContext reference(nullptr, kWidth, kHeight, kPaper);
    reference.selectFont(kFontNormal);
    platform::drawText(reference.getSystemContext(), "Hello", {5, 5, 36, 25}, kAlignLeft);
    EXPECT_TRUE(picturesMatch(picture(), capture(reference.getSystemContext(), kWidth, kHeight), 0,
                              pictureName()));
}

TEST_F(DrawContextTest, TextIsAlignedCentredVerticallyAndClipped) {
    const CRectangle box(0, 0, kWidth, kHeight);
    struct Case {
        const char* name;
        std::int32_t align;
    } cases[] = {{"left", kAlignLeft}, {"centre", kAlignCenter}, {"right", kAlignRight}};
    std::vector<Ink> inks;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COffscreenContext offscreen(nullptr, kWidth, kHeight, kPaper);
        offscreen.selectFont(kFontSmall);
        offscreen.setTextColor(kWhiteColor);
        offscreen.drawText("ab", box, false, c.align);
        const Ink ink = inkOf(capture(offscreen.getSystemContext(), kWidth, kHeight), box, kPaper);
        ASSERT_TRUE(ink.any());
        // Vertically centred within a pixel or two of glyph shape.
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, kHeight / 2.0, 3.0);
        inks.push_back(ink);
    }
    EXPECT_LT(inks[0].left, inks[1].left);
    EXPECT_LT(inks[1].left, inks[2].left);
    EXPECT_LE(inks[0].left, 3);
    EXPECT_GE(inks[2].right, kWidth - 3);

    // Clipped to the rectangle however long the text is; nothing for a null string.
    COffscreenContext clipped(nullptr, kWidth, kHeight, kPaper);
    clipped.setTextColor(kWhiteColor);
    const CRectangle narrow(10, 5, 20, 25);
    clipped.drawText("WWWWWWWWWWWW", narrow, false, kAlignCenter);
    clipped.drawText(nullptr, box, true, kAlignCenter);
    const Picture drawn = capture(clipped.getSystemContext(), kWidth, kHeight);
    const Ink ink = inkOf(drawn, box, kPaper);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, narrow.left);
    EXPECT_LT(ink.right, narrow.right);
}

TEST_F(DrawContextTest, OpaqueTextFillsItsCellsWithTheBrushColour) {
    context->setBrushColor(kInk);
    context->setTextColor(kWhiteColor);
    context->drawText("x", {0, 0, kWidth, kHeight}, true, kAlignCenter);
    const Picture drawn = picture();
    EXPECT_EQ(drawn.at(kWidth / 2, kHeight / 2 - 5), kInk);  // above the x, inside its cell
    EXPECT_EQ(drawn.at(1, 1), kPaper);                       // outside the cell
    // The mode goes back to transparent afterwards.
    COffscreenContext again(nullptr, kWidth, kHeight, kPaper);
    again.setBrushColor(kInk);
    again.drawText("x", {0, 0, kWidth, kHeight}, true, kAlignCenter);
    again.drawText("x", {0, 0, kWidth, kHeight}, false, kAlignCenter);
    platform::drawText(again.getSystemContext(), "x", {0, 0, 10, kHeight}, kAlignLeft);
    EXPECT_EQ(again.readPixel({1, 10}), kPaper);  // in the cell of that x, above its ink
}

TEST_F(DrawContextTest, MeasureTextFollowsTheFont) {
    EXPECT_EQ(context->measureText(nullptr), 0);
    EXPECT_EQ(context->measureText(""), 0);
    context->selectFont(kFontSmall);
    const std::int32_t small = context->measureText("1234.5");
    context->selectFont(kFontVeryLarge);
    const std::int32_t large = context->measureText("1234.5");
    EXPECT_GT(small, 0);
    EXPECT_GT(large, small);
}

// ---- mouse -----------------------------------------------------------------------------------

TEST_F(DrawContextTest, MouseButtonsFollowTheSwapSetting) {
    struct Case {
        const char* name;
        std::uint32_t state;
        bool swapped;
        std::int32_t expected;
    } cases[] = {
        {"left", platform::physicalLeftButton, false, kButtonLeft},
        {"right", platform::physicalRightButton, false, kButtonRight},
        {"swapped right is left", platform::physicalRightButton, true, kButtonLeft},
        {"swapped left is right", platform::physicalLeftButton, true, kButtonRight},
        {"middle", platform::middleButton, true, kButtonMiddle},
        {"modifiers", platform::shiftKey | platform::controlKey | platform::altKey, false,
         kModifierShift | kModifierControl | kModifierAlt},
        {"nothing", 0, false, 0},
    };
    const bool saved = mouseButtonsSwapped;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::setInputState(c.state);
        mouseButtonsSwapped = c.swapped;
        EXPECT_EQ(context->queryMouseButtons(), c.expected);
    }
    mouseButtonsSwapped = saved;
}

TEST_F(DrawContextTest, MousePositionIsRelativeToTheScreenOffset) {
    headless::setCursorPosition(130, 75);
    context->screenOffset = {100, 50};
    CPosition where;
    context->queryMousePosition(where);
    EXPECT_EQ(where, CPosition(30, 25));
}

TEST_F(DrawContextTest, AwaitDragAndDoubleClickWatchThePointer) {
    headless::setCursorPosition(10, 10);
    headless::setInputState(platform::physicalLeftButton);
    headless::scheduleCursor(30, 12, 12);  // still within 2 pixels
    headless::scheduleCursor(60, 14, 10);  // out
    EXPECT_TRUE(context->awaitDrag());

    headless::reset();
    headless::setInputState(platform::physicalLeftButton);
    headless::scheduleState(40, 0);
    EXPECT_FALSE(context->awaitDrag());

    headless::reset();
    headless::setDoubleClickTime(500);
    headless::setInputState(platform::physicalLeftButton);
    headless::scheduleState(50, 0);
    headless::scheduleState(200, platform::physicalLeftButton);
    EXPECT_TRUE(context->awaitDoubleClick());

    headless::reset();
    headless::setDoubleClickTime(500);
    headless::setInputState(0);
    headless::scheduleState(800, platform::physicalLeftButton);
    EXPECT_FALSE(context->awaitDoubleClick());

    headless::reset();
    headless::setInputState(0);
    headless::scheduleCursor(20, 30, 30);
    headless::scheduleState(100, platform::physicalLeftButton);
    EXPECT_FALSE(context->awaitDoubleClick());
}

// ---- contexts on windows and copies -----------------------------------------------------------

TEST_F(DrawContextTest, OffscreenCopiesHonourBothOffsets) {
    // A source with a marked block, copied in and out again through offsets.
    COffscreenContext source(nullptr, kWidth, kHeight, kBlackColor);
    source.setBrushColor(kInk);
    source.drawRectangle({10, 10, 14, 13}, kDrawFill);
    source.setOffset({5, 5});
    context->copyIntoOffscreen(&source, {5, 5, 9, 8}, {1, 2});
    Picture expected = paper();
    expected.fill({1, 2, 5, 5}, kInk);
    EXPECT_TRUE(picturesMatch(picture(), expected, 0, pictureName() + "-into"));

    COffscreenContext target(nullptr, kWidth, kHeight, kBlackColor);
    target.setOffset({20, 3});
    context->copyOffscreenTo(&target, {0, 0, 6, 5}, {0, 1});
    Picture second(kWidth, kHeight, kBlackColor);
    second.fill({20, 3, 26, 8}, kPaper);
    second.fill({21, 4, 25, 7}, kInk);
    EXPECT_TRUE(picturesMatch(capture(target.getSystemContext(), kWidth, kHeight), second, 0,
                              pictureName() + "-to"));
}

TEST_F(DrawContextTest, WindowContextTakesTheWindowSurfaceAndScreenPosition) {
    headless::HostWindowParams host;
    host.screenRect = {100, 200, 400, 300};
    platform::NativeWindow parent = headless::createHostWindow(host);
    ASSERT_TRUE(platform::registerWindowClass("DrawingTestClass",
                                              [](platform::Window*, const platform::WindowMessage&) {
                                                  return false;
                                              },
                                              nullptr));
    platform::Window* window =
        platform::createChildWindow("DrawingTestClass", "Window", parent, 50, 40, nullptr);
    ASSERT_NE(window, nullptr);
    const auto before = headless::objectCounts();
    {
        CDrawContext onWindow(nullptr, nullptr, window);
        ASSERT_NE(onWindow.getSystemContext(), nullptr);
        platform::WindowRect screen;
        ASSERT_TRUE(platform::windowScreenRect(platform::nativeWindow(window), screen));
        EXPECT_EQ(onWindow.screenOffset, CPosition(screen.left, screen.top));
        EXPECT_EQ(onWindow.clipRect, CRectangle(0, 0, 1000, 1000));
        onWindow.setBrushColor(kInk);
        onWindow.drawRectangle({2, 3, 6, 8}, kDrawFill);
    }
    const auto after = headless::objectCounts();
    EXPECT_EQ(after.surfacesAlive, before.surfacesAlive);
    EXPECT_EQ(after.pensAlive, before.pensAlive);
    const platform::NativeWindow native = platform::nativeWindow(window);
    EXPECT_EQ(headless::windowPixel(native, 4, 5) & 0xFFFFFFu, 0xC89664u);
    EXPECT_EQ(headless::windowPixel(native, 6, 5) & 0xFFFFFFu, 0u);
    platform::destroyWindow(window);
}

}  // namespace
