// The skin's tables and their lookups.
#include "editor/skin_tables.h"

#include "editor/skin_font.h"
#include "gui/c_bitmap.h"
#include "gui/c_view_container.h"

#include <cstring>

namespace {

bool copyName(char (&destination)[SkinTables::kNameSize], const char* name)
{
    if (name == nullptr || std::strlen(name) >= SkinTables::kNameSize)
        return false;
    std::strcpy(destination, name);
    return true;
}

}  // namespace

SkinTables::~SkinTables()
{
    clear();
}

void SkinTables::clear()
{
    clearControls();
    for (int i = 0; i < bitmapCount; ++i) {
        if (bitmaps[i].bitmap != nullptr)
            bitmaps[i].bitmap->dropReference();
        bitmaps[i] = NamedBitmap{};
    }
    bitmapCount = 0;
    for (int i = 0; i < fontCount; ++i) {
        delete fonts[i];
        fonts[i] = nullptr;
    }
    fontCount = 0;
    settingCount = 0;
    if (mainContainer != nullptr) {
        mainContainer->dropReference();
        mainContainer = nullptr;
    }
    for (int i = 0; i < pageCount; ++i) {
        if (pages[i].view != nullptr)
            pages[i].view->dropReference();
        pages[i] = NamedPage{};
    }
    pageCount = 0;
}

bool SkinTables::addBitmapName(const char* name)
{
    if (bitmapCount >= kMaxBitmaps || !copyName(bitmaps[bitmapCount].name, name))
        return false;
    bitmaps[bitmapCount].bitmap = nullptr;
    bitmapCount++;
    return true;
}

void SkinTables::setBitmapAt(int index, CBitmap* bitmap)
{
    if (index < 0 || index >= bitmapCount) {
        if (bitmap != nullptr)
            bitmap->dropReference();
        return;
    }
    if (bitmaps[index].bitmap != nullptr)
        bitmaps[index].bitmap->dropReference();
    bitmaps[index].bitmap = bitmap;
}

int SkinTables::findBitmap(const char* name) const
{
    for (int i = 0; name != nullptr && i < bitmapCount; ++i)
        if (std::strcmp(bitmaps[i].name, name) == 0)
            return i;
    return -1;
}

CBitmap* SkinTables::getBitmap(const char* name) const
{
    int i = findBitmap(name);
    return i >= 0 ? bitmaps[i].bitmap : nullptr;
}

bool SkinTables::addFont(SkinFont* font)
{
    if (fontCount >= kMaxFonts) {
        delete font;
        return false;
    }
    fonts[fontCount++] = font;
    return true;
}

SkinFont* SkinTables::getFont(const char* name) const
{
    for (int i = 0; name != nullptr && i < fontCount; ++i)
        if (std::strcmp(fonts[i]->getName(), name) == 0)
            return fonts[i];
    return nullptr;
}

bool SkinTables::addSetting(const char* name, int32_t value)
{
    if (settingCount >= kMaxSettings || !copyName(settings[settingCount].name, name))
        return false;
    settings[settingCount++].value = value;
    return true;
}

int32_t SkinTables::getSetting(const char* name) const
{
    for (int i = 0; name != nullptr && i < settingCount; ++i)
        if (std::strcmp(settings[i].name, name) == 0)
            return settings[i].value;
    return kMissingSetting;
}

bool SkinTables::addPage(const char* name, CViewContainer* page)
{
    if (pageCount >= kMaxPages || !copyName(pages[pageCount].name, name)) {
        if (page != nullptr)
            page->dropReference();
        return false;
    }
    pages[pageCount++].view = page;
    return true;
}

int SkinTables::findPage(const char* name) const
{
    for (int i = 0; name != nullptr && i < pageCount; ++i)
        if (std::strcmp(pages[i].name, name) == 0)
            return i;
    return -1;
}

void SkinTables::setMainContainer(CViewContainer* container)
{
    if (mainContainer != nullptr)
        mainContainer->dropReference();
    mainContainer = container;
}

void SkinTables::clearControls()
{
    for (CControl*& control : controls)
        control = nullptr;
}
