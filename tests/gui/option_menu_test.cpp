// Option menus popped up through the headless layer: choices by index and by pointer, dismissal, markers,
// literal entries, sub-menus, columns, check marks and number prefixes.
#include "gui/c_option_menu.h"
#include "gui/menu_layout.h"
#include "gui/menu_popup.h"
#include "gui/system_font.h"
#include "toolkit_fixture.h"

namespace {

class OptionMenuTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        menu = new COptionMenu(CRect(), &listener, 9, nullptr, COptionMenu::kNoDrawStyle);
        for (const char* text : {"One", "-", "Two", "-GGrey", "-TOff", "Three"})
            menu->addEntry(text);
    }
    void TearDown() override
    {
        menu->dropReference();
        ToolkitTest::TearDown();
    }
    // The centre of an entry in frame coordinates for a menu popped up at (50, 60).
    CPoint entryCentre(int32_t index)
    {
        CRect row = MenuLayout(*menu, SystemFont::shared()).entryRect(index);
        return CPoint(50 + row.left + row.width() / 2, 60 + row.top + row.height() / 2);
    }
    COptionMenu* menu = nullptr;
};

TEST_F(OptionMenuTest, AChosenIndexGoesToTheCallerOnlyAndDismissalAnswersMinusOne)
{
    int views = frame->getNbViews();
    window->chooseMenuEntry(2);
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), 2);
    int32_t index = -5;
    EXPECT_EQ(menu->getLastItemMenu(index), menu);
    EXPECT_EQ(index, 2);
    // Never reported as a control value: the editor would take the index for a parameter value.
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(frame->getNbViews(), views);
    EXPECT_EQ(menu->getReferenceCount(), 1);
    EXPECT_EQ(window->lastPopupArea().topLeft(), CPoint(50, 60));

    window->dismissMenu();
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), -1);
    EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
    // An exhausted script closes the menu instead of waiting for ever.
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), -1);
    EXPECT_EQ(window->popupCount(), 3);
    EXPECT_FALSE(window->isPopupOpen());
}

TEST_F(OptionMenuTest, SeparatorsGreyedAndDisabledEntriesCannotBeChosen)
{
    for (int32_t index : {1, 3, 4, 6, -1}) {
        window->chooseMenuEntry(index);
        EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), -1) << index;
    }
    EXPECT_EQ(menu->shownText(3), "Grey");
    EXPECT_EQ(menu->shownText(4), "Off");
    EXPECT_EQ(menu->entryKind(1), COptionMenu::EntryKind::kSeparator);
    EXPECT_EQ(menu->getEntry(3), "-GGrey");
}

TEST_F(OptionMenuTest, LiteralEntriesNeverBecomeMarkers)
{
    menu->addLiteralEntry("-");
    menu->addLiteralEntry("-Mx");
    menu->addLiteralEntry("-GHz");
    for (int32_t index : {6, 7, 8}) {
        EXPECT_EQ(menu->entryKind(index), COptionMenu::EntryKind::kPlain);
        window->chooseMenuEntry(index);
        EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), index);
    }
    EXPECT_EQ(menu->shownText(7), "-Mx");
}

TEST_F(OptionMenuTest, ThePointerChoosesOnReleaseAndAPressOutsideOrEscapeDismisses)
{
    CPoint two = entryCentre(2);
    window->move(two.h, two.v).press(two.h, two.v).release();
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), 2);

    // A release where the menu opened, before the pointer went anywhere, chooses nothing.
    window->release().press(5, 5).release();
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), -1);
    window->key(PlatformEvent::kKeyEscape);
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), -1);
    // Pointing at a separator and releasing chooses nothing; the menu stays for the next choice.
    CPoint separator = entryCentre(1);
    window->move(separator.h, separator.v).press(separator.h, separator.v).release().chooseMenuEntry(5);
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), 5);
}

