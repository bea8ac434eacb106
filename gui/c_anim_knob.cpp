// The animated knob.
#include "gui/c_anim_knob.h"

#include "gui/c_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames,
                     int32_t heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frames(frames > 0 ? frames : 1),
      heightOfOneImage(heightOfOneImage > 0 ? heightOfOneImage : 0)
{
}

int32_t CAnimKnob::frameIndex() const
{
    float range = vmax - vmin;
    float n = range > 0.0f ? (value - vmin) / range : value;
    if (inverseBitmap)
        n = 1.0f - n;
    // The small bias lands every exact step k / (frames - 1) on frame k despite rounding below it.
    float position = n * float(frames - 1) + 1e-4f;
    if (!(position >= 0.0f))
        return 0;
    if (position >= float(frames - 1))
        return frames - 1;
    return int32_t(position);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (background != nullptr) {
        int64_t top = int64_t(offset.v) + int64_t(frameIndex()) * heightOfOneImage;
        background->draw(context, size, CPoint(offset.h, int32_t(std::min<int64_t>(top, INT32_MAX))));
    }
    setDirty(false);
}

bool CAnimKnob::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CAnimKnob") == 0) || CKnob::isTypeOf(name);
}
