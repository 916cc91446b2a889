// Bitmaps: reference counting, decoding of PNG files of every colour type into premultiplied
// blue-green-red-alpha pixels, broken files, the plain-bitmap fallback, and the three ways of
// drawing (blended, keyed, plain) with and without the blending library.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <string>
#include <vector>

#include "drawing_test_support.h"
#include "gui/bitmap.h"
#include "gui/constants.h"
#include "gui/offscreen_context.h"
#include "gui/platform/image.h"

namespace {

using namespace QGUI;
using drawing_test::BitmapFixture;
using drawing_test::capture;
using drawing_test::encodePng;
using drawing_test::Picture;
using drawing_test::PngFixture;
using drawing_test::picturesMatch;
namespace headless = QGUI::platform::headless;
using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kId = 300;

// ---- reference counting ---------------------------------------------------------------------

class Counted : public CReferenceCounter {
public:
    explicit Counted(bool& destroyed) : destroyed_(destroyed) {}
    ~Counted() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

TEST(ReferenceCounter, LastReleaseDestroys) {
    bool destroyed = false;
    auto* object = new Counted(destroyed);
    EXPECT_EQ(object->getNbReference(), 1);
    object->retain();
    object->retain();
    object->release();
    EXPECT_EQ(object->getNbReference(), 2);
    object->release();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(object->getNbReference(), 1);
    object->release();
    EXPECT_TRUE(destroyed);
}

// ---- decoding -------------------------------------------------------------------------------

struct PixelCheck {
    std::int32_t x, y;
    Bytes bgra;
};

struct DecodeCase {
    const char* name;
    PngFixture png;
    std::vector<PixelCheck> pixels;
};

PngFixture fixture(std::int32_t w, std::int32_t h, int depth, int type,
                   std::vector<Bytes> rows) {
    PngFixture f;
    f.width = w;
    f.height = h;
    f.bitDepth = depth;
    f.colorType = type;
    f.rows = std::move(rows);
    return f;
}

std::vector<DecodeCase> decodeCases() {
    std::vector<DecodeCase> cases;
    cases.push_back({"RGB, opaque white loses a step, rows top-down",
                     fixture(2, 2, 8, PNG_COLOR_TYPE_RGB,
                             {{255, 255, 255, 200, 100, 50}, {0, 0, 0, 1, 2, 3}}),
                     {{0, 0, {254, 254, 254, 255}},
                      {1, 0, {49, 99, 199, 255}},
                      {0, 1, {0, 0, 0, 255}},
                      {1, 1, {2, 1, 0, 255}}}});
    cases.push_back({"RGBA", fixture(2, 1, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                                     {{200, 100, 50, 128, 255, 0, 0, 0}}),
                     {{0, 0, {25, 50, 100, 128}}, {1, 0, {0, 0, 0, 0}}}});
    {
        PngFixture f = fixture(2, 1, 8, PNG_COLOR_TYPE_PALETTE, {{0, 1}});
        f.palette = {10, 20, 30, 255, 255, 255};
        cases.push_back({"palette", f, {{0, 0, {29, 19, 9, 255}}, {1, 0, {254, 254, 254, 255}}}});
        f.paletteAlpha = {128, 0};
        cases.push_back({"palette with transparency", f,
                         {{0, 0, {15, 10, 5, 128}}, {1, 0, {0, 0, 0, 0}}}});
        PngFixture packed = fixture(2, 1, 4, PNG_COLOR_TYPE_PALETTE, {{0x01}});
        packed.palette = f.palette;
        cases.push_back({"palette of 4 bits", packed,
                         {{0, 0, {29, 19, 9, 255}}, {1, 0, {254, 254, 254, 255}}}});
    }
    cases.push_back({"grey of 1 bit", fixture(8, 1, 1, PNG_COLOR_TYPE_GRAY, {{0xA0}}),
                     {{0, 0, {254, 254, 254, 255}}, {1, 0, {0, 0, 0, 255}},
                      {2, 0, {254, 254, 254, 255}}}});
    cases.push_back({"grey of 2 bits", fixture(4, 1, 2, PNG_COLOR_TYPE_GRAY, {{0x1B}}),
                     {{0, 0, {0, 0, 0, 255}}, {1, 0, {84, 84, 84, 255}},
                      {2, 0, {169, 169, 169, 255}}, {3, 0, {254, 254, 254, 255}}}});
    cases.push_back({"grey of 4 bits", fixture(2, 1, 4, PNG_COLOR_TYPE_GRAY, {{0x5F}}),
                     {{0, 0, {84, 84, 84, 255}}, {1, 0, {254, 254, 254, 255}}}});
    cases.push_back({"grey of 8 bits", fixture(1, 1, 8, PNG_COLOR_TYPE_GRAY, {{77}}),
                     {{0, 0, {76, 76, 76, 255}}}});
    {
        PngFixture f = fixture(2, 1, 8, PNG_COLOR_TYPE_GRAY, {{77, 78}});
        f.hasTransparentColor = true;
        f.transparentGrey = 77;
        cases.push_back({"grey with a transparent value", f,
                         {{0, 0, {0, 0, 0, 0}}, {1, 0, {77, 77, 77, 255}}}});
    }
    cases.push_back({"grey with alpha", fixture(1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{100, 128}}),
                     {{0, 0, {50, 50, 50, 128}}}});
    cases.push_back({"RGB of 16 bits keeps the high bytes",
                     fixture(1, 1, 16, PNG_COLOR_TYPE_RGB, {{0xFF, 0xFF, 0x12, 0xFF, 0, 0}}),
                     {{0, 0, {0, 17, 254, 255}}}});
    cases.push_back({"RGBA of 16 bits",
                     fixture(1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA,
                             {{0xFF, 0xFF, 0, 0, 0, 0, 0x80, 0x00}}),
                     {{0, 0, {0, 0, 127, 128}}}});
    cases.push_back({"grey with alpha of 16 bits",
                     fixture(1, 1, 16, PNG_COLOR_TYPE_GRAY_ALPHA, {{100, 7, 128, 9}}),
                     {{0, 0, {50, 50, 50, 128}}}});
    {
        PngFixture f = fixture(2, 1, 8, PNG_COLOR_TYPE_RGB, {{10, 20, 30, 40, 50, 60}});
        f.hasTransparentColor = true;
        f.transparentRed = 10;
        f.transparentGreen = 20;
        f.transparentBlue = 30;
        cases.push_back({"RGB with a transparent colour", f,
                         {{0, 0, {0, 0, 0, 0}}, {1, 0, {59, 49, 39, 255}}}});
    }
    return cases;
}

class BitmapTest : public BitmapFixture {};

TEST_F(BitmapTest, DecodesEveryColourTypeToPremultipliedBlueGreenRedAlpha) {
    for (const DecodeCase& c : decodeCases()) {
        SCOPED_TRACE(c.name);
        addPng(kId, c.png);
        CBitmap bitmap(kId);
        EXPECT_EQ(bitmap.width, c.png.width);
        EXPECT_EQ(bitmap.height, c.png.height);
        EXPECT_FALSE(bitmap.hasNoAlpha());
        EXPECT_EQ(bitmap.getResourceId(), kId);
        EXPECT_EQ(bitmap.getTransparentColor(), kTransparentWhiteColor);
        ASSERT_TRUE(bitmap.isLoaded());
        for (const PixelCheck& p : c.pixels) {
            SCOPED_TRACE(::testing::Message() << "pixel " << p.x << "," << p.y);
            EXPECT_EQ(BitmapFixture::pixelBytes(bitmap, p.x, p.y), p.bgra);
        }
    }
}

TEST_F(BitmapTest, InterlacedImagesDecodeLikePlainOnes) {
    PngFixture f = fixture(9, 7, 8, PNG_COLOR_TYPE_RGB_ALPHA, {});
    for (std::int32_t y = 0; y < f.height; ++y) {
        Bytes row;
        for (std::int32_t x = 0; x < f.width; ++x)
            row.insert(row.end(), {std::uint8_t(x * 28), std::uint8_t(y * 36),
                                   std::uint8_t(x * y), std::uint8_t(255 - 9 * x - y)});
        f.rows.push_back(row);
    }
    addPng(kId, f);
    f.interlaced = true;
    addPng(kId + 1, f);
    CBitmap plain(kId), interlaced(kId + 1);
    for (std::int32_t y = 0; y < f.height; ++y)
        for (std::int32_t x = 0; x < f.width; ++x)
            EXPECT_EQ(BitmapFixture::pixelBytes(plain, x, y),
                      BitmapFixture::pixelBytes(interlaced, x, y))
                << x << "," << y;
}

TEST_F(BitmapTest, MissingResourcesAndFilesGiveEmptyBitmaps) {
    CBitmap missing(kId);
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_EQ(missing.width, 0);
    EXPECT_EQ(missing.height, 0);
    EXPECT_FALSE(missing.loadResource(kId));

    addPng(kId + 1, fixture(1, 1, 8, PNG_COLOR_TYPE_RGB, {{1, 2, 3}}));
    CBitmap loaded(kId + 1);
    ASSERT_TRUE(loaded.isLoaded());
    EXPECT_FALSE(loaded.loadFile("/any/path.png"));
    EXPECT_FALSE(loaded.isLoaded());
    EXPECT_EQ(loaded.width, 0);

    // Nothing is drawn by either.
    COffscreenContext context(nullptr, 8, 8, kBlackColor);
    missing.drawPlain(&context, {0, 0, 8, 8});
    missing.drawKeyed(&context, {0, 0, 8, 8});
    loaded.drawBlended(&context, {0, 0, 8, 8}, {}, 255);
    EXPECT_TRUE(picturesMatch(capture(context.getSystemContext(), 8, 8),
                              Picture(8, 8, kBlackColor), 0, "empty-bitmaps"));
}

// A 16 x 64 opaque image stored without compression, so that a cut file still holds whole rows.
PngFixture stripes() {
    PngFixture f = fixture(16, 64, 8, PNG_COLOR_TYPE_RGB_ALPHA, {});
    f.compressionLevel = 0;
    for (std::int32_t y = 0; y < f.height; ++y) {
        Bytes row;
        for (std::int32_t x = 0; x < f.width; ++x)
            row.insert(row.end(), {255, std::uint8_t(y * 4), std::uint8_t(x * 16), 255});
        f.rows.push_back(row);
    }
    return f;
}

TEST_F(BitmapTest, BrokenFilesNeverReadOutOfBoundsOrCrash) {
    const Bytes good = encodePng(stripes());
    // Every cut of the file, from nothing to one byte short.
    for (std::size_t length = 1; length < good.size(); length += (length < 64 ? 1 : 37)) {
        SCOPED_TRACE(::testing::Message() << "cut at " << length);
        // An exact-size copy, so that a read past its end is caught by the address checker.
        addResource("PNG", kId, Bytes(good.begin(), good.begin() + std::ptrdiff_t(length)));
        CBitmap bitmap(kId);
        EXPECT_TRUE(bitmap.loadResource(kId));
        if (bitmap.isLoaded()) {
            EXPECT_EQ(bitmap.width, 16);
            EXPECT_EQ(bitmap.height, 64);
        } else {
            EXPECT_EQ(bitmap.width, 0);
            EXPECT_EQ(bitmap.height, 0);
        }
        COffscreenContext context(nullptr, 16, 16, kBlackColor);
        bitmap.drawPlain(&context, {0, 0, 16, 16});
    }

    struct Case {
        const char* name;
        std::size_t at;
        std::uint8_t value;
    } corruptions[] = {
        {"signature", 1, 'X'},
        {"header length", 11, 0x7F},
        {"header checksum", 29, 0x00},
        {"width far too large", 16, 0x7F},
        {"colour type", 25, 5},
        {"data length", 36, 0xFF},
        {"inside the data", 60, 0xEE},
    };
    for (const Case& c : corruptions) {
        SCOPED_TRACE(c.name);
        Bytes broken = good;
        broken[c.at] ^= c.value;
        addResource("PNG", kId, broken);
        CBitmap bitmap(kId);
        EXPECT_TRUE(bitmap.loadResource(kId));
        EXPECT_TRUE(bitmap.isLoaded() ? bitmap.width == 16 : bitmap.width == 0);
    }
}

TEST_F(BitmapTest, ImagesTooLargeToHoldStayEmpty) {
    addPng(kId, fixture(40000, 1, 8, PNG_COLOR_TYPE_GRAY, {Bytes(40000, 9)}));
    CBitmap bitmap(kId);
    EXPECT_FALSE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_EQ(bitmap.height, 0);
}

TEST_F(BitmapTest, DecodedRowsStayWhenTheFileEndsEarly) {
    const Bytes good = encodePng(stripes());
    addResource("PNG", kId, Bytes(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2)));
    CBitmap bitmap(kId);
    ASSERT_TRUE(bitmap.isLoaded());
    // Row 0 arrived and is not premultiplied (255 stays 255); the last row never came.
    EXPECT_EQ(BitmapFixture::pixelBytes(bitmap, 3, 0), (Bytes{48, 0, 255, 255}));
    EXPECT_EQ(BitmapFixture::pixelBytes(bitmap, 3, 63), (Bytes{0, 0, 0, 0}));
}

