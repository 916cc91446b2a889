// CPosition: a pixel point (x, y); x grows to the right, y downwards.
#pragma once

#include <cstdint>

namespace QGUI {

struct CPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;

    constexpr CPosition() = default;
    constexpr CPosition(std::int32_t px, std::int32_t py) : x(px), y(py) {}

    constexpr CPosition& offset(std::int32_t dx, std::int32_t dy) {
        x += dx;
        y += dy;
        return *this;
    }
    constexpr CPosition& operator+=(const CPosition& o) { return offset(o.x, o.y); }
    constexpr CPosition& operator-=(const CPosition& o) { return offset(-o.x, -o.y); }
    friend constexpr CPosition operator+(CPosition a, const CPosition& b) { return a += b; }
    friend constexpr CPosition operator-(CPosition a, const CPosition& b) { return a -= b; }

    friend constexpr bool operator==(const CPosition&, const CPosition&) = default;
};

}  // namespace QGUI
