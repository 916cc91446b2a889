// The drawing context and the bitmaps on the Windows back end: contexts on memory surfaces of
// GDI, read back pixel by pixel; the shipped images from the program's resources, blended
// through msimg32; the keyed copy with and without TransparentBlt.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "gui/bitmap.h"
#include "gui/constants.h"
#include "gui/offscreen_context.h"
#include "gui/platform/image.h"
#include "gui/platform/resources.h"
#include "shell/module_instance.h"

namespace {

using namespace QGUI;

constexpr CRgbaColor kPaper{20, 40, 60, 255};
constexpr CRgbaColor kInk{200, 150, 100, 255};

void ownModule() {}

class Win32DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = gModuleInstance;
        gModuleInstance = platform::moduleContaining(reinterpret_cast<const void*>(&ownModule));
        library = platform::loadBlendLibrary();
        gAlphaBlendFn = platform::findAlphaBlend(library);
        gTransparentBltFn = platform::findTransparentBlt(library);
        gOsVersion = platform::OsVersion{};
        platform::queryOsVersion(gOsVersion);
    }
    void TearDown() override {
        gModuleInstance = saved;
        gAlphaBlendFn = nullptr;
        gTransparentBltFn = nullptr;
        platform::freeBlendLibrary(library);
    }

    void* saved = nullptr;
    platform::BlendLibrary* library = nullptr;
};

// Counts the pixels of rect that are not colour c, and checks the rest of the surface is other.
int pixelsNot(CDrawContext& context, const CRectangle& rect, CRgbaColor c) {
    int count = 0;
    for (std::int32_t y = rect.top; y < rect.bottom; ++y)
        for (std::int32_t x = rect.left; x < rect.right; ++x)
            if (!(context.readPixel({x, y}) == c)) ++count;
    return count;
}

TEST_F(Win32DrawingTest, RectanglesAndLinesFollowThePixelRules) {
    COffscreenContext context(nullptr, 40, 30, kPaper);
    EXPECT_EQ(pixelsNot(context, {0, 0, 40, 30}, kPaper), 0);

    context.setBrushColor(kInk);
    context.fillRectangle({10, 10, 20, 20});
    EXPECT_EQ(pixelsNot(context, {11, 11, 20, 20}, kInk), 0);
    EXPECT_EQ(pixelsNot(context, {10, 10, 20, 11}, kPaper), 0);
    EXPECT_EQ(pixelsNot(context, {10, 10, 11, 20}, kPaper), 0);
    EXPECT_EQ(pixelsNot(context, {20, 10, 21, 21}, kPaper), 0);

    context.setPenColor(kInk);
    context.drawRectangle({10, 10, 20, 20}, kDrawOutline);
    EXPECT_EQ(pixelsNot(context, {10, 10, 20, 20}, kInk), 0);
    EXPECT_EQ(pixelsNot(context, {20, 9, 21, 21}, kPaper), 0);

    context.setPenColor(kWhiteColor);
    context.moveTo({2, 25});
    context.lineTo({8, 25});
    EXPECT_EQ(pixelsNot(context, {2, 25, 8, 26}, kWhiteColor), 0);
    EXPECT_EQ(context.readPixel({8, 25}), kPaper);

    context.setOffset({1, 1});
    context.setClipRect({0, 0, 5, 5});
    context.setBrushColor(kRedColor);
    context.drawRectangle({-5, -5, 50, 50}, kDrawFill);
    context.setOffset({0, 0});
    EXPECT_EQ(pixelsNot(context, {1, 1, 6, 6}, kRedColor), 0);
    EXPECT_EQ(context.readPixel({6, 6}), kPaper);
}

TEST_F(Win32DrawingTest, DrawModesCombinePenAndPixels) {
    COffscreenContext context(nullptr, 10, 10, kPaper);
    context.setPenColor(kInk);
    context.setDrawMode(kDrawModeXor);
    context.moveTo({0, 0});
    context.lineTo({5, 0});
    EXPECT_EQ(context.readPixel({2, 0}),
              (CRgbaColor{std::uint8_t(~(kPaper.red ^ kInk.red)),
                          std::uint8_t(~(kPaper.green ^ kInk.green)),
                          std::uint8_t(~(kPaper.blue ^ kInk.blue)), 255}));
    context.setDrawMode(kDrawModeOr);
    context.moveTo({0, 2});
    context.lineTo({5, 2});
    EXPECT_EQ(context.readPixel({2, 2}),
              (CRgbaColor{std::uint8_t(kPaper.red | kInk.red), std::uint8_t(kPaper.green | kInk.green),
                          std::uint8_t(kPaper.blue | kInk.blue), 255}));
}