// ---- drawing ----------------------------------------------------------------------------------

constexpr CRgbaColor kPaper{40, 80, 120, 255};

// What blending the premultiplied pixel p with constant opacity over paper gives.
CRgbaColor blendOver(const Bytes& p, std::uint8_t opacity, bool perPixelAlpha,
                     CRgbaColor paper) {
    const double o = opacity / 255.0;
    const double a = (perPixelAlpha ? p[3] : 255) / 255.0 * o;
    auto channel = [&](std::uint8_t src, std::uint8_t dst) {
        return std::uint8_t(std::lround(src * o + dst * (1 - a)));
    };
    return {channel(p[2], paper.red), channel(p[1], paper.green), channel(p[0], paper.blue), 255};
}

PngFixture gradient() {
    PngFixture f = fixture(6, 4, 8, PNG_COLOR_TYPE_RGB_ALPHA, {});
    for (std::int32_t y = 0; y < f.height; ++y) {
        Bytes row;
        for (std::int32_t x = 0; x < f.width; ++x)
            row.insert(row.end(), {std::uint8_t(250 - x * 30), std::uint8_t(60 + y * 50),
                                   std::uint8_t(x * 40), std::uint8_t(x * 51)});
        f.rows.push_back(row);
    }
    return f;
}

class BitmapDrawingTest : public BitmapFixture {
protected:
    void SetUp() override {
        BitmapFixture::SetUp();
        addPng(kId, gradient());
        bitmap = new CBitmap(kId);
        ASSERT_TRUE(bitmap->isLoaded());
    }
    void TearDown() override {
        bitmap->release();
        BitmapFixture::TearDown();
    }

