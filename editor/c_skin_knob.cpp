// The skin's knob.
#include "editor/c_skin_knob.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<int> skinKnobMode{CSkinKnob::kLinearKnobMode};

}  // namespace

CSkinKnob::CSkinKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames,
                     int32_t frameHeight, CBitmap* strip, const CPoint& offset, EngineBase* engine, int32_t menuTag)
    : CAnimKnob(size, listener, tag, frames, frameHeight, strip, offset), engine(engine), menuTag(menuTag)
{
    setZoomFactor(kSkinZoomFactor);
}

CSkinKnob::~CSkinKnob() = default;

int CSkinKnob::getSkinKnobMode()
{
    return skinKnobMode.load();
}

void CSkinKnob::setSkinKnobMode(int mode)
{
    skinKnobMode.store(mode);
}

bool CSkinKnob::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinKnob") == 0) || CAnimKnob::isTypeOf(name);
}
