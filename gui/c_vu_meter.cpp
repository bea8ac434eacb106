// The VU meter.
#include "gui/c_vu_meter.h"

#include "gui/c_bitmap.h"
#include "gui/c_offscreen_context.h"

#include <cstring>

CVuMeter::CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t segments, int32_t style)
    : CControl(size, nullptr, 0, nullptr),
      onBitmap(onBitmap),
      offBitmap(offBitmap),
      segments(segments > 0 ? segments : 1),
      style(style)
{
    if (onBitmap != nullptr)
        onBitmap->addReference();
    if (offBitmap != nullptr)
        offBitmap->addReference();
}

CVuMeter::~CVuMeter()
{
    if (onBitmap != nullptr)
        onBitmap->dropReference();
    if (offBitmap != nullptr)
        offBitmap->dropReference();
}

bool CVuMeter::isDirty() const
{
    return CControl::isDirty() || shownValue > value;
}

int32_t CVuMeter::litLength(float shown) const
{
    int32_t length = (style & kHorizontal) != 0 ? size.width() : size.height();
    float quantised = float(int32_t(float(segments) * shown + 0.5f)) / float(segments);
    int32_t lit = int32_t(quantised * float(length));
    return lit < 0 ? 0 : lit > length ? length : lit;
}

void CVuMeter::draw(CDrawContext* context)
{
    bounceValue();
    float decayed = shownValue - decreaseValue;
    shownValue = value > decayed ? value : decayed;
    if (shownValue < vmin)
        shownValue = vmin;
    int32_t lit = litLength(shownValue);
    if (useOffscreen && context != nullptr) {
        COffscreenContext offscreen(context->getFrame(), size.width(), size.height());
        drawParts(&offscreen, CRect(0, 0, size.width(), size.height()), lit);
        offscreen.copyTo(context, size);
    } else {
        drawParts(context, size, lit);
    }
    setDirty(false);
}

void CVuMeter::drawParts(CDrawContext* context, const CRect& rect, int32_t lit)
{
    if ((style & kHorizontal) != 0) {
        CRect on(rect.left, rect.top, rect.left + lit, rect.bottom);
        CRect off(rect.left + lit, rect.top, rect.right, rect.bottom);
        if (offBitmap != nullptr)
            offBitmap->draw(context, off, CPoint(lit, 0));
        if (onBitmap != nullptr)
            onBitmap->draw(context, on, CPoint(0, 0));
        return;
    }
    int32_t unlit = rect.height() - lit;
    CRect off(rect.left, rect.top, rect.right, rect.top + unlit);
    CRect on(rect.left, rect.top + unlit, rect.right, rect.bottom);
    if (offBitmap != nullptr)
        offBitmap->draw(context, off, CPoint(0, 0));
    if (onBitmap != nullptr)
        onBitmap->draw(context, on, CPoint(0, unlit));
}

bool CVuMeter::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CVuMeter") == 0) || CControl::isTypeOf(name);
}