    // The bitmap's area at source (sx, sy) of size w x h drawn at (dx, dy) over paper.
    Picture expectedBlend(std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                          std::int32_t sx, std::int32_t sy, std::uint8_t opacity,
                          bool perPixelAlpha = true) {
        Picture expected(20, 20, kPaper);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                expected.set(dx + x, dy + y,
                             blendOver(BitmapFixture::pixelBytes(*bitmap, sx + x, sy + y), opacity,
                                       perPixelAlpha, kPaper));
        return expected;
    }

    CBitmap* bitmap = nullptr;
};

TEST_F(BitmapDrawingTest, AllThreeOperationsBlendAnImageWithAlpha) {
    struct Case {
        const char* name;
        void (*draw)(CBitmap&, CDrawContext&);
    } cases[] = {
        {"blended", [](CBitmap& b, CDrawContext& c) { b.drawBlended(&c, {3, 5, 7, 9}, {1, 0}, 255); }},
        {"plain", [](CBitmap& b, CDrawContext& c) { b.drawPlain(&c, {3, 5, 7, 9}, {1, 0}); }},
        {"keyed", [](CBitmap& b, CDrawContext& c) { b.drawKeyed(&c, {3, 5, 7, 9}, {1, 0}); }},
    };
    const Picture expected = expectedBlend(3, 5, 4, 4, 1, 0, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COffscreenContext context(nullptr, 20, 20, kPaper);
        c.draw(*bitmap, context);
        EXPECT_TRUE(picturesMatch(capture(context.getSystemContext(), 20, 20), expected, 1,
                                  std::string("blend-") + c.name));
    }
}

