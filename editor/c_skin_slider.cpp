// The skin's vertical slider.
#include "editor/c_skin_slider.h"

#include <cstring>

CSkinSlider::CSkinSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                         int32_t travel, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style,
                         EngineBase* engine)
    : CSlider(size, listener, tag, offsetHandle, travel, handle, background, offset, style), engine(engine)
{
}

CSkinSlider::~CSkinSlider() = default;

bool CSkinSlider::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinSlider") == 0) || CSlider::isTypeOf(name);
}
