// The view base.
#include "gui/c_view.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"

#include <cstring>

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::~CView()
{
    if (background != nullptr)
        background->dropReference();
}

void CView::draw(CDrawContext* context)
{
    if (background != nullptr)
        background->draw(context, size);
    setDirty(false);
}

void CView::mouse(CDrawContext*, CPoint&, int32_t) {}

bool CView::onWheel(CDrawContext*, const CPoint&, float)
{
    return false;
}

void CView::setBackground(CBitmap* bitmap)
{
    if (bitmap == background)
        return;
    if (bitmap != nullptr)
        bitmap->addReference();
    if (background != nullptr)
        background->dropReference();
    background = bitmap;
    setDirty(true);
}

bool CView::isTypeOf(const char* name) const
{
    return name != nullptr && std::strcmp(name, "CView") == 0;
}

void CView::attached(CView* newParent)
{
    parent = newParent;
    if (newParent != nullptr && newParent->getFrame() != nullptr)
        frame = newParent->getFrame();
    setDirty(true);
}

void CView::removed(CView*)
{
    parent = nullptr;
}

void CView::setViewSize(const CRect& rect)
{
    size = rect;
    setDirty(true);
}

CPoint& CView::localToFrame(CPoint& point) const
{
    point.offset(size.left, size.top);
    if (parent != nullptr)
        parent->localToFrame(point);
    return point;
}

CRect CView::getFrameRect() const
{
    CPoint origin;
    if (parent != nullptr)
        parent->localToFrame(origin);
    CRect rect = size;
    rect.offset(origin.h, origin.v);
    return rect;
}
