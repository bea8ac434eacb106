// Drawing and running a pop-up menu.
#include "gui/menu_popup.h"

#include "gui/c_draw_context.h"
#include "gui/c_frame.h"
#include "gui/c_option_menu.h"
#include "gui/platform/platform_window.h"
#include "gui/system_font.h"

namespace {

constexpr CColor kMenuBack{246, 246, 246, 255};
constexpr CColor kMenuBorder{120, 120, 120, 255};
constexpr CColor kMenuText{20, 20, 20, 255};
constexpr CColor kMenuGreyText{150, 150, 150, 255};
constexpr CColor kMenuHighlight{56, 116, 216, 255};
constexpr CColor kMenuHighlightText{255, 255, 255, 255};
constexpr CColor kMenuRule{200, 200, 200, 255};

void drawCheck(CDrawContext& context, const CRect& row, CColor color)
{
    int32_t x = row.left + 6, y = row.top + row.height() / 2;
    context.setFrameColor(color);
    context.setLineWidth(2);
    context.moveTo(CPoint(x, y));
    context.lineTo(CPoint(x + 3, y + 3));
    context.lineTo(CPoint(x + 9, y - 4));
    context.setLineWidth(1);
}

void drawArrow(CDrawContext& context, const CRect& row, CColor color)
{
    int32_t x = row.right - MenuLayout::kArrowWidth / 2 - 2, y = row.top + row.height() / 2;
    context.setFrameColor(color);
    for (int32_t i = 0; i < 4; ++i) {
        context.moveTo(CPoint(x + i, y - 3 + i));
        context.lineTo(CPoint(x + i, y + 4 - i));
    }
}

}  // namespace

MenuPopup::MenuPopup(COptionMenu& menu) : MenuPopup(menu, SystemFont::shared()) {}

MenuPopup::MenuPopup(COptionMenu& menu, SystemFont& font) : menu(menu), font(font), geometry(menu, font) {}

void MenuPopup::render(PixelBuffer& image, int32_t highlighted)
{
    CDrawContext context(nullptr, &image);
    context.setSystemFont(&font);
    context.setFontSize(MenuLayout::kFontSize);
    CRect all(0, 0, geometry.width(), geometry.height());
    context.setFillColor(kMenuBack);
    context.fillRect(all);
    context.setFrameColor(kMenuBorder);
    context.drawRect(all);
    for (int32_t edge : geometry.columnEdges()) {
        context.setFrameColor(kMenuRule);
        context.moveTo(CPoint(edge, 1));
        context.lineTo(CPoint(edge, geometry.height() - 1));
    }
    for (int32_t i = 0; i < menu.getNbEntries(); ++i) {
        CRect row = geometry.entryRect(i);
        COptionMenu::EntryKind kind = menu.entryKind(i);
        if (kind == COptionMenu::EntryKind::kSeparator) {
            context.setFrameColor(kMenuRule);
            context.moveTo(CPoint(row.left + 4, row.top + row.height() / 2));
            context.lineTo(CPoint(row.right - 4, row.top + row.height() / 2));
            continue;
        }
        bool lit = i == highlighted && menu.isChoosable(i);
        CColor text = lit ? kMenuHighlightText : kind == COptionMenu::EntryKind::kGreyed ? kMenuGreyText : kMenuText;
        if (lit) {
            context.setFillColor(kMenuHighlight);
            context.fillRect(row);
        }
        CRect textArea(row.left + MenuLayout::kCheckWidth, row.top, row.right - MenuLayout::kArrowWidth, row.bottom);
        if (font.available()) {
            context.setFontColor(text);
            context.drawString(menu.shownText(i), textArea, CTextAlign::kLeft);
        } else {
            // Without a font each entry still shows as a box of the width its text would take.
            int32_t textWidth = font.textWidth(menu.shownText(i), MenuLayout::kFontSize);
            context.setFrameColor(lit ? kMenuHighlightText : kMenuRule);
            context.drawRect(CRect(textArea.left, row.top + 4, textArea.left + textWidth, row.bottom - 4));
        }
        if (menu.showsCheck(i))
            drawCheck(context, row, text);
        if (kind == COptionMenu::EntryKind::kSubMenuTitle)
            drawArrow(context, row, text);
    }
}

MenuPopup::Result MenuPopup::choose(CFrame& frame, const CPoint& origin, int32_t index)
{
    if (!menu.isChoosable(index))
        return Result();
    COptionMenu* submenu = menu.subMenuOf(index);
    if (submenu == nullptr)
        return Result{&menu, index};
    CRect row = geometry.entryRect(index);
    return MenuPopup(*submenu, font).run(frame, CPoint(origin.h + row.right, origin.v + row.top));
}

MenuPopup::Result MenuPopup::run(CFrame& frame, const CPoint& where)
{
    CRect area(where.h, where.v, where.h + geometry.width(), where.v + geometry.height());
    std::unique_ptr<PlatformPopup> popup = frame.openPopup(area);
    if (!popup)
        return Result();
    CFrame::ModalLoop loop(&frame);
    PixelBuffer image(geometry.width(), geometry.height());
    int32_t highlighted = -1;
    render(image, highlighted);
    popup->present(image);
    // The release of the press that opened the menu chooses only once the pointer has gone somewhere.
    bool armed = false;
    CPoint opened(0, 0);
    PlatformEvent event;
    while (!frame.isClosing() && popup->waitEvent(event)) {
        int32_t under = geometry.entryAt(event.where);
        switch (event.type) {
        case PlatformEvent::Type::MenuChoose:
            return choose(frame, where, event.index);
        case PlatformEvent::Type::MenuDismiss:
            return Result();
        case PlatformEvent::Type::KeyPress:
            if (event.key == PlatformEvent::kKeyEscape)
                return Result();
            if (event.key == PlatformEvent::kKeyReturn && highlighted >= 0)
                return choose(frame, where, highlighted);
            break;
        case PlatformEvent::Type::ButtonPress:
            if (!CRect(0, 0, geometry.width(), geometry.height()).pointInside(event.where))
                return Result();
            armed = true;
            break;
        case PlatformEvent::Type::ButtonRelease:
            if (armed && under >= 0 && menu.isChoosable(under))
                return choose(frame, where, under);
            break;
        case PlatformEvent::Type::Motion:
            if (event.where != opened)
                armed = true;
            break;
        default:
            break;
        }
        int32_t lit = menu.isChoosable(under) ? under : -1;
        if (lit != highlighted) {
            highlighted = lit;
            render(image, highlighted);
            popup->present(image);
        }
    }
    return Result();
}
