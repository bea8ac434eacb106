// The skin's level meters.
#include "editor/c_level_meter.h"

#include "gui/c_bitmap.h"
#include "gui/c_offscreen_context.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool shown = false;

// Every live level meter, so the shared switch can repaint all of them (user-interface thread only).
std::vector<CLevelMeter*>& liveMeters()
{
    static std::vector<CLevelMeter*> meters;
    return meters;
}

}  // namespace

CLevelMeter::CLevelMeter(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* onBitmap,
                         CBitmap* offBitmap, int32_t segments, int32_t style)
    : CVuMeter(size, onBitmap, offBitmap, segments, style), on(onBitmap), off(offBitmap),
      segmentCount(segments > 0 ? segments : 1)
{
    setListener(listener);
    setTag(tag);
    if (on != nullptr)
        on->addReference();
    if (off != nullptr)
        off->addReference();
    liveMeters().push_back(this);
}

CLevelMeter::~CLevelMeter()
{
    auto& meters = liveMeters();
    meters.erase(std::remove(meters.begin(), meters.end(), this), meters.end());
    if (offscreen != nullptr)
        offscreen->dropReference();
    if (on != nullptr)
        on->dropReference();
    if (off != nullptr)
        off->dropReference();
}

bool CLevelMeter::isShown()
{
    return shown;
}

void CLevelMeter::setShown(bool state)
{
    shown = state;
    for (CLevelMeter* meter : liveMeters())
        meter->setDirty(true);
}

int32_t CLevelMeter::unlitHeight(float level) const
{
    int32_t unlit = int32_t((1.0f - level) * float(segmentCount) + 0.5f);
    int32_t height = on != nullptr ? on->getHeight() : size.height();
    return int32_t(float(unlit) / float(segmentCount) * float(height));
}

void CLevelMeter::draw(CDrawContext* context)
{
    bounceValue();
    const int32_t width = size.width();
    const int32_t height = size.height();
    if (!shown) {
        if (off != nullptr)
            off->draw(context, size);
        setDirty(false);
        return;
    }
    if (offscreen == nullptr && width > 0 && height > 0)
        offscreen = new COffscreenContext(getFrame(), width, height);
    if (offscreen != nullptr) {
        int32_t k = unlitHeight(value);
        if (off != nullptr)
            off->draw(offscreen, CRect(0, 0, width, k));
        if (on != nullptr)
            on->draw(offscreen, CRect(0, k, width, height), CPoint(0, k));
        offscreen->copyTo(context, size);
    }
    setDirty(false);
}

void CLevelMeter::mouse(CDrawContext*, CPoint&, int32_t)
{
    if (mouseEnabled)
        setShown(!shown);
}

bool CLevelMeter::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CLevelMeter") == 0) || CVuMeter::isTypeOf(name);
}
