// CRectangle: a pixel rectangle (left, top, right, bottom), right and bottom excluded. x grows to
// the right, y downwards.
#pragma once

#include <cstdint>

#include "gui/position.h"

namespace QGUI {

struct CRectangle {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr CRectangle() = default;
    constexpr CRectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b) {}
    constexpr CRectangle(const CPosition& topLeft, std::int32_t width, std::int32_t height)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + width), bottom(topLeft.y + height) {}

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr CPosition topLeft() const { return {left, top}; }

    // Cuts this rectangle by other. An empty result collapses onto its left or top edge (zero
    // width or height) instead of turning inside out.
    constexpr CRectangle& intersect(const CRectangle& other) {
        if (left < other.left) left = other.left;
        if (top < other.top) top = other.top;
        if (right > other.right) right = other.right;
        if (bottom > other.bottom) bottom = other.bottom;
        if (top > bottom) bottom = top;
        if (right < left) right = left;
        return *this;
    }
    // left <= x < right and top <= y < bottom.
    constexpr bool contains(const CPosition& p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    // Moves the rectangle by (dx, dy).
    constexpr CRectangle& offset(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    constexpr CRectangle& offset(const CPosition& by) { return offset(by.x, by.y); }
    // Moves the rectangle so that its top-left corner is at (x, y), keeping its size.
    constexpr CRectangle& moveTo(std::int32_t x, std::int32_t y) {
        return offset(x - left, y - top);
    }

    friend constexpr bool operator==(const CRectangle&, const CRectangle&) = default;
};

}  // namespace QGUI
