// Helpers of the drawing tests: pictures, PNG encoding and decoding, test resources.
#include "drawing_test_support.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "gui/platform/cairo/embedded_resources.h"
#include "gui/platform/image.h"
#include "shell/module_instance.h"

namespace drawing_test {

using namespace QGUI;

Picture::Picture(std::int32_t width, std::int32_t height, CRgbaColor fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

CRgbaColor Picture::at(std::int32_t x, std::int32_t y) const {
    return pixels_[std::size_t(y) * width_ + x];
}

void Picture::set(std::int32_t x, std::int32_t y, CRgbaColor c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[std::size_t(y) * width_ + x] = c;
}

void Picture::fill(const CRectangle& r, CRgbaColor c) {
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        for (std::int32_t x = r.left; x < r.right; ++x) set(x, y, c);
}

Picture capture(platform::Surface* surface, std::int32_t width, std::int32_t height) {
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.set(x, y, platform::getPixel(surface, x, y));
    return picture;
}

std::string pictureFolder() { return QLN_TEST_PICTURES; }
std::string resourcesFolder() { return QLN_RESOURCES_DIR; }

bool writePicturePng(const Picture& picture, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width(), picture.height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> row(std::size_t(picture.width()) * 3);
    for (std::int32_t y = 0; y < picture.height(); ++y) {
        for (std::int32_t x = 0; x < picture.width(); ++x) {
            const CRgbaColor c = picture.at(x, y);
            row[std::size_t(x) * 3] = c.red;
            row[std::size_t(x) * 3 + 1] = c.green;
            row[std::size_t(x) * 3 + 2] = c.blue;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

::testing::AssertionResult picturesMatch(const Picture& actual, const Picture& expected,
                                         int tolerance, const std::string& name) {
    if (actual.width() != expected.width() || actual.height() != expected.height())
        return ::testing::AssertionFailure() << "sizes differ";
    Picture diff(actual.width(), actual.height());
    int mismatches = 0;
    std::ostringstream first;
    for (std::int32_t y = 0; y < actual.height(); ++y) {
        for (std::int32_t x = 0; x < actual.width(); ++x) {
            const CRgbaColor a = actual.at(x, y), e = expected.at(x, y);
            const int d = std::max({std::abs(a.red - e.red), std::abs(a.green - e.green),
                                    std::abs(a.blue - e.blue)});
            if (d <= tolerance) continue;
            diff.set(x, y, {255, 0, 255, 255});
            if (mismatches++ < 8)
                first << " (" << x << "," << y << ") is " << int(a.red) << "," << int(a.green)
                      << "," << int(a.blue) << " not " << int(e.red) << "," << int(e.green) << ","
                      << int(e.blue) << ";";
        }
    }
    if (mismatches == 0) return ::testing::AssertionSuccess();
    std::filesystem::create_directories(pictureFolder());
    const std::string base = pictureFolder() + "/" + name;
    writePicturePng(actual, base + "-actual.png");
    writePicturePng(expected, base + "-expected.png");
    writePicturePng(diff, base + "-diff.png");
    return ::testing::AssertionFailure() << mismatches << " pixels differ by more than "
                                         << tolerance << ":" << first.str() << " pictures in "
                                         << base << "-*.png";
}

namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

}  // namespace

std::vector<std::uint8_t> encodePng(const PngFixture& f) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "the fixture could not be encoded";
        return {};
    }
    png_set_write_fn(png, &out, appendToVector, flushNothing);
    if (f.compressionLevel >= 0) {
        png_set_compression_level(png, f.compressionLevel);
        png_set_filter(png, 0, PNG_FILTER_NONE);
        // Many small data chunks, so that a cut file still holds whole ones.
        png_set_compression_buffer_size(png, 256);
    }
    png_set_IHDR(png, info, png_uint_32(f.width), png_uint_32(f.height), f.bitDepth, f.colorType,
                 f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (std::size_t i = 0; i + 2 < f.palette.size(); i += 3)
        palette.push_back({f.palette[i], f.palette[i + 1], f.palette[i + 2]});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!f.paletteAlpha.empty())
        png_set_tRNS(png, info, f.paletteAlpha.data(), int(f.paletteAlpha.size()), nullptr);
    if (f.hasTransparentColor) {
        png_color_16 key{};
        key.gray = f.transparentGrey;
        key.red = f.transparentRed;
        key.green = f.transparentGreen;
        key.blue = f.transparentBlue;
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : f.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

bool decodePngFile(const std::string& path, RgbaImage& image) {
    png_image decoded{};
    decoded.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&decoded, path.c_str())) return false;
    decoded.format = PNG_FORMAT_RGBA;
    image.width = std::int32_t(decoded.width);
    image.height = std::int32_t(decoded.height);
    image.rgba.resize(PNG_IMAGE_SIZE(decoded));
    if (!png_image_finish_read(&decoded, nullptr, image.rgba.data(), 0, nullptr)) {
        png_image_free(&decoded);
        return false;
    }
    return true;
}

namespace {
char testModuleKey;
}

platform::ModuleHandle testModule() { return &testModuleKey; }

void lookUpBlending() {
    platform::BlendLibrary* library = platform::loadBlendLibrary();
    gAlphaBlendFn = platform::findAlphaBlend(library);
    gTransparentBltFn = platform::findTransparentBlt(library);
    gOsVersion = platform::OsVersion{};
    platform::queryOsVersion(gOsVersion);
}

void BitmapFixture::SetUp() {
    platform::headless::reset();
    platform::headless::resetDrawingPlatform();
    lookUpBlending();
    savedModule_ = gModuleInstance;
    gModuleInstance = testModule();
}

void BitmapFixture::TearDown() {
    for (const auto& [type, id] : registered_)
        platform::unregisterResource(testModule(), type.c_str(), id);
    gModuleInstance = savedModule_;
    platform::headless::resetDrawingPlatform();
    lookUpBlending();
}

void BitmapFixture::addResource(const char* type, std::int32_t id,
                                std::vector<std::uint8_t> bytes) {
    keep_.push_back(std::move(bytes));
    platform::registerResource(testModule(), type, id, keep_.back().data(),
                               std::uint32_t(keep_.back().size()));
    registered_.emplace_back(type, id);
}

std::vector<std::uint8_t> BitmapFixture::pixelBytes(CBitmap& bitmap, std::int32_t x,
                                                    std::int32_t y) {
    const platform::ImagePixels pixels = platform::imagePixels(bitmap.getPlatformBitmap());
    if (!pixels.topRow || x >= pixels.width || y >= pixels.height) return {};
    const std::uint8_t* p = pixels.topRow + y * pixels.rowStep + std::ptrdiff_t(x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

}  // namespace drawing_test
