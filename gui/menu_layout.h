// Where each entry of a pop-up menu goes: rows in columns, sized for the text in the system font.
#pragma once

#include "gui/c_point.h"
#include "gui/c_rect.h"

#include <vector>

class COptionMenu;
class SystemFont;

class MenuLayout {
public:
    static constexpr int32_t kFontSize = 13;
    static constexpr int32_t kEntryHeight = 20;
    static constexpr int32_t kSeparatorHeight = 9;
    static constexpr int32_t kCheckWidth = 20;
    static constexpr int32_t kArrowWidth = 16;
    static constexpr int32_t kTextPadding = 14;
    static constexpr int32_t kMinColumnWidth = 90;
    static constexpr int32_t kBorder = 1;

    MenuLayout(const COptionMenu& menu, SystemFont& font);

    int32_t width() const { return totalWidth; }
    int32_t height() const { return totalHeight; }
    // Pop-up coordinates; an empty rectangle for an index out of range.
    CRect entryRect(int32_t index) const;
    // The entry under where (pop-up coordinates), −1 for none.
    int32_t entryAt(const CPoint& where) const;
    // Left edges of the second and later columns (for the dividing lines).
    const std::vector<int32_t>& columnEdges() const { return edges; }

private:
    std::vector<CRect> rects;
    std::vector<int32_t> edges;
    int32_t totalWidth = 0;
    int32_t totalHeight = 0;
};