TEST_F(OptionMenuTest, SubMenuTitlesOpenTheSubMenusInTheOrderTheyWereAdded)
{
    auto* first = new COptionMenu(CRect(), nullptr, 0);
    first->addEntry("A");
    auto* second = new COptionMenu(CRect(), nullptr, 0);
    second->addEntry("B0");
    second->addEntry("B1");
    menu->addEntry("-MFirst");
    menu->addEntry("-MSecond");
    menu->addMenu(first);
    menu->addMenu(second);
    first->dropReference();
    second->dropReference();
    EXPECT_EQ(menu->shownText(7), "Second");
    EXPECT_EQ(menu->subMenuOf(7), second);

    window->chooseMenuEntry(7).chooseMenuEntry(1);
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), 1);
    int32_t index = -1;
    EXPECT_EQ(menu->getLastItemMenu(index), second);
    EXPECT_EQ(window->popupCount(), 2);
    // The sub-menu opens beside its title.
    CRect title = MenuLayout(*menu, SystemFont::shared()).entryRect(7);
    EXPECT_EQ(window->lastPopupArea().topLeft(), CPoint(50 + title.right, 60 + title.top));

    // A title without a sub-menu is not choosable.
    menu->addEntry("-MOrphan");
    window->chooseMenuEntry(8);
    EXPECT_EQ(menu->popup(frame, CPoint(50, 60)), -1);
}

TEST_F(OptionMenuTest, ColumnsStartEveryNEntriesWhileTheMenuIsShorterThan160)
{
    COptionMenu list(CRect(), nullptr, 0);
    for (int i = 0; i < 10; ++i)
        list.addEntry("Entry " + std::to_string(i));
    list.setNbItemsPerColumn(4);
    EXPECT_FALSE(list.startsColumn(0));
    EXPECT_TRUE(list.startsColumn(4));
    EXPECT_TRUE(list.startsColumn(8));
    EXPECT_FALSE(list.startsColumn(5));
    MenuLayout layout(list, SystemFont::shared());
    EXPECT_EQ(layout.columnEdges().size(), 2u);
    EXPECT_EQ(layout.entryRect(4).top, layout.entryRect(0).top);
    EXPECT_GT(layout.entryRect(4).left, layout.entryRect(3).left);
    EXPECT_EQ(layout.height(), 2 * MenuLayout::kBorder + 4 * MenuLayout::kEntryHeight);
    while (list.getNbEntries() < 160)
        list.addEntry("More");
    EXPECT_FALSE(list.startsColumn(4));
}

TEST_F(OptionMenuTest, CheckMarksFollowTheStyleAndNumbersArePrefixed)
{
    COptionMenu checks(CRect(), nullptr, 0, nullptr, COptionMenu::kCheckStyle);
    for (const char* text : {"A", "B", "C"})
        checks.addEntry(text);
    checks.checkEntry(0, true);
    checks.checkEntry(2, true);
    checks.setCurrent(1);
    EXPECT_TRUE(checks.showsCheck(0));
    EXPECT_FALSE(checks.showsCheck(1));
    checks.setStyle(COptionMenu::kCheckStyle | COptionMenu::kCheckCurrentStyle);
    EXPECT_FALSE(checks.showsCheck(0));
    EXPECT_TRUE(checks.showsCheck(1));
    EXPECT_FALSE(checks.checkEntry(3, true));
    EXPECT_FALSE(checks.setCurrent(3));

    checks.setPrefixNumbers(1);
    EXPECT_EQ(checks.shownText(0), "1 A");
    checks.setPrefixNumbers(2);
    EXPECT_EQ(checks.shownText(2), "03 C");
    checks.setPrefixNumbers(3);
    EXPECT_EQ(checks.shownText(1), "002 B");
}

TEST_F(OptionMenuTest, WithoutAFontTheMenuStillWorksAndDrawsItsEntriesAsBoxes)
{
    SystemFont none("");
    EXPECT_FALSE(none.available());
    MenuPopup popup(*menu, none);
    PixelBuffer image(popup.layout().width(), popup.layout().height());
    popup.render(image, 0);
    CRect row = popup.layout().entryRect(2);
    // The box's top-left corner, in the rule colour, where text would start.
    uint32_t corner = image.pixel(row.left + MenuLayout::kCheckWidth, row.top + 4);
    EXPECT_EQ(corner, PixelBuffer::pack(200, 200, 200, 255));
    // The highlighted first entry is filled.
    EXPECT_EQ(image.pixel(popup.layout().entryRect(0).left + 2, popup.layout().entryRect(0).top + 2),
              PixelBuffer::pack(56, 116, 216, 255));
    window->chooseMenuEntry(5);
    EXPECT_EQ(popup.run(*frame, CPoint(10, 10)).index, 5);
}

}  // namespace
