// Rectangle arithmetic.
#include "gui/c_rect.h"

#include <algorithm>

CRect& CRect::offset(int32_t dh, int32_t dv)
{
    left += dh;
    right += dh;
    top += dv;
    bottom += dv;
    return *this;
}

CRect& CRect::moveTo(int32_t newLeft, int32_t newTop)
{
    return offset(newLeft - left, newTop - top);
}

CRect& CRect::inset(int32_t dh, int32_t dv)
{
    left += dh;
    right -= dh;
    top += dv;
    bottom -= dv;
    return *this;
}

CRect& CRect::bound(const CRect& other)
{
    left = std::max(left, other.left);
    top = std::max(top, other.top);
    right = std::max(left, std::min(right, other.right));
    bottom = std::max(top, std::min(bottom, other.bottom));
    return *this;
}

CRect& CRect::unite(const CRect& other)
{
    if (other.isEmpty())
        return *this;
    if (isEmpty()) {
        *this = other;
        return *this;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
    return *this;
}

bool CRect::pointInside(const CPoint& where) const
{
    return where.h >= left && where.h < right && where.v >= top && where.v < bottom;
}

bool CRect::rectOverlap(const CRect& other) const
{
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}
