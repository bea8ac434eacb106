// A list chooser drawn from the skin: a three-frame button bitmap with arrows at both ends and the current
// entry's text in the skin's first font. The value carries entry i as i / capacity.
#pragma once

#include "gui/c_control.h"

#include <string>

class SkinFont;

class CSkinSelector : public CControl {
public:
    static constexpr int32_t kEntryTextSize = 256;
    static constexpr int32_t kDefaultButtonWidth = 24;
    enum Pressed : int32_t { kNone = 0, kRightArrow = 1, kLeftArrow = 2 };

    // button: three frames stacked (normal, right arrow pressed, left arrow pressed); font may be null.
    CSkinSelector(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* button, int32_t buttonWidth,
                  SkinFont* font, int32_t capacity, CBitmap* backdrop);
    ~CSkinSelector() override;

    void draw(CDrawContext* context) override;
    // Middle: a menu of the entries. Arrows: one entry forward (right) or back (left), repeated while held,
    // never beyond the first or last entry.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;
    // One entry per turn, forward for a turn away from the user, within the entries.
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;

    // Copies text only when index < the entry count.
    void setEntry(const char* text, int32_t index);
    void setEntries(const char* const* texts, int32_t count);
    // Changed only when the selector has room for that many entries.
    void setEntryCount(int32_t count);
    void setButtonWidth(int32_t width) { buttonWidth = width; }
    int32_t getButtonWidth() const { return buttonWidth; }
    int32_t getEntryCount() const { return count; }
    int32_t getCapacity() const { return capacity; }
    const std::string& getEntry(int32_t index) const;
    // The entry the engine uses for the value: rounded as the engine rounds list values, limited to the
    // entries (0 without any).
    int32_t getIndex() const;
    static int32_t indexOf(float value, int32_t capacity, int32_t count);
    void setPressed(int32_t state) { pressed = state; }
    int32_t getPressed() const { return pressed; }

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinSelector"; }

private:
    void runMenu(CDrawContext* context, const CPoint& where);
    void holdArrow(CDrawContext* context, int32_t direction);
    // Moves the value by direction entries, limited to the entries.
    void stepEntry(int32_t direction);

    CRect bounds;
    CBitmap* button;
    SkinFont* font;
    int32_t capacity;
    int32_t count;
    std::string* entries;
    CBitmap* backdrop;
    int32_t buttonWidth;
    int32_t pressed = kNone;
};
