// A point in pixels: h to the right, v downwards.
#pragma once

#include <cstdint>

struct CPoint {
    int32_t h = 0;
    int32_t v = 0;

    CPoint() = default;
    CPoint(int32_t h, int32_t v) : h(h), v(v) {}

    CPoint& offset(int32_t dh, int32_t dv)
    {
        h += dh;
        v += dv;
        return *this;
    }
    bool operator==(const CPoint& other) const { return h == other.h && v == other.v; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }
};
