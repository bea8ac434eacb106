// What one reading of a skin fills: bitmaps, fonts, named settings, pages, the main container and one
// control reference per parameter record; emptied when the editor closes.
#pragma once

#include <cstdint>

class CBitmap;
class CControl;
class CViewContainer;
class SkinFont;

class SkinTables {
public:
    static constexpr int kMaxBitmaps = 128;
    static constexpr int kMaxFonts = 8;
    static constexpr int kMaxSettings = 128;
    static constexpr int kMaxPages = 64;
    static constexpr int kMaxControls = 512;
    // Names hold at most 31 characters.
    static constexpr int kNameSize = 32;
    static constexpr int32_t kMissingSetting = -32768;

    SkinTables() = default;
    ~SkinTables();
    SkinTables(const SkinTables&) = delete;
    SkinTables& operator=(const SkinTables&) = delete;

    // Releases every bitmap, font, page and the main container, and forgets the controls.
    void clear();

    // False when the table is full or the name too long.
    bool addBitmapName(const char* name);
    int getBitmapCount() const { return bitmapCount; }
    const char* getBitmapName(int index) const { return bitmaps[index].name; }
    // Takes over the caller's reference.
    void setBitmapAt(int index, CBitmap* bitmap);
    // First entry of that exact name, or -1.
    int findBitmap(const char* name) const;
    CBitmap* getBitmap(const char* name) const;
    int getBackgroundIndex() const { return findBitmap("Background"); }

    // Takes ownership; false (and the font deleted) when the table is full.
    bool addFont(SkinFont* font);
    int getFontCount() const { return fontCount; }
    SkinFont* getFontAt(int index) const { return index >= 0 && index < fontCount ? fonts[index] : nullptr; }
    SkinFont* getFont(const char* name) const;

    bool addSetting(const char* name, int32_t value);
    int getSettingCount() const { return settingCount; }
    // kMissingSetting when the name is absent.
    int32_t getSetting(const char* name) const;

    // Takes over the caller's reference to the container.
    bool addPage(const char* name, CViewContainer* page);
    int getPageCount() const { return pageCount; }
    CViewContainer* getPageAt(int index) const { return index >= 0 && index < pageCount ? pages[index].view : nullptr; }
    // The container of that exact name: "Main" is the main container unless a page carries the name.
    int findPage(const char* name) const;
    void setMainContainer(CViewContainer* container);
    CViewContainer* getMainContainer() const { return mainContainer; }

    void clearControls();
    CControl*& controlSlot(int index) { return controls[index]; }
    CControl* getControl(int index) const
    {
        return index >= 0 && index < kMaxControls ? controls[index] : nullptr;
    }

private:
    struct NamedBitmap {
        char name[kNameSize];
        CBitmap* bitmap;
    };
    struct NamedSetting {
        char name[kNameSize];
        int32_t value;
    };
    struct NamedPage {
        char name[kNameSize];
        CViewContainer* view;
    };

    NamedBitmap bitmaps[kMaxBitmaps] = {};
    int bitmapCount = 0;
    SkinFont* fonts[kMaxFonts] = {};
    int fontCount = 0;
    NamedSetting settings[kMaxSettings] = {};
    int settingCount = 0;
    NamedPage pages[kMaxPages] = {};
    int pageCount = 0;
    CViewContainer* mainContainer = nullptr;
    CControl* controls[kMaxControls] = {};
};
