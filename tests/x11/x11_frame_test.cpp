// Toolkit frames in host-made X windows: pixels read back from the server after changes and exposures, a
// 32-bit parent, and menus as windows of their own that stay on the screen and close as a user expects.
// (Clicks, drags, many opens and two editors side by side are checked through the module.)
#include "x11_fixture.h"

#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "gui/c_knob.h"
#include "gui/c_on_off_button.h"
#include "gui/c_option_menu.h"
#include "gui/menu_layout.h"
#include "gui/system_font.h"

#include <X11/keysym.h>

namespace {

CBitmap* twoFrames(int32_t width, int32_t frameHeight, CColor upper, CColor lower)
{
    auto* bitmap = new CBitmap(width, frameHeight * 2);
    PixelBuffer& pixels = bitmap->getPixels();
    pixels.fill(CRect(0, 0, width, frameHeight), PixelBuffer::opaque(upper), pixels.bounds());
    pixels.fill(CRect(0, frameHeight, width, frameHeight * 2), PixelBuffer::opaque(lower), pixels.bounds());
    return bitmap;
}

// A frame of 320 x 200 with a knob at (20, 20)-(80, 80), a switch at (100, 20)-(140, 40) and an option menu at
// (160, 20)-(260, 40).
class X11FrameTest : public X11Fixture {
protected:
    CFrame* makeFrame(Window parent, CColor background)
    {
        auto* made = new CFrame(CRect(0, 0, 320, 200), handle(parent), nullptr);
        made->setBackgroundColor(background);
        made->addView(new CKnob(CRect(20, 20, 80, 80), nullptr, 1, nullptr, nullptr));
        CBitmap* faces = twoFrames(40, 20, CColor{200, 40, 40, 255}, CColor{40, 200, 40, 255});
        made->addView(new COnOffButton(CRect(100, 20, 140, 40), nullptr, 2, faces));
        faces->dropReference();
        auto* menu = new COptionMenu(CRect(160, 20, 260, 40), nullptr, 3);
        for (const char* entry : {"Low", "Mid", "High", "Air"})
            menu->addEntry(entry);
        made->addView(menu);
        return made;
    }
    template <typename View>
    static View* viewAt(CFrame* frame, int index)
    {
        return dynamic_cast<View*>(frame->getView(index));
    }
};

TEST_F(X11FrameTest, OpensAsAChildOfTheHostWindowAndShowsExactlyItsBackBuffer)
{
    Window parent = makeParent(40, 40, 400, 300);
    CFrame* frame = makeFrame(parent, CColor{30, 60, 90, 255});
    ASSERT_TRUE(frame->open());
    frame->idle();
    std::vector<Window> inside = children(parent);
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_EQ(differences(readBack(inside[0]), frame->getBackBuffer()), 0);

    // A change repaints only its own area, and the window still equals the back buffer.
    viewAt<CKnob>(frame, 0)->setValue(0.9f);
    viewAt<COnOffButton>(frame, 1)->setValue(1.0f);
    frame->idle();
    EXPECT_EQ(differences(readBack(inside[0]), frame->getBackBuffer()), 0);
    EXPECT_EQ(readBack(inside[0]).pixel(120, 30), PixelBuffer::pack(40, 200, 40, 255));

    // Covered and uncovered by another window, it shows itself again from its own image.
    Window cover = makeParent(60, 60, 200, 150);
    XDestroyWindow(host, cover);
    parents.pop_back();
    XSync(host, False);
    frame->idle();
    EXPECT_EQ(differences(readBack(inside[0]), frame->getBackBuffer()), 0);
    frame->dropReference();
    XSync(host, False);
    EXPECT_TRUE(children(parent).empty());
}

TEST_F(X11FrameTest, AnArgbParentGetsOpaquePixelsInItsOwnLayout)
{
    Window parent = makeParent(40, 40, 400, 300, 32);
    if (parent == 0)
        GTEST_SKIP() << "This X server has no 32-bit TrueColor visual";
    CFrame* frame = makeFrame(parent, CColor{200, 100, 50, 255});
    ASSERT_TRUE(frame->open());
    frame->idle();
    std::vector<Window> inside = children(parent);
    ASSERT_EQ(inside.size(), 1u);
    XWindowAttributes attributes;
    XGetWindowAttributes(host, inside[0], &attributes);
    EXPECT_EQ(attributes.depth, 32);
    EXPECT_EQ(differences(readBack(inside[0]), frame->getBackBuffer()), 0);
    frame->dropReference();
}

TEST_F(X11FrameTest, AMenuIsAWindowOfItsOwnThatChoosesClosesOnEscapeAndOnAClickOutside)
{
    // At the right edge of the screen, so that the menu has to move to stay on it.
    int screenWidth = DisplayWidth(host, DefaultScreen(host));
    Window parent = makeParent(screenWidth - 180, 100, 320, 200);
    CFrame* frame = makeFrame(parent, CColor{30, 60, 90, 255});
    ASSERT_TRUE(frame->open());
    frame->idle();
    auto* menu = viewAt<COptionMenu>(frame, 2);
    CPoint origin = rootPosition(children(parent).at(0));
    CRect row = MenuLayout(*menu, SystemFont::shared()).entryRect(2);
    CRect placed;
    Window menuWindow = 0;
    {
        FakeUser user([&](FakeUser& u) {
            u.click(origin.h + 170, origin.v + 30);
            menuWindow = u.waitForMenu(placed);
            u.pause(50);
            u.click(placed.left + row.left + row.width() / 2, placed.top + row.top + row.height() / 2);
            u.waitUntilNoMenu();
        });
        idleWhile(user, [frame] { frame->idle(); });
        ASSERT_TRUE(user.allFound());
    }
    int32_t chosen = -1;
    EXPECT_EQ(menu->getLastItemMenu(chosen), menu);
    EXPECT_EQ(chosen, 2);
    EXPECT_NE(menuWindow, 0u);
    EXPECT_LE(placed.right, screenWidth);
    EXPECT_LT(placed.left, origin.h + 160);

    for (bool escape : {true, false}) {
        FakeUser user([&](FakeUser& u) {
            u.click(origin.h + 170, origin.v + 30);
            u.waitForMenu(placed);
            u.pause(50);
            if (escape)
                u.key(XK_Escape);
            else
                u.click(5, 5);
            u.waitUntilNoMenu();
        });
        idleWhile(user, [frame] { frame->idle(); });
        EXPECT_TRUE(user.allFound()) << (escape ? "Escape" : "click outside");
        EXPECT_EQ(menu->getLastItemMenu(chosen), nullptr);
    }
    frame->dropReference();
}

}  // namespace
