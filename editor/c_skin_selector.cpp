// The skin's list selector.
#include "editor/c_skin_selector.h"

#include "editor/pointer_menu.h"
#include "editor/press_repeater.h"
#include "editor/skin_font.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"

#include <cmath>
#include <cstring>

CSkinSelector::CSkinSelector(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* button,
                             int32_t buttonWidth, SkinFont* font, int32_t capacity, CBitmap* backdrop)
    : CControl(size, listener, tag), bounds(size), button(button), font(font),
      capacity(capacity > 0 ? capacity : 1), count(this->capacity), entries(new std::string[size_t(this->capacity)]),
      backdrop(backdrop), buttonWidth(buttonWidth)
{
    if (button != nullptr)
        button->addReference();
    if (backdrop != nullptr)
        backdrop->addReference();
}

CSkinSelector::~CSkinSelector()
{
    delete[] entries;
    if (button != nullptr)
        button->dropReference();
    if (backdrop != nullptr)
        backdrop->dropReference();
}

void CSkinSelector::draw(CDrawContext* context)
{
    if (button != nullptr) {
        int32_t frameHeight = button->getHeight() / 3;
        button->draw(context, size, CPoint(0, frameHeight * pressed));
    }
    if (font != nullptr && count > 0) {
        CRect text(size.left + buttonWidth + 5, size.top + 1, size.right - buttonWidth, size.bottom + 1);
        font->drawText(context, text, entries[getIndex()].c_str());
    }
    setDirty(false);
}

void CSkinSelector::mouse(CDrawContext* context, CPoint& where, int32_t buttons)
{
    if (!mouseEnabled)
        return;
    buttons = resolveButtons(context, buttons);
    if ((buttons & kButtonMask) == 0)
        return;
    const int32_t x = where.h;
    if (x >= size.left + buttonWidth && x <= size.right - buttonWidth && where.v >= size.top
        && where.v <= size.bottom)
        runMenu(context, where);
    else if (x >= size.right - buttonWidth && x <= size.right)
        holdArrow(context, +1);
    else if (x >= size.left && x <= size.left + buttonWidth)
        holdArrow(context, -1);
    else
        holdArrow(context, 0);
}

void CSkinSelector::runMenu(CDrawContext* context, const CPoint& where)
{
    {
        PointerMenu menu(listener, tag);
        // Entries are names, never menu markers.
        for (int32_t i = 0; i < count; ++i)
            menu.entries().addLiteralEntry(entries[i]);
        int32_t chosen = menu.popup(*this, where);
        if (chosen >= 0 && count > 0)
            value = float(chosen < count ? chosen : count - 1) / float(capacity);
    }
    reportAfterMenu(context);
}

void CSkinSelector::stepEntry(int32_t direction)
{
    if (count <= 0)
        return;
    int32_t index = getIndex() + direction;
    index = index < 0 ? 0 : (index > count - 1 ? count - 1 : index);
    value = float(index) / float(capacity);
}

void CSkinSelector::holdArrow(CDrawContext* context, int32_t direction)
{
    if (direction != 0) {
        pressed = direction > 0 ? kRightArrow : kLeftArrow;
        setDirty(true);
        PressRepeater::run(frame, context, [&] {
            stepEntry(direction);
            tellListener(context);
        });
    }
    pressed = kNone;
    setDirty(true);
    tellListener(context);
    if (frame != nullptr)
        frame->doIdleStuff();
}

bool CSkinSelector::onWheel(CDrawContext* context, const CPoint&, float distance)
{
    if (!mouseEnabled || !(distance > 0.0f || distance < 0.0f))
        return false;
    beginEdit();
    float before = value;
    stepEntry(distance > 0.0f ? 1 : -1);
    if (value != before)
        tellListener(context);
    endEdit();
    return true;
}

void CSkinSelector::setEntry(const char* text, int32_t index)
{
    if (text == nullptr || index < 0 || index >= count)
        return;
    entries[index].assign(text, strnlen(text, kEntryTextSize - 1));
}

void CSkinSelector::setEntries(const char* const* texts, int32_t number)
{
    for (int32_t i = 0; texts != nullptr && i < number; ++i)
        setEntry(texts[i], i);
}

void CSkinSelector::setEntryCount(int32_t number)
{
    if (number >= 0 && number <= capacity)
        count = number;
}

const std::string& CSkinSelector::getEntry(int32_t index) const
{
    static const std::string none;
    return index >= 0 && index < count ? entries[index] : none;
}

int32_t CSkinSelector::getIndex() const
{
    return indexOf(value, capacity, count);
}

int32_t CSkinSelector::indexOf(float value, int32_t capacity, int32_t count)
{
    if (count <= 0)
        return 0;
    // The engine stores a list value as trunc(value × 100 + 0.5): truncating here instead would show the
    // entry below the one heard for about half of the controller values.
    float position = std::trunc(float(capacity) * value + 0.5f);
    if (!(position >= 0.0f))
        return 0;
    if (position >= float(count - 1))
        return count - 1;
    return int32_t(position);
}

bool CSkinSelector::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "CSkinSelector") == 0) || CControl::isTypeOf(name);
}
