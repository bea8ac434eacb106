// What the skin reader calls for each CONTROLS record: the editor's control factory.
#pragma once

#include <cstdint>

class CBitmap;
class CControl;
class CViewContainer;

class SkinControlFactory {
public:
    // Coordinates are in the container's own coordinates; true when a control was created (or, for "None",
    // the slot emptied).
    virtual bool createControl(CControl*& slot, const char* type, CBitmap* bitmap, int32_t tag,
                               CViewContainer* container, int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;

protected:
    ~SkinControlFactory() = default;
};
