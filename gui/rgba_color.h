// CRgbaColor: a four-byte colour (red, green, blue, alpha); alpha 255 is opaque, 0 transparent.
// Drawing passes only red, green and blue to the platform; alpha matters for a bitmap's key
// colour only.
#pragma once

#include <cstdint>

namespace QGUI {

struct CRgbaColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;

    friend constexpr bool operator==(const CRgbaColor&, const CRgbaColor&) = default;
};

static_assert(sizeof(CRgbaColor) == 4, "a colour is four bytes: red, green, blue, alpha");

}  // namespace QGUI
