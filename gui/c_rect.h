// A rectangle in pixels: left and top inside, right and bottom just outside.
#pragma once

#include "gui/c_point.h"

#include <cstdint>

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    CRect() = default;
    CRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom)
    {
    }

    // Saturated, so that no rectangle, however far out, overflows its size.
    int32_t width() const { return saturate(int64_t(right) - left); }
    int32_t height() const { return saturate(int64_t(bottom) - top); }
    bool isEmpty() const { return right <= left || bottom <= top; }
    CPoint topLeft() const { return CPoint(left, top); }

    CRect& offset(int32_t dh, int32_t dv);
    CRect& moveTo(int32_t newLeft, int32_t newTop);
    CRect& inset(int32_t dh, int32_t dv);
    // Shrinks to the overlap with other; an empty result keeps its position but has no area.
    CRect& bound(const CRect& other);
    // Grows to cover other as well; an empty rectangle takes other as it is.
    CRect& unite(const CRect& other);
    bool pointInside(const CPoint& where) const;
    bool rectOverlap(const CRect& other) const;

    static int32_t saturate(int64_t value)
    {
        return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : int32_t(value);
    }

    bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const CRect& other) const { return !(*this == other); }
};
