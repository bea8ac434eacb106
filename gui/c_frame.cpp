// The frame: input routing, dirty-area painting and the link to the platform window.
#include "gui/c_frame.h"

#include "gui/c_draw_context.h"

#include <cstring>

namespace {

// Views are few; beyond this many separate areas one bounding area paints faster than many small ones.
constexpr size_t kMaxSeparateAreas = 16;

void mergeInto(std::vector<CRect>& merged, CRect area)
{
    if (area.isEmpty())
        return;
    bool grown = true;
    while (grown) {
        grown = false;
        for (size_t i = 0; i < merged.size(); ++i) {
            if (merged[i].rectOverlap(area)) {
                area.unite(merged[i]);
                merged.erase(merged.begin() + long(i));
                grown = true;
                break;
            }
        }
    }
    merged.push_back(area);
    if (merged.size() > kMaxSeparateAreas) {
        CRect all;
        for (const CRect& each : merged)
            all.unite(each);
        merged.assign(1, all);
    }
}

}  // namespace

CFrame::CFrame(const CRect& size, void* parentWindow, FrameOwner* editor)
    : CViewContainer(CRect(0, 0, size.width(), size.height()), nullptr),
      parentWindow(parentWindow),
      editor(editor)
{
    frame = this;
    // The button-face grey shows until the editor sets its background.
    setBackgroundColor(CColor{212, 208, 200, 255});
}

CFrame::~CFrame()
{
    // Children go first: their destructors may still ask the frame for things.
    removeAll(true);
    if (window)
        window->close();
    if (context != nullptr)
        context->dropReference();
}

bool CFrame::open()
{
    if (context != nullptr)
        return true;
    PixelBuffer buffer(size.width(), size.height(), PixelBuffer::opaque(getBackgroundColor()));
    if (buffer.empty())
        return false;
    // A host window we cannot use (no display to reach, an id that names nothing) leaves the frame without
    // one: the editor is still open and its controls follow their parameters; nothing shows, no input comes.
    std::unique_ptr<PlatformWindow> made = PlatformWindow::create(*this);
    if (made && made->open(parentWindow, size.width(), size.height()))
        window = std::move(made);
    backBuffer = std::move(buffer);
    context = new CDrawContext(this, &backBuffer);
    setDirty(true);
    return true;
}

bool CFrame::isOpen() const
{
    return window && window->isOpen();
}

void CFrame::idle(bool takeInput)
{
    if (!window)
        return;
    window->pumpEvents(takeInput && !isModalLoopRunning() && !closing);
    paintDirtyViews();
}

void CFrame::invalidRect(const CRect& area)
{
    CRect visible = area;
    visible.bound(size);
    if (!visible.isEmpty())
        pendingAreas.push_back(visible);
}

void CFrame::paintDirtyViews()
{
    if (!window || context == nullptr)
        return;
    std::vector<CRect> areas;
    if (isDirty()) {
        areas.push_back(size);
    } else {
        for (const CRect& pending : pendingAreas)
            mergeInto(areas, pending);
        std::vector<CRect> dirtyViews;
        collectDirtyAreas(dirtyViews);
        for (const CRect& each : dirtyViews) {
            CRect visible = each;
            visible.bound(size);
            mergeInto(areas, visible);
        }
    }
    pendingAreas.clear();
    for (const CRect& area : areas)
        paintArea(area);
    CRect touched = context->takeTouchedArea();
    touched.bound(size);
    if (!touched.isEmpty())
        window->present(backBuffer, touched);
}

void CFrame::paintArea(const CRect& area)
{
    CPoint savedOffset = context->getOffset();
    CRect savedClip = context->getClipRect();
    context->setOffset(CPoint());
    context->setClipRect(area);
    draw(context);
    context->setOffset(savedOffset);
    context->setClipRect(savedClip);
}

bool CFrame::setModalView(CView* view)
{
    if (view != nullptr && modalView != nullptr && view != modalView)
        return false;
    modalView = view;
    return true;
}

int CFrame::getKnobMode() const
{
    return editor != nullptr ? editor->getKnobMode() : kCircularMode;
}

void CFrame::doIdleStuff()
{
    if (editor != nullptr)
        editor->doIdleStuff();
    else
        idle();
}

void CFrame::beginEdit(int index)
{
    if (editor != nullptr)
        editor->beginEdit(index);
}

void CFrame::endEdit(int index)
{
    if (editor != nullptr)
        editor->endEdit(index);
}

int32_t CFrame::getCurrentMouseButtons()
{
    CPoint where;
    if (!window)
        return 0;
    int32_t buttons = window->queryPointer(where);
    return closing ? 0 : buttons;
}

void CFrame::getCurrentMouseLocation(CPoint& where)
{
    if (window)
        window->pointerLocation(where);
}

bool CFrame::onWheel(float distance)
{
    if (!window || context == nullptr || closing || isModalLoopRunning())
        return false;
    CPoint where;
    window->pointerLocation(where);
    ModalLoop busy(this);
    context->setOffset(CPoint());
    return CViewContainer::onWheel(context, where, distance);
}

std::unique_ptr<PlatformPopup> CFrame::openPopup(const CRect& area)
{
    if (!window || closing)
        return nullptr;
    return window->openPopup(area);
}

bool CFrame::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CFrame") == 0) || CViewContainer::isTypeOf(name);
}

void CFrame::handlePlatformEvent(const PlatformEvent& event)
{
    if (context == nullptr || closing || isModalLoopRunning())
        return;
    switch (event.type) {
    case PlatformEvent::Type::ButtonPress: {
        ModalLoop busy(this);
        context->setOffset(CPoint());
        context->resetClipRect();
        CPoint where = event.where;
        if (modalView != nullptr) {
            CPoint origin;
            if (modalView->getParentView() != nullptr)
                modalView->getParentView()->localToFrame(origin);
            where.offset(-origin.h, -origin.v);
            context->setOffset(origin);
            modalView->mouse(context, where, event.buttons);
        } else {
            mouse(context, where, event.buttons);
        }
        context->setOffset(CPoint());
        break;
    }
    case PlatformEvent::Type::Wheel: {
        ModalLoop busy(this);
        context->setOffset(CPoint());
        CViewContainer::onWheel(context, event.where, event.wheel);
        break;
    }
    case PlatformEvent::Type::Expose:
        invalidRect(event.area);
        break;
    default:
        break;
    }
}
