// Images on Windows: device-independent sections for decoded pictures (32 bits, bottom-up),
// bitmaps compatible with the screen for offscreen drawing, 1-bit masks; and msimg32's alpha
// blending and keyed copies, looked up at run time.
#include <windows.h>

#include "gui/platform/image.h"

namespace QGUI::platform {

namespace {

HBITMAP hbitmap(Image* i) { return reinterpret_cast<HBITMAP>(i); }
HDC dc(Surface* s) { return reinterpret_cast<HDC>(s); }

using RawAlphaBlend = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                    BLENDFUNCTION);
using RawTransparentBlt = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The entry points found in the library last looked up; the operations handed out call them.
RawAlphaBlend rawAlphaBlend = nullptr;
RawTransparentBlt rawTransparentBlt = nullptr;

bool alphaBlendThunk(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                     std::int32_t h, Surface* src, std::int32_t sx, std::int32_t sy,
                     BlendParams params) {
    if (!rawAlphaBlend || !dst || !src) return false;
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.BlendFlags = 0;
    blend.SourceConstantAlpha = params.opacity;
    blend.AlphaFormat = params.perPixelAlpha ? AC_SRC_ALPHA : 0;
    return rawAlphaBlend(dc(dst), dx, dy, w, h, dc(src), sx, sy, w, h, blend) != FALSE;
}

bool transparentBltThunk(Surface* dst, std::int32_t dx, std::int32_t dy, std::int32_t w,
                         std::int32_t h, Surface* src, std::int32_t sx, std::int32_t sy,
                         CRgbaColor key) {
    if (!rawTransparentBlt || !dst || !src) return false;
    return rawTransparentBlt(dc(dst), dx, dy, w, h, dc(src), sx, sy, w, h,
                             RGB(key.red, key.green, key.blue)) != FALSE;
}

// Function pointers from GetProcAddress have a generic type; the cast through void* is the
// documented way to give them their real one.
template <class Fn>
Fn procAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

Image* createImage(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: rows run bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    return reinterpret_cast<Image*>(bitmap);
}

Image* createCompatibleImage(Surface* reference, std::int32_t width, std::int32_t height) {
    // A memory context's own bitmap is a 1-bit placeholder, so a bitmap compatible with it
    // would be monochrome: such references are replaced by the screen.
    HDC ref = reference ? dc(reference) : nullptr;
    if (ref && GetObjectType(ref) == OBJ_MEMDC) ref = nullptr;
    HDC screen = ref ? nullptr : GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(ref ? ref : screen, width, height);
    if (screen) ReleaseDC(nullptr, screen);
    return reinterpret_cast<Image*>(bitmap);
}

Image* createMaskImage(std::int32_t width, std::int32_t height) {
    return reinterpret_cast<Image*>(CreateBitmap(width, height, 1, 1, nullptr));
}

void deleteImage(Image* image) {
    if (image) DeleteObject(hbitmap(image));
}

bool imageSize(Image* image, std::int32_t& width, std::int32_t& height) {
    if (!image) return false;
    BITMAP bm{};
    if (GetObjectA(hbitmap(image), sizeof(bm), &bm) == 0) return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    return true;
}

ImagePixels imagePixels(Image* image) {
    ImagePixels pixels;
    if (!image) return pixels;
    DIBSECTION section{};
    if (GetObjectA(hbitmap(image), sizeof(section), &section) != int(sizeof(section))) return pixels;
    const BITMAP& bm = section.dsBm;
    if (!bm.bmBits || bm.bmBitsPixel != 32 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return pixels;
    GdiFlush();
    const std::ptrdiff_t rowBytes = std::ptrdiff_t(bm.bmWidth) * 4;
    auto* first = static_cast<std::uint8_t*>(bm.bmBits);
    const bool bottomUp = section.dsBmih.biHeight > 0;
    pixels.topRow = bottomUp ? first + rowBytes * (bm.bmHeight - 1) : first;
    pixels.rowStep = bottomUp ? -rowBytes : rowBytes;
    pixels.width = bm.bmWidth;
    pixels.height = bm.bmHeight;
    return pixels;
}

void imagePixelsChanged(Image*) { GdiFlush(); }

BlendLibrary* loadBlendLibrary() {
    return reinterpret_cast<BlendLibrary*>(LoadLibraryA("msimg32.dll"));
}

void freeBlendLibrary(BlendLibrary* library) {
    if (library) FreeLibrary(reinterpret_cast<HMODULE>(library));
}

AlphaBlendFn findAlphaBlend(BlendLibrary* library) {
    if (!library) return nullptr;
    rawAlphaBlend = procAddress<RawAlphaBlend>(reinterpret_cast<HMODULE>(library), "AlphaBlend");
    return rawAlphaBlend ? &alphaBlendThunk : nullptr;
}

TransparentBltFn findTransparentBlt(BlendLibrary* library) {
    if (!library) return nullptr;
    rawTransparentBlt =
        procAddress<RawTransparentBlt>(reinterpret_cast<HMODULE>(library), "TransparentBlt");
    return rawTransparentBlt ? &transparentBltThunk : nullptr;
}

bool queryOsVersion(OsVersion& version) {
    // The extended record's size (156 bytes), which every version of the call accepts.
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    static_assert(sizeof(OSVERSIONINFOEXA) == 156, "the extended version record is 156 bytes");
    // GetVersionExA is deprecated in favour of manifest-dependent helpers; the toolkit wants
    // exactly what it reports.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
#pragma GCC diagnostic pop
    if (!ok) return false;
    version.size = info.dwOSVersionInfoSize;
    version.majorVersion = info.dwMajorVersion;
    version.minorVersion = info.dwMinorVersion;
    version.buildNumber = info.dwBuildNumber;
    version.platformId = info.dwPlatformId;
    return true;
}

}  // namespace QGUI::platform
