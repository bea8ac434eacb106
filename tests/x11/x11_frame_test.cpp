// Toolkit frames in host-made X windows: pixels read back from the server, input synthesised with XTest,
// menus as windows of their own, many opens and closes, two frames side by side.
#include "x11_fixture.h"

#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "gui/c_knob.h"
#include "gui/c_on_off_button.h"
#include "gui/c_option_menu.h"
#include "gui/frame_owner.h"
#include "gui/menu_layout.h"
#include "gui/platform/x11/x11_error_trap.h"
#include "gui/system_font.h"

#include <X11/keysym.h>

#include <dirent.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

struct LinearOwner : FrameOwner {
    CFrame* frame = nullptr;
    int getKnobMode() const override { return kLinearMode; }
    void beginEdit(int) override {}
    void endEdit(int) override {}
    void doIdleStuff() override
    {
        if (frame != nullptr)
            frame->idle(false);
    }
};

CBitmap* twoFrames(int32_t width, int32_t frameHeight, CColor upper, CColor lower)
{
    auto* bitmap = new CBitmap(width, frameHeight * 2);
    PixelBuffer& pixels = bitmap->getPixels();
    pixels.fill(CRect(0, 0, width, frameHeight), PixelBuffer::opaque(upper), pixels.bounds());
    pixels.fill(CRect(0, frameHeight, width, frameHeight * 2), PixelBuffer::opaque(lower), pixels.bounds());
    return bitmap;
}

int openFiles()
{
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr)
            count++;
        closedir(folder);
    }
    return count;
}

// Shared-memory segments this process made that still exist (the list is the whole system's).
int sharedSegments()
{
    std::ifstream list("/proc/sysvipc/shm");
    std::string line;
    std::getline(list, line);  // the heading
    int count = 0;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string key, id, permissions, size;
        long creator = 0;
        fields >> key >> id >> permissions >> size >> creator;
        count += creator == long(getpid()) ? 1 : 0;
    }
    return count;
}

// A frame of 320 x 200 with a knob at (20, 20)-(80, 80), a switch at (100, 20)-(140, 40) and an option menu at
// (160, 20)-(260, 40).
class X11FrameTest : public X11Fixture {
protected:
    CFrame* makeFrame(Window parent, CColor background, FrameOwner* frameOwner = nullptr)
    {
        auto* made = new CFrame(CRect(0, 0, 320, 200), handle(parent), frameOwner);
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

TEST_F(X11FrameTest, AClickAndADragFromXTestChangeTheControls)
{
    Window parent = makeParent(100, 100, 400, 300);
    LinearOwner owner;
    CFrame* frame = makeFrame(parent, CColor{30, 60, 90, 255}, &owner);
    owner.frame = frame;
    ASSERT_TRUE(frame->open());
    frame->idle();
    CPoint origin = rootPosition(children(parent).at(0));
    {
        // 50 pixels up in linear mode is a quarter of the range.
        FakeUser user([origin](FakeUser& u) {
            u.click(origin.h + 120, origin.v + 30);
            u.pause(100);
            u.moveTo(origin.h + 50, origin.v + 50);
            u.press(1);
            for (int step = 1; step <= 10; ++step) {
                u.pause(20);
                u.moveTo(origin.h + 50, origin.v + 50 - 5 * step);
            }
            u.pause(150);
            u.release(1);
            u.pause(50);
        });
        idleWhile(user, [frame] { frame->idle(); });
    }
    EXPECT_EQ(viewAt<COnOffButton>(frame, 1)->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(viewAt<CKnob>(frame, 0)->getValue(), 0.25f);
    frame->idle();
    EXPECT_EQ(differences(readBack(children(parent).at(0)), frame->getBackBuffer()), 0);
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

TEST_F(X11FrameTest, TwoHundredOpensAndClosesLeaveNothingBehind)
{
    Window parent = makeParent(40, 40, 400, 300);
    int files = openFiles();
    int segments = sharedSegments();
    long trapped = X11ErrorTrap::totalErrors();
    for (int i = 0; i < 200; ++i) {
        CFrame* frame = makeFrame(parent, CColor{uint8_t(i), 60, 90, 255});
        ASSERT_TRUE(frame->open());
        frame->idle();
        frame->dropReference();
    }
    XSync(host, False);
    EXPECT_TRUE(children(parent).empty());
    EXPECT_EQ(openFiles(), files);
    EXPECT_EQ(sharedSegments(), segments);
    EXPECT_EQ(X11ErrorTrap::totalErrors(), trapped);
}

TEST_F(X11FrameTest, TwoFramesSideBySideKeepToThemselves)
{
    Window left = makeParent(20, 20, 320, 200);
    Window right = makeParent(400, 20, 320, 200);
    CFrame* first = makeFrame(left, CColor{30, 60, 90, 255});
    CFrame* second = makeFrame(right, CColor{90, 30, 60, 255});
    ASSERT_TRUE(first->open());
    ASSERT_TRUE(second->open());
    first->idle();
    second->idle();
    CPoint origin = rootPosition(children(right).at(0));
    {
        FakeUser user([origin](FakeUser& u) { u.click(origin.h + 120, origin.v + 30); });
        idleWhile(user, [&] {
            first->idle();
            second->idle();
        });
    }
    EXPECT_EQ(viewAt<COnOffButton>(first, 1)->getValue(), 0.0f);
    EXPECT_EQ(viewAt<COnOffButton>(second, 1)->getValue(), 1.0f);
    EXPECT_EQ(differences(readBack(children(left).at(0)), first->getBackBuffer()), 0);
    EXPECT_EQ(differences(readBack(children(right).at(0)), second->getBackBuffer()), 0);
    first->dropReference();
    EXPECT_EQ(differences(readBack(children(right).at(0)), second->getBackBuffer()), 0);
    second->dropReference();
}

}  // namespace
