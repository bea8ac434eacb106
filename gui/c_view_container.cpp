// The container of the view tree.
#include "gui/c_view_container.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"

#include <algorithm>
#include <cstring>

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background) : CView(size)
{
    this->frame = frame;
    if (background != nullptr)
        setBackground(background);
}

CViewContainer::~CViewContainer()
{
    removeAll(true);
}

bool CViewContainer::addView(CView* view)
{
    if (view == nullptr || view == this || isChild(view))
        return false;
    children.push_back(view);
    view->attached(this);
    if (view->isContainer())
        static_cast<CViewContainer*>(view)->adoptFrame(frame);
    return true;
}

bool CViewContainer::removeView(CView* view, bool dropReference)
{
    auto found = std::find(children.begin(), children.end(), view);
    if (found == children.end())
        return false;
    invalidateInFrame(view);
    children.erase(found);
    view->removed(this);
    if (dropReference)
        view->dropReference();
    return true;
}

void CViewContainer::removeAll(bool dropReference)
{
    while (!children.empty())
        removeView(children.back(), dropReference);
}

bool CViewContainer::isChild(const CView* view) const
{
    return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(int index) const
{
    if (index < 0 || index >= int(children.size()))
        return nullptr;
    return children[size_t(index)];
}

void CViewContainer::setBackgroundColor(CColor color)
{
    backgroundColor = color;
    hasBackgroundColor = true;
    setDirty(true);
}

void CViewContainer::setViewSize(const CRect& rect)
{
    invalidateInFrame(this);
    CView::setViewSize(rect);
    setMouseableArea(rect);
}

void CViewContainer::draw(CDrawContext* context)
{
    if (context == nullptr)
        return;
    if (hasBackgroundColor) {
        context->setFillColor(backgroundColor);
        context->fillRect(size);
    }
    if (background != nullptr)
        background->draw(context, size);

    CPoint savedOffset = context->getOffset();
    CRect savedClip = context->getClipRect();
    CRect inner = savedClip;
    inner.bound(size);
    context->setOffset(CPoint(savedOffset.h + size.left, savedOffset.v + size.top));
    inner.offset(-size.left, -size.top);
    context->setClipRect(inner);
    for (size_t i = 0; i < children.size(); ++i) {
        CView* child = children[i];
        if (child->getViewSize().rectOverlap(inner))
            child->draw(context);
    }
    context->setOffset(savedOffset);
    context->setClipRect(savedClip);
    setDirty(false);
}

template <typename Handler>
bool CViewContainer::passToChildAt(CDrawContext* context, const CPoint& where, Handler handler)
{
    if (context == nullptr)
        return false;
    CPoint local(where.h - size.left, where.v - size.top);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* child = *it;
        if (!child->getMouseEnabled() || !child->hitTest(local))
            continue;
        CPoint savedOffset = context->getOffset();
        context->setOffset(CPoint(savedOffset.h + size.left, savedOffset.v + size.top));
        // The handler may take the view out of the tree; it must live until the handler returns.
        child->addReference();
        bool used = handler(*child, local);
        child->dropReference();
        context->setOffset(savedOffset);
        return used;
    }
    return false;
}

void CViewContainer::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    passToChildAt(context, where, [&](CView& child, CPoint& local) {
        child.mouse(context, local, buttons);
        return true;
    });
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance)
{
    return passToChildAt(context, where,
                         [&](CView& child, CPoint& local) { return child.onWheel(context, local, distance); });
}

bool CViewContainer::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CViewContainer") == 0) || CView::isTypeOf(name);
}

void CViewContainer::attached(CView* newParent)
{
    CView::attached(newParent);
    adoptFrame(frame);
}

void CViewContainer::adoptFrame(CFrame* newFrame)
{
    if (newFrame == nullptr)
        return;
    frame = newFrame;
    for (CView* child : children) {
        child->setFrame(newFrame);
        if (child->isContainer())
            static_cast<CViewContainer*>(child)->adoptFrame(newFrame);
    }
}

void CViewContainer::invalidateInFrame(const CView* view) const
{
    if (frame == nullptr || view == frame)
        return;
    // Only areas the frame actually shows matter; a detached page has nothing on screen to clear.
    for (const CView* at = view->getParentView(); at != nullptr; at = at->getParentView()) {
        if (at == frame) {
            frame->invalidRect(view->getFrameRect());
            return;
        }
    }
}

void CViewContainer::collectDirtyAreas(std::vector<CRect>& areas) const
{
    for (const CView* child : children) {
        if (child->isDirty())
            areas.push_back(child->getFrameRect());
        else if (child->isContainer())
            static_cast<const CViewContainer*>(child)->collectDirtyAreas(areas);
    }
}

CView* CViewContainer::getViewAt(const CPoint& where) const
{
    CPoint local(where.h - size.left, where.v - size.top);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* child = *it;
        if (!child->getMouseEnabled() || !child->hitTest(local))
            continue;
        if (child->isContainer()) {
            CView* deeper = static_cast<CViewContainer*>(child)->getViewAt(local);
            return deeper != nullptr ? deeper : child;
        }
        return child;
    }
    return nullptr;
}
