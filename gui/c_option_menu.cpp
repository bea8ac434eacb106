// The option menu's entries and how it pops up.
#include "gui/c_option_menu.h"

#include "gui/c_frame.h"
#include "gui/menu_popup.h"

#include <cstdio>
#include <cstring>

namespace {

bool hasMarker(const std::string& text, char marker)
{
    return text.size() >= 2 && text[0] == '-' && text[1] == marker;
}

}  // namespace

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                         int32_t style)
    : CParamDisplay(size, background, style)
{
    setListener(listener);
    setTag(tag);
}

COptionMenu::~COptionMenu()
{
    for (COptionMenu* submenu : submenus)
        submenu->dropReference();
}

bool COptionMenu::insertEntry(Entry entry, int32_t index)
{
    if (index < 0 || index > getNbEntries())
        index = getNbEntries();
    entries.insert(entries.begin() + index, std::move(entry));
    setDirty(true);
    return true;
}

bool COptionMenu::addEntry(const std::string& text, int32_t index)
{
    return insertEntry(Entry{text, false, false}, index);
}

bool COptionMenu::addLiteralEntry(const std::string& text, int32_t index)
{
    return insertEntry(Entry{text, true, false}, index);
}

bool COptionMenu::removeEntry(int32_t index)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    entries.erase(entries.begin() + index);
    if (current == index)
        current = -1;
    else if (current > index)
        current--;
    setDirty(true);
    return true;
}

void COptionMenu::removeAllEntry()
{
    entries.clear();
    current = -1;
    setDirty(true);
}

std::string COptionMenu::getEntry(int32_t index) const
{
    if (index < 0 || index >= getNbEntries())
        return std::string();
    return entries[size_t(index)].text;
}

bool COptionMenu::checkEntry(int32_t index, bool checked)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    entries[size_t(index)].checked = checked;
    return true;
}

bool COptionMenu::isCheckedEntry(int32_t index) const
{
    return index >= 0 && index < getNbEntries() && entries[size_t(index)].checked;
}

bool COptionMenu::setCurrent(int32_t index)
{
    if (index < -1 || index >= getNbEntries())
        return false;
    current = index;
    setDirty(true);
    return true;
}

bool COptionMenu::addMenu(COptionMenu* submenu)
{
    if (submenu == nullptr || submenu == this)
        return false;
    submenu->addReference();
    submenus.push_back(submenu);
    return true;
}

COptionMenu::EntryKind COptionMenu::entryKind(int32_t index) const
{
    if (index < 0 || index >= getNbEntries())
        return EntryKind::kDisabled;
    const Entry& entry = entries[size_t(index)];
    if (entry.literal)
        return EntryKind::kPlain;
    if (entry.text == "-")
        return EntryKind::kSeparator;
    if (hasMarker(entry.text, 'M'))
        return EntryKind::kSubMenuTitle;
    if (hasMarker(entry.text, 'G'))
        return EntryKind::kGreyed;
    if (hasMarker(entry.text, 'T'))
        return EntryKind::kDisabled;
    return EntryKind::kPlain;
}

std::string COptionMenu::shownText(int32_t index) const
{
    if (index < 0 || index >= getNbEntries())
        return std::string();
    EntryKind kind = entryKind(index);
    if (kind == EntryKind::kSeparator)
        return std::string();
    const std::string& text = entries[size_t(index)].text;
    std::string shown = kind == EntryKind::kPlain ? text : text.substr(2);
    if (prefixDigits == 0)
        return shown;
    static const char* const formats[] = {"%1d ", "%02d ", "%03d "};
    char prefix[16];
    std::snprintf(prefix, sizeof(prefix), formats[prefixDigits - 1], index + 1);
    return prefix + shown;
}

bool COptionMenu::showsCheck(int32_t index) const
{
    if ((style & kCheckCurrentStyle) != 0)
        return index == current;
    return (style & kCheckStyle) != 0 && isCheckedEntry(index);
}

bool COptionMenu::isChoosable(int32_t index) const
{
    EntryKind kind = entryKind(index);
    if (index < 0 || index >= getNbEntries())
        return false;
    if (kind == EntryKind::kSubMenuTitle)
        return subMenuOf(index) != nullptr;
    return kind == EntryKind::kPlain;
}

COptionMenu* COptionMenu::subMenuOf(int32_t index) const
{
    if (entryKind(index) != EntryKind::kSubMenuTitle)
        return nullptr;
    size_t titlesBefore = 0;
    for (int32_t i = 0; i < index; ++i)
        if (entryKind(i) == EntryKind::kSubMenuTitle)
            titlesBefore++;
    return titlesBefore < submenus.size() ? submenus[titlesBefore] : nullptr;
}

bool COptionMenu::startsColumn(int32_t index) const
{
    return itemsPerColumn > 0 && getNbEntries() < kMaxEntriesForColumns && index > 0 && index % itemsPerColumn == 0;
}

COptionMenu* COptionMenu::getLastItemMenu(int32_t& index) const
{
    index = lastResult;
    return lastMenu;
}

std::string COptionMenu::displayText() const
{
    return shownText(current);
}

int32_t COptionMenu::popup(CFrame* frame, const CPoint& where)
{
    lastResult = -1;
    lastMenu = nullptr;
    if (frame == nullptr)
        return -1;
    setViewSize(CRect(where.h, where.v, where.h, where.v));
    setMouseableArea(getViewSize());
    // The frame's reference is our own, so the caller's stays valid after the menu leaves the frame.
    addReference();
    if (!frame->addView(this)) {
        dropReference();
        return -1;
    }
    CPoint at = where;
    mouse(frame->getDrawContext(), at, kReadCurrentButtons);
    frame->setFocusView(nullptr);
    int32_t result = lastResult;
    frame->removeView(this, true);
    return result;
}

void COptionMenu::mouse(CDrawContext*, CPoint&, int32_t)
{
    lastResult = -1;
    lastMenu = nullptr;
    if (!mouseEnabled || frame == nullptr)
        return;
    CPoint origin(size.left, size.top);
    if (parent != nullptr)
        parent->localToFrame(origin);
    CFrame::ModalLoop loop(frame);
    MenuPopup::Result result = MenuPopup(*this).run(*frame, origin);
    lastResult = result.index;
    lastMenu = result.menu;
}

bool COptionMenu::isTypeOf(const char* name) const
{
    return (name != nullptr && std::strcmp(name, "COptionMenu") == 0) || CParamDisplay::isTypeOf(name);
}