TEST_F(Win32DrawingTest, TextDrawsAndMeasures) {
    COffscreenContext context(nullptr, 60, 20, kBlackColor);
    context.selectFont(kFontSmall);
    context.setTextColor(kGreenColor);
    context.drawText("10.0", {0, 0, 60, 20}, false, kAlignCenter);
    EXPECT_GT(pixelsNot(context, {0, 0, 60, 20}, kBlackColor), 5);
    EXPECT_EQ(pixelsNot(context, {0, 0, 10, 20}, kBlackColor), 0);  // centred: the left is clear
    EXPECT_GT(context.measureText("10.0"), 10);
}

TEST_F(Win32DrawingTest, ShippedImagesLoadBottomUpAndPremultiplied) {
    CBitmap panel(128), knobs(129);
    ASSERT_TRUE(panel.isLoaded());
    EXPECT_EQ(panel.width, 752);
    EXPECT_EQ(panel.height, 80);
    EXPECT_FALSE(panel.hasNoAlpha());
    ASSERT_TRUE(knobs.isLoaded());
    EXPECT_EQ(knobs.width, 80);
    EXPECT_EQ(knobs.height, 4880);
    const platform::ImagePixels pixels = platform::imagePixels(knobs.getPlatformBitmap());
    ASSERT_NE(pixels.topRow, nullptr);
    EXPECT_LT(pixels.rowStep, 0);  // a bottom-up section
    const std::uint8_t* corner = pixels.topRow;
    EXPECT_EQ(corner[0] | corner[1] | corner[2] | corner[3], 0);
    const std::uint8_t* centre = pixels.topRow + 40 * pixels.rowStep + 40 * 4;
    EXPECT_EQ(centre[3], 255);
    EXPECT_LE(centre[1], 254);
}

TEST_F(Win32DrawingTest, KnobBlendsOverThePanel) {
    ASSERT_NE(gAlphaBlendFn, nullptr);
    CBitmap panel(128), knobs(129);
    COffscreenContext context(nullptr, 752, 80, kBlackColor);
    panel.drawPlain(&context, {0, 0, 752, 80});
    const std::int32_t frame = 45;
    knobs.drawPlain(&context, {64, 0, 144, 80}, {0, frame * 80});

    const platform::ImagePixels p = platform::imagePixels(panel.getPlatformBitmap());
    const platform::ImagePixels k = platform::imagePixels(knobs.getPlatformBitmap());
    int worst = 0;
    for (std::int32_t y = 0; y < 80; y += 3) {
        for (std::int32_t x = 40; x < 170; x += 3) {
            const std::uint8_t* under = p.topRow + y * p.rowStep + x * 4;
            int expected[3] = {under[2], under[1], under[0]};
            if (x >= 64 && x < 144) {
                const std::uint8_t* knob = k.topRow + (frame * 80 + y) * k.rowStep + (x - 64) * 4;
                for (int c = 0; c < 3; ++c)
                    expected[c] = int(std::lround(knob[2 - c] + expected[c] * (255 - knob[3]) / 255.0));
            }
            const CRgbaColor got = context.readPixel({x, y});
            worst = std::max({worst, std::abs(got.red - expected[0]),
                              std::abs(got.green - expected[1]), std::abs(got.blue - expected[2])});
        }
    }
    EXPECT_LE(worst, 2);
}

TEST_F(Win32DrawingTest, KeyedCopyAndHandBuiltMaskAgree) {
    CBitmap plain(300);
    ASSERT_TRUE(plain.isLoaded());
    EXPECT_TRUE(plain.hasNoAlpha());
    EXPECT_EQ(plain.width, 4);
    EXPECT_EQ(plain.height, 2);
    const CRgbaColor red{200, 0, 0, 255}, blue{0, 0, 200, 255};
    const CRgbaColor expected[2][4] = {{red, kPaper, blue, kPaper}, {blue, red, kPaper, red}};
    for (bool withTransparentBlt : {true, false}) {
        SCOPED_TRACE(withTransparentBlt ? "TransparentBlt" : "mask");
        gTransparentBltFn = withTransparentBlt ? platform::findTransparentBlt(library) : nullptr;
        COffscreenContext context(nullptr, 10, 10, kPaper);
        plain.drawKeyed(&context, {3, 4, 7, 6});
        for (std::int32_t y = 0; y < 2; ++y)
            for (std::int32_t x = 0; x < 4; ++x)
                EXPECT_EQ(context.readPixel({3 + x, 4 + y}), expected[y][x]) << x << "," << y;
        EXPECT_EQ(context.readPixel({7, 4}), kPaper);
    }
}

}  // namespace
