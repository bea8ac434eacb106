// The band-pass range bar.
#include "editor/c_range_bar.h"

#include "engine/engine_base.h"
#include "gui/c_bitmap.h"

#include <cstring>

CRangeBar::CRangeBar(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* backdrop, CBitmap* bar,
                     EngineBase* engine, int32_t lowParameter, int32_t highParameter, int32_t linkParameter)
    : CControl(size, listener, tag), backdrop(backdrop), bar(bar), engine(engine), lowParameter(lowParameter),
      highParameter(highParameter), linkParameter(linkParameter)
{
    if (backdrop != nullptr)
        backdrop->addReference();
    if (bar != nullptr)
        bar->addReference();
}

CRangeBar::~CRangeBar()
{
    if (backdrop != nullptr)
        backdrop->dropReference();
    if (bar != nullptr)
        bar->dropReference();
}

float CRangeBar::engineValue(int32_t index) const
{
    float v = engine != nullptr ? engine->getParameter(index) : 0.0f;
    return v >= 0.0f ? (v <= 1.0f ? v : 1.0f) : 0.0f;
}

CRect CRangeBar::barRect() const
{
    int32_t height = size.height();
    float low = engineValue(lowParameter);
    float high = engineValue(highParameter);
    return CRect(size.left, size.top + int32_t(float(height) * (1.0f - high)), size.right,
                 size.bottom - int32_t(float(height) * low));
}

void CRangeBar::draw(CDrawContext* context)
{
    if (backdrop != nullptr)
        backdrop->draw(context, size, getFrameRect().topLeft());
    if (bar != nullptr) {
        CRect place = barRect();
        bar->draw(context, place, CPoint(0, place.top - size.top));
    }
    setDirty(false);
}

bool CRangeBar::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CRangeBar") == 0) || CControl::isTypeOf(name);
}
