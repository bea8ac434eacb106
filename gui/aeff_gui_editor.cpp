// The editor base.
#include "gui/aeff_gui_editor.h"

#include "gui/c_frame.h"
#include "gui/platform/platform_time.h"
#include "host/audio_effect_x.h"

namespace {

// A modal loop calls the pass on every turn; these keep it from flooding the host with idle requests.
constexpr int64_t kIdleSleepMs = 4;
constexpr int64_t kIdleEarlyMs = 50;
constexpr int64_t kIdlePeriodMs = 100;

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect)
    : AEffEditor(effect), constructionTicks(PlatformTime::nowMs()), nextIdleTime(constructionTicks)
{
    if (effect != nullptr)
        effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor()
{
    if (frame != nullptr) {
        frame->dropReference();
        frame = nullptr;
    }
    auto* extended = dynamic_cast<AudioEffectX*>(effect);
    if (extended != nullptr && extended->getEditor() == this)
        effect->setEditor(nullptr);
}

bool AEffGUIEditor::getRect(ERect** answer)
{
    if (answer == nullptr)
        return false;
    *answer = &rect;
    return true;
}

bool AEffGUIEditor::open(void* parentWindow)
{
    runPendingClose();
    systemWindow = parentWindow;
    return true;
}

void AEffGUIEditor::close()
{
    if (deferCloseWhileBusy())
        return;
    if (frame != nullptr) {
        frame->dropReference();
        frame = nullptr;
    }
    systemWindow = nullptr;
}

bool AEffGUIEditor::isBusy() const
{
    return inIdleStuff || (frame != nullptr && frame->isModalLoopRunning());
}

bool AEffGUIEditor::deferCloseWhileBusy()
{
    if (!isBusy()) {
        closePending = false;
        return false;
    }
    closePending = true;
    if (frame != nullptr)
        frame->setClosing(true);
    return true;
}

void AEffGUIEditor::runPendingClose()
{
    if (closePending && !isBusy()) {
        closePending = false;
        close();
    }
}

void AEffGUIEditor::idle()
{
    if (inIdleStuff)
        return;
    if (frame != nullptr && !closePending) {
        if (updatePending) {
            updatePending = false;
            frame->redraw();
        }
        frame->idle();
    }
    runPendingClose();
}

void AEffGUIEditor::postUpdate()
{
    updatePending = true;
}

int AEffGUIEditor::onKeyDown(VstKeyCode&)
{
    return frame != nullptr ? 0 : -1;
}

int AEffGUIEditor::onKeyUp(VstKeyCode&)
{
    return frame != nullptr ? 0 : -1;
}

bool AEffGUIEditor::setKnobMode(int mode)
{
    knobMode = mode;
    return true;
}

bool AEffGUIEditor::onWheel(float distance)
{
    return frame != nullptr && !closePending && frame->onWheel(distance);
}

void AEffGUIEditor::setParameter(int, float) {}

void AEffGUIEditor::draw(ERect* area)
{
    if (frame == nullptr)
        return;
    if (area == nullptr)
        frame->redraw();
    else
        frame->invalidRect(CRect(area->left, area->top, area->right, area->bottom));
    frame->paintDirtyViews();
}

void AEffGUIEditor::doIdleStuff()
{
    if (inIdleStuff)
        return;
    if (PlatformTime::nowMs() < nextIdleTime) {
        PlatformTime::sleepMs(int32_t(kIdleSleepMs));
        if (nextIdleTime - PlatformTime::nowMs() > kIdleEarlyMs)
            return;
    }
    inIdleStuff = true;
    if (frame != nullptr && !closePending) {
        if (updatePending) {
            updatePending = false;
            frame->redraw();
        }
        // Paint and window housekeeping only: input waits for the host's idle or the running loop's polls.
        frame->idle(false);
    }
    nextIdleTime = PlatformTime::nowMs() + kIdlePeriodMs;
    if (effect != nullptr)
        effect->masterIdle();
    inIdleStuff = false;
}

void AEffGUIEditor::beginEdit(int index)
{
    if (auto* extended = dynamic_cast<AudioEffectX*>(effect))
        extended->beginEdit(index);
}

void AEffGUIEditor::endEdit(int index)
{
    if (auto* extended = dynamic_cast<AudioEffectX*>(effect))
        extended->endEdit(index);
}
