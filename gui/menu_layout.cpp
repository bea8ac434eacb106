// Menu geometry.
#include "gui/menu_layout.h"

#include "gui/c_option_menu.h"
#include "gui/system_font.h"

#include <algorithm>

MenuLayout::MenuLayout(const COptionMenu& menu, SystemFont& font)
{
    struct Column {
        int32_t first;
        int32_t width;
    };
    std::vector<Column> columns{{0, kMinColumnWidth}};
    int32_t count = menu.getNbEntries();
    std::vector<int32_t> tops(size_t(count), 0), heights(size_t(count), 0), columnOf(size_t(count), 0);
    int32_t y = kBorder, tallest = kBorder;
    for (int32_t i = 0; i < count; ++i) {
        if (menu.startsColumn(i)) {
            columns.push_back(Column{i, kMinColumnWidth});
            y = kBorder;
        }
        bool separator = menu.entryKind(i) == COptionMenu::EntryKind::kSeparator;
        int32_t h = separator ? kSeparatorHeight : kEntryHeight;
        tops[size_t(i)] = y;
        heights[size_t(i)] = h;
        columnOf[size_t(i)] = int32_t(columns.size()) - 1;
        y += h;
        tallest = std::max(tallest, y);
        // The arrow column is kept free in every row so that text never runs under a sub-menu arrow.
        int32_t wanted = kCheckWidth + font.textWidth(menu.shownText(i), kFontSize) + kTextPadding + kArrowWidth;
        columns.back().width = std::max(columns.back().width, wanted);
    }
    std::vector<int32_t> lefts;
    int32_t x = kBorder;
    for (const Column& column : columns) {
        if (x != kBorder)
            edges.push_back(x);
        lefts.push_back(x);
        x += column.width;
    }
    totalWidth = x + kBorder;
    totalHeight = std::max(tallest, kBorder + kEntryHeight) + kBorder;
    for (int32_t i = 0; i < count; ++i) {
        size_t column = size_t(columnOf[size_t(i)]);
        int32_t left = lefts[column];
        rects.emplace_back(left, tops[size_t(i)], left + columns[column].width, tops[size_t(i)] + heights[size_t(i)]);
    }
}

CRect MenuLayout::entryRect(int32_t index) const
{
    if (index < 0 || index >= int32_t(rects.size()))
        return CRect();
    return rects[size_t(index)];
}

int32_t MenuLayout::entryAt(const CPoint& where) const
{
    for (size_t i = 0; i < rects.size(); ++i)
        if (rects[i].pointInside(where))
            return int32_t(i);
    return -1;
}
