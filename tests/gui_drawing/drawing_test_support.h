// Helpers of the drawing tests: pictures that a test builds by hand and compares with what a
// surface holds (writing both to the build folder when they differ), PNG files encoded in
// memory for the decoder, and resources registered for a test module.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/bitmap.h"
#include "gui/platform/draw_surface.h"
#include "gui/platform/headless/headless.h"
#include "gui/platform/headless/headless_drawing.h"
#include "gui/rectangle.h"
#include "gui/rgba_color.h"

namespace drawing_test {

using QGUI::CPosition;
using QGUI::CRectangle;
using QGUI::CRgbaColor;

// An RGB picture; alpha of the colours is ignored.
class Picture {
public:
    Picture(std::int32_t width, std::int32_t height, CRgbaColor fill = {0, 0, 0, 255});
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    CRgbaColor at(std::int32_t x, std::int32_t y) const;
    void set(std::int32_t x, std::int32_t y, CRgbaColor c);
    // Right and bottom excluded.
    void fill(const CRectangle& r, CRgbaColor c);

private:
    std::int32_t width_, height_;
    std::vector<CRgbaColor> pixels_;
};

// The top-left width x height pixels of a surface.
Picture capture(QGUI::platform::Surface* surface, std::int32_t width, std::int32_t height);

// Every channel of every pixel within tolerance. On failure the two pictures and a map of the
// differing pixels are written as <name>-actual.png, <name>-expected.png and <name>-diff.png
// into the test's picture folder, and the message names the first differences.
::testing::AssertionResult picturesMatch(const Picture& actual, const Picture& expected,
                                         int tolerance, const std::string& name);

// Where failing pictures go.
std::string pictureFolder();
// The committed images of the libraries.
std::string resourcesFolder();

bool writePicturePng(const Picture& picture, const std::string& path);

// A PNG file to encode: rows are the packed bytes of each row as the format stores them.
struct PngFixture {
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bitDepth = 8;
    int colorType = 2;  // PNG_COLOR_TYPE_RGB
    std::vector<std::uint8_t> palette;        // r, g, b triples
    std::vector<std::uint8_t> paletteAlpha;   // tRNS of a palette image
    bool hasTransparentColor = false;         // tRNS of a grey or RGB image
    std::uint16_t transparentGrey = 0;
    std::uint16_t transparentRed = 0, transparentGreen = 0, transparentBlue = 0;
    bool interlaced = false;
    int compressionLevel = -1;  // zlib's; 0 stores the rows as they are
    std::vector<std::vector<std::uint8_t>> rows;
};
std::vector<std::uint8_t> encodePng(const PngFixture& fixture);

// A file's bytes; empty when it cannot be read.
std::vector<std::uint8_t> readFile(const std::string& path);

// Decodes a PNG file straight with libpng into 8-bit RGBA rows (straight alpha), as a second
// route to the pixels of the committed images.
struct RgbaImage {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, rows top-down
    const std::uint8_t* at(std::int32_t x, std::int32_t y) const {
        return &rgba[(std::size_t(y) * width + x) * 4];
    }
};
bool decodePngFile(const std::string& path, RgbaImage& image);

// Gives CBitmap a module of the test's own to find resources in, with the blending operations
// a frame would have looked up, and puts everything back afterwards.
class BitmapFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Registers bytes (kept alive by the fixture) as resource id of the test module.
    void addResource(const char* type, std::int32_t id, std::vector<std::uint8_t> bytes);
    void addPng(std::int32_t id, const PngFixture& fixture) { addResource("PNG", id, encodePng(fixture)); }

    // The four bytes (blue, green, red, alpha) of pixel (x, y), y = 0 the top row.
    static std::vector<std::uint8_t> pixelBytes(QGUI::CBitmap& bitmap, std::int32_t x,
                                                std::int32_t y);

private:
    void* savedModule_ = nullptr;
    std::vector<std::pair<std::string, std::int32_t>> registered_;
    std::vector<std::vector<std::uint8_t>> keep_;
};

// The test module's handle.
QGUI::platform::ModuleHandle testModule();

// Sets the process-wide blending operations as a frame's constructor does.
void lookUpBlending();

}  // namespace drawing_test
