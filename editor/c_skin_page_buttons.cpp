// The skin's page buttons.
#include "editor/c_skin_page_buttons.h"

#include "gui/c_bitmap.h"
#include "gui/c_draw_context.h"
#include "gui/c_frame.h"
#include "params/parameter_table.h"

#include <cstring>

CSkinPageButtons::CSkinPageButtons(const CRect& size, CControlListener* listener, int32_t tag, int32_t buttons,
                                   int32_t spacingX, int32_t spacingY)
    : CControl(size, listener, tag), count(buttons > 0 ? buttons : 0), spacingX(spacingX), spacingY(spacingY)
{
}

CSkinPageButtons::~CSkinPageButtons()
{
    for (CBitmap* bitmap : bitmaps)
        if (bitmap != nullptr)
            bitmap->dropReference();
}

void CSkinPageButtons::addButtonBitmap(CBitmap* bitmap)
{
    if (int32_t(bitmaps.size()) >= count)
        return;
    if (bitmap != nullptr)
        bitmap->addReference();
    bitmaps.push_back(bitmap);
}

CRect CSkinPageButtons::buttonRect(int32_t index) const
{
    CBitmap* bitmap = index >= 0 && index < int32_t(bitmaps.size()) ? bitmaps[size_t(index)] : nullptr;
    int32_t left = CRect::saturate(int64_t(size.left) + int64_t(index) * spacingX);
    int32_t top = CRect::saturate(int64_t(size.top) + int64_t(index) * spacingY);
    if (bitmap == nullptr)
        return CRect(left, top, left, top);
    return CRect(left, top, CRect::saturate(int64_t(left) + bitmap->getWidth()),
                 CRect::saturate(int64_t(top) + bitmap->getHeight() / 2));
}

int32_t CSkinPageButtons::getSelected() const
{
    return listIndexFromNormalized(value, count > 0 ? count : 1);
}

void CSkinPageButtons::setSelected(int32_t index)
{
    if (index < 0)
        index = 0;
    if (index > count - 1)
        index = count > 0 ? count - 1 : 0;
    value = float(index) * 0.01f;
}

void CSkinPageButtons::draw(CDrawContext* context)
{
    int32_t selected = getSelected();
    for (int32_t i = 0; i < int32_t(bitmaps.size()); ++i) {
        CBitmap* bitmap = bitmaps[size_t(i)];
        if (bitmap == nullptr)
            continue;
        bitmap->draw(context, buttonRect(i), CPoint(0, i == selected ? bitmap->getHeight() / 2 : 0));
    }
    setDirty(false);
}

void CSkinPageButtons::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if (buttons == 0)
        return;
    for (int32_t i = 0; i < int32_t(bitmaps.size()); ++i) {
        CRect place = buttonRect(i);
        // Edges included on every side, as the buttons were drawn to be hit.
        if (where.h < place.left || where.h > place.right || where.v < place.top || where.v > place.bottom)
            continue;
        if (i != getSelected()) {
            setSelected(i);
            tellListener(context);
        }
        break;
    }
    CFrame::ModalLoop loop(frame);
    while (context != nullptr && context->getMouseButtons() != 0)
        if (frame != nullptr)
            frame->doIdleStuff();
}

bool CSkinPageButtons::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinPageButtons") == 0) || CControl::isTypeOf(name);
}
