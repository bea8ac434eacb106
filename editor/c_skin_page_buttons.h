// A row of page buttons, one selected: each drawn from a two-frame bitmap (upper not selected, lower selected).
// The value carries button i as i / 100.
#pragma once

#include "gui/c_control.h"

#include <vector>

class CSkinPageButtons : public CControl {
public:
    // Button i sits at (left + i × spacingX, top + i × spacingY); bitmaps follow through addButtonBitmap.
    CSkinPageButtons(const CRect& size, CControlListener* listener, int32_t tag, int32_t buttons, int32_t spacingX,
                     int32_t spacingY = 0);
    ~CSkinPageButtons() override;

    // Gives the next button its bitmap (takes a reference); ignored once every button has one.
    virtual void addButtonBitmap(CBitmap* bitmap);

    void draw(CDrawContext* context) override;
    // The first button under the pointer becomes selected (the listener told when that changed); then waits
    // until every button is released.
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = kReadCurrentButtons) override;

    int32_t getSelected() const;
    void setSelected(int32_t index);
    int32_t getButtonCount() const { return count; }
    CRect buttonRect(int32_t index) const;

    bool isTypeOf(const char* name) const override;
    const char* getClassName() const override { return "CSkinPageButtons"; }

private:
    int32_t count;
    int32_t spacingX;
    int32_t spacingY;
    std::vector<CBitmap*> bitmaps;
};
