// The XY morph pad.
#include "editor/c_xy_pad.h"

#include "editor/pointer_menu.h"
#include "engine/engine_base.h"
#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"
#include "gui/c_offscreen_context.h"
#include "host/plugin_base.h"

#include <cstdlib>
#include <cstring>

CXYPad::CXYPad(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* pad, CBitmap* cursor,
               CColor line, CColor ground, CFrame* frame, PluginBase* plugin, int32_t xSelector, int32_t ySelector)
    : CControl(size, listener, tag, pad), inner(size), plugin(plugin), xSelector(xSelector), ySelector(ySelector),
      cursor(cursor), lineColor(line), groundColor(ground)
{
    inner.inset(kInset, kInset);
    if (cursor != nullptr)
        cursor->addReference();
    if (size.width() > 0 && size.height() > 0)
        offscreen = new COffscreenContext(frame, size.width(), size.height(), ground);
}

CXYPad::~CXYPad()
{
    if (offscreen != nullptr)
        offscreen->dropReference();
    if (cursor != nullptr)
        cursor->dropReference();
}

float CXYPad::targetValue(int32_t index) const
{
    EngineBase* engine = plugin != nullptr ? plugin->getEngine() : nullptr;
    float v = engine != nullptr ? engine->getParameter(index) : 0.0f;
    return v >= 0.0f ? (v <= 1.0f ? v : 1.0f) : 0.0f;
}

CPoint CXYPad::cursorPoint() const
{
    int32_t width = inner.right - inner.left;
    int32_t height = inner.bottom - inner.top;
    return CPoint(int32_t(float(width) * targetValue(xTarget)) + kInset,
                  int32_t(float(height) * (1.0f - targetValue(yTarget))) + kInset);
}

CColor CXYPad::blendedLineColor(CColor line, CColor ground)
{
    const int a = line.alpha;
    auto mix = [a](int g, int l) { return uint8_t((g * (255 - a) + l * a) >> 8); };
    return CColor{mix(ground.red, line.red), mix(ground.green, line.green), mix(ground.blue, line.blue), line.alpha};
}

void CXYPad::drawLine(CDrawContext* context, int32_t x0, int32_t y0, int32_t x1, int32_t y1, CColor color)
{
    int32_t dx = x1 - x0;
    int32_t dy = y1 - y0;
    if (std::abs(dx) <= std::abs(dy)) {
        if (dy == 0)
            return;
        int32_t from = dy > 0 ? y0 : y1;
        int32_t to = dy > 0 ? y1 : y0;
        int32_t x = (dy > 0 ? x0 : x1) * 256;
        int32_t step = (dx * 256) / dy;
        for (int32_t y = from; y < to; ++y, x += step)
            context->drawPoint(CPoint(x >> 8, y), color);
    } else {
        int32_t from = dx > 0 ? x0 : x1;
        int32_t to = dx > 0 ? x1 : x0;
        int32_t y = (dx > 0 ? y0 : y1) * 256;
        int32_t step = (dy * 256) / dx;
        for (int32_t x = from; x < to; ++x, y += step)
            context->drawPoint(CPoint(x, y >> 8), color);
    }
}

void CXYPad::draw(CDrawContext* context)
{
    if (offscreen == nullptr) {
        setDirty(false);
        return;
    }
    const int32_t width = size.width();
    const int32_t height = size.height();
    offscreen->setFillColor(groundColor);
    offscreen->fillRect(CRect(0, 0, width, height));
    if (background != nullptr)
        background->draw(offscreen, CRect(0, 0, width, height));
    if (xTarget != kNoTarget && yTarget != kNoTarget) {
        CPoint at = cursorPoint();
        CColor color = blendedLineColor(lineColor, groundColor);
        drawLine(offscreen, at.h, at.v, 1, 1, color);
        drawLine(offscreen, at.h, at.v, width, 1, color);
        drawLine(offscreen, at.h, at.v, 1, height, color);
        drawLine(offscreen, at.h, at.v, width, height, color);
        if (cursor != nullptr)
            cursor->draw(offscreen, CRect(at.h - 4, at.v - 4, at.h + 5, at.v + 5));
    }
    offscreen->copyTo(context, size);
    setDirty(false);
}

float CXYPad::along(int32_t position, int32_t start, int32_t extent)
{
    if (extent <= 0)
        return -1.0f;
    float t = float(position - start) / float(extent);
    return t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
}

void CXYPad::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled || plugin == nullptr)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kRButton) != 0 || ((buttons & kLButton) != 0 && (buttons & kApple) != 0)) {
        runMenu(context, where);
        return;
    }
    if ((buttons & kLButton) == 0 || (xTarget == kNoTarget && yTarget == kNoTarget))
        return;
    // Hosts in touch mode record only what a gesture frames: frame the two parameters the pad writes.
    const bool sameTarget = xTarget == yTarget;
    if (frame != nullptr) {
        if (xTarget != kNoTarget)
            frame->beginEdit(xTarget);
        if (yTarget != kNoTarget && !sameTarget)
            frame->beginEdit(yTarget);
    }
    {
        CFrame::ModalLoop loop(frame);
        CPoint at = where;
        for (int32_t now = buttons; now != 0;) {
            float x = along(at.h, inner.left, inner.right - inner.left);
            float y = along(at.v, inner.top, inner.bottom - inner.top);
            if (EngineBase* engine = plugin->getEngine()) {
                if (xTarget != kNoTarget && x >= 0.0f)
                    engine->setParameter(xTarget, x);
                if (yTarget != kNoTarget && y >= 0.0f)
                    engine->setParameter(yTarget, 1.0f - y);
            }
            // The editor sends both targets on through the plug-in's automated set: program and host follow.
            tellListener(context);
            setDirty(true);
            if (frame != nullptr) {
                frame->paintDirtyViews();
                frame->doIdleStuff();
            }
            if (context == nullptr)
                break;
            CPoint next;
            do {
                now = context->getMouseButtons();
                context->getMouseLocation(next);
                if (next == at && now != 0 && frame != nullptr)
                    frame->doIdleStuff();
            } while (next == at && now != 0);
            at = next;
        }
    }
    if (frame != nullptr) {
        if (xTarget != kNoTarget)
            frame->endEdit(xTarget);
        if (yTarget != kNoTarget && !sameTarget)
            frame->endEdit(yTarget);
    }
}

void CXYPad::runMenu(CDrawContext* context, const CPoint& where)
{
    const float kept = value;
    {
        PointerMenu menu(listener, tag);
        menu.entries().addEntry("Midi Learn X");
        menu.entries().addEntry("Midi Learn Y");
        int32_t chosen = menu.popup(*this, where);
        // The engine then drives whatever the axis's selector names at the time the controller arrives.
        EngineBase* engine = plugin->getEngine();
        if (engine != nullptr && (chosen == kLearnX || chosen == kLearnY))
            engine->setMidiLearnIndex(chosen == kLearnX ? xSelector : ySelector);
    }
    value = kept;
    reportAfterMenu(context);
}

bool CXYPad::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CXYPad") == 0) || CControl::isTypeOf(name);
}