TEST_F(BitmapDrawingTest, OpacityOffsetsAndClipApply) {
    COffscreenContext context(nullptr, 20, 20, kPaper);
    context.setOffset({2, 1});
    context.setClipRect({0, 0, 5, 20});  // surface columns 2..6
    bitmap->drawBlended(&context, {1, 2, 7, 6}, {0, 0}, 128);
    Picture expected = expectedBlend(3, 3, 6, 4, 0, 0, 128);
    expected.fill({7, 0, 20, 20}, kPaper);
    EXPECT_TRUE(picturesMatch(capture(context.getSystemContext(), 20, 20), expected, 2,
                              "blend-opacity-offset-clip"));
}

TEST_F(BitmapDrawingTest, OldConsumerPlatformBlendsFromACopyWithTheSameResult) {
    COffscreenContext normal(nullptr, 20, 20, kPaper);
    bitmap->drawBlended(&normal, {2, 2, 7, 5}, {1, 1}, 200);
    gOsVersion = platform::OsVersion{148, 4, 10, 2222, 1};
    COffscreenContext old(nullptr, 20, 20, kPaper);
    bitmap->drawBlended(&old, {2, 2, 7, 5}, {1, 1}, 200);
    EXPECT_TRUE(picturesMatch(capture(old.getSystemContext(), 20, 20),
                              capture(normal.getSystemContext(), 20, 20), 0, "blend-4.10"));
}

