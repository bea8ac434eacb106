// A list of entries that pops up as a menu and answers the chosen entry to the code that popped it up.
#pragma once

#include "gui/c_param_display.h"

#include <string>
#include <vector>

class CFrame;

class COptionMenu : public CParamDisplay {
public:
    enum Style : int32_t {
        kCheckStyle = 1,          // entries whose check flag is set show a check mark
        kCheckCurrentStyle = 0x400,  // only the current entry shows one
    };
    enum class EntryKind { kPlain, kSeparator, kSubMenuTitle, kGreyed, kDisabled };
    // Columns are used only by menus shorter than this.
    static constexpr int32_t kMaxEntriesForColumns = 160;

    COptionMenu(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background = nullptr,
                int32_t style = 0);
    ~COptionMenu() override;

    // Markers: "-" alone is a separator; "-M…" titles the next sub-menu (in the order they were added);
    // "-G…" is greyed and "-T…" disabled, the two marker characters not shown. index −1 appends.
    bool addEntry(const std::string& text, int32_t index = -1);
    // The text exactly as given: user data such as a program named "-" or "-Mx" stays a plain entry.
    bool addLiteralEntry(const std::string& text, int32_t index = -1);
    bool addSeparator() { return addEntry("-"); }
    bool removeEntry(int32_t index);
    void removeAllEntry();
    int32_t getNbEntries() const { return int32_t(entries.size()); }
    // The text as given, markers included; empty for an index out of range.
    std::string getEntry(int32_t index) const;

    bool checkEntry(int32_t index, bool checked);
    bool isCheckedEntry(int32_t index) const;
    bool setCurrent(int32_t index);
    int32_t getCurrent() const { return current; }
    // Takes a reference to submenu; it opens from the next "-M" entry without one.
    bool addMenu(COptionMenu* submenu);
    int32_t getNbSubMenus() const { return int32_t(submenus.size()); }
    void setNbItemsPerColumn(int32_t count) { itemsPerColumn = count; }
    int32_t getNbItemsPerColumn() const { return itemsPerColumn; }
    // 0 for none, or 1, 2, 3 digits: "%1d %s", "%02d %s", "%03d %s" with the entry's number from 1.
    void setPrefixNumbers(int32_t digits) { prefixDigits = digits >= 0 && digits <= 3 ? digits : 0; }

    // Pops up at where (frame coordinates): the menu joins the frame, its mouse handler runs, focus is
    // dropped and it leaves the frame again. Answers the chosen entry's index, −1 when dismissed.
    int32_t popup(CFrame* frame, const CPoint& where);
    int32_t getLastResult() const { return lastResult; }
    // The menu the last chosen entry belongs to (this one or a sub-menu), null when dismissed.
    COptionMenu* getLastItemMenu(int32_t& index) const;

    // Opens the menu at the control's top-left; the choice is kept for the caller, never sent to the
    // listener as a value (a menu entry is no parameter value).
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    EntryKind entryKind(int32_t index) const;
    // What the entry shows: markers taken off, the number prefix put on.
    std::string shownText(int32_t index) const;
    bool showsCheck(int32_t index) const;
    bool isChoosable(int32_t index) const;
    // The sub-menu a title entry opens, or null.
    COptionMenu* subMenuOf(int32_t index) const;
    // True for the first entry of every column after the first.
    bool startsColumn(int32_t index) const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "COptionMenu"; }

protected:
    std::string displayText() const override;

private:
    struct Entry {
        std::string text;
        bool literal = false;
        bool checked = false;
    };
    bool insertEntry(Entry entry, int32_t index);

    std::vector<Entry> entries;
    std::vector<COptionMenu*> submenus;
    int32_t current = -1;
    int32_t lastResult = -1;
    COptionMenu* lastMenu = nullptr;
    int32_t itemsPerColumn = 0;
    int32_t prefixDigits = 0;
};