TEST_F(BitmapDrawingTest, WithoutBlendingTheImageIsCopied) {
    gAlphaBlendFn = nullptr;
    COffscreenContext context(nullptr, 20, 20, kPaper);
    bitmap->drawPlain(&context, {0, 0, 6, 4});
    for (std::int32_t x = 0; x < 6; ++x) {
        const Bytes p = BitmapFixture::pixelBytes(*bitmap, x, 2);
        EXPECT_EQ(context.readPixel({x, 2}), (CRgbaColor{p[2], p[1], p[0], 255})) << x;
    }
}

TEST_F(BitmapDrawingTest, ASourceAreaOutsideTheImageDrawsNothing) {
    COffscreenContext context(nullptr, 20, 20, kPaper);
    bitmap->drawBlended(&context, {0, 0, 6, 4}, {0, 1}, 255);  // one row too far down
    EXPECT_TRUE(picturesMatch(capture(context.getSystemContext(), 20, 20),
                              Picture(20, 20, kPaper), 0, "blend-outside"));
}

// A plain bitmap resource: 40-byte info header and 24-bit rows, bottom-up.
Bytes plainBitmap(std::int32_t w, std::int32_t h, const std::vector<CRgbaColor>& topDown) {
    const std::int32_t rowBytes = (w * 3 + 3) & ~3;
    Bytes b(40 + std::size_t(rowBytes) * h, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, std::uint32_t(w));
    put32(8, std::uint32_t(h));
    b[12] = 1;
    b[14] = 24;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const CRgbaColor& c = topDown[std::size_t(y) * w + x];
            std::uint8_t* p = &b[40 + std::size_t(h - 1 - y) * rowBytes + std::size_t(x) * 3];
            p[0] = c.blue;
            p[1] = c.green;
            p[2] = c.red;
        }
    return b;
}

TEST_F(BitmapTest, PlainBitmapResourceStandsInAndIsKeyedOnWhite) {
    const CRgbaColor red{200, 0, 0, 255}, blue{0, 0, 200, 255};
    const std::vector<CRgbaColor> pixels = {red, kWhiteColor, blue, kWhiteColor,
                                            blue, red, kWhiteColor, red};
    addResource("BITMAP", kId, plainBitmap(4, 2, pixels));
    CBitmap bitmap(kId);
    ASSERT_TRUE(bitmap.isLoaded());
    EXPECT_TRUE(bitmap.hasNoAlpha());
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.height, 2);

    Picture plain(10, 10, kPaper), keyed(10, 10, kPaper);
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 4; ++x) {
            const CRgbaColor c = pixels[std::size_t(y) * 4 + x];
            plain.set(2 + x, 3 + y, c);
            if (!(c == kWhiteColor)) keyed.set(2 + x, 3 + y, c);
        }
    COffscreenContext copied(nullptr, 10, 10, kPaper);
    bitmap.drawPlain(&copied, {2, 3, 6, 5});
    EXPECT_TRUE(picturesMatch(capture(copied.getSystemContext(), 10, 10), plain, 0, "plain-copy"));

    // The keyed copy and the hand-built mask give the same picture.
    struct Route {
        const char* name;
        bool transparentBlt;
    } routes[] = {{"keyed copy", true}, {"mask", false}};
    for (const Route& r : routes) {
        SCOPED_TRACE(r.name);
        gTransparentBltFn =
            r.transparentBlt ? platform::findTransparentBlt(platform::loadBlendLibrary()) : nullptr;
        COffscreenContext context(nullptr, 10, 10, kPaper);
        context.setTextColor({1, 2, 3, 255});
        bitmap.drawKeyed(&context, {2, 3, 6, 5});
        EXPECT_TRUE(picturesMatch(capture(context.getSystemContext(), 10, 10), keyed, 0,
                                  std::string("keyed-") + (r.transparentBlt ? "blt" : "mask")));
        // The mask route gives the context its colours back.
        EXPECT_EQ(platform::setTextColor(context.getSystemContext(), kBlackColor),
                  (CRgbaColor{1, 2, 3, 255}));
    }

    // Blending ignores the alpha byte of such pixels.
    COffscreenContext blended(nullptr, 10, 10, kPaper);
    bitmap.drawBlended(&blended, {0, 0, 1, 1}, {0, 0}, 128);
    const CRgbaColor half = blended.readPixel({0, 0});
    EXPECT_NEAR(half.red, (200 + kPaper.red) / 2, 1);
    EXPECT_NEAR(half.blue, kPaper.blue / 2, 1);
}

TEST_F(BitmapTest, OffscreenContextOnABitmap) {
    addPng(kId, gradient());
    CBitmap bitmap(kId);
    {
        // A copy of the bitmap of its own size.
        COffscreenContext copy(nullptr, &bitmap, false);
        EXPECT_EQ(copy.getWidth(), 6);
        EXPECT_EQ(copy.getHeight(), 4);
        const Bytes p = BitmapFixture::pixelBytes(bitmap, 5, 3);
        EXPECT_EQ(copy.readPixel({5, 3}), blendOver(p, 255, true, kBlackColor));
    }
    {
        // Drawing into the bitmap itself.
        COffscreenContext into(nullptr, &bitmap, true);
        into.setBrushColor({9, 8, 7, 255});
        into.drawRectangle({0, 0, 2, 2}, kDrawFill);
    }
    EXPECT_EQ(BitmapFixture::pixelBytes(bitmap, 1, 1), (Bytes{7, 8, 9, 255}));
    COffscreenContext none(nullptr, nullptr, false);
    EXPECT_EQ(none.getWidth(), 20);
    EXPECT_EQ(none.readPixel({19, 19}), kBlackColor);
}

}  // namespace
