// The shipped module's editor in a host-made X window, driven only through the entry point and the
// dispatcher: its pixels against the headless snapshot, the mouse through XTest, many opens, two instances,
// and host calls in odd orders.
#include "x11_fixture.h"

#include "gui/png_decoder.h"
#include "gui/png_writer.h"
#include "host/built_module.h"
#include "support/temp_folder.h"
#include "vst_host/test_host.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace {

// Centres of the default skin's controls (frame coordinates), where its records place them.
const CPoint kFilterPower(453, 74);    // MmFilterOn
const CPoint kFilterCutoff(482, 140);  // MmFilterCutoff, a knob
const CPoint kFilterType(628, 74);     // MmFilterType, a selector
// The program stepper (18 × 24 around 403, 31): the lower half steps forward.
const CPoint kNextProgram(403, 37);
// The preset selector's left arrow (the strip from 420 to 650, its arrows 19 pixels wide at each end).
const CPoint kPresetLeftArrow(428, 31);

// An option menu's entry i, single column, in menu coordinates: below the one-pixel border, 20 pixels a row,
// text starting past the check column.
CPoint menuEntry(int i)
{
    return CPoint(1 + 20 + 10, 1 + 20 * i + 10);
}

// Waits (on the fake user's thread) until the host has been told of index reaching value; false after timeoutMs.
bool waitForAutomation(TestHost& plugin, int index, float value, int timeoutMs = 5000)
{
    for (int waited = 0; waited < timeoutMs; waited += 5) {
        std::vector<HostRequest> said = plugin.requests();
        for (auto it = said.rbegin(); it != said.rend(); ++it) {
            if (it->opcode == audioMasterAutomate && it->index == index) {
                if (std::fabs(it->opt - value) < 1e-5f)
                    return true;
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

class ModuleEditorTest : public X11Fixture {
protected:
    void SetUp() override
    {
        X11Fixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(builtModule().loaded()) << builtModule().error();
    }

    struct Instance {
        std::unique_ptr<TestHost> host;
        Window parent = 0;
        bool open = false;
    };

    // A plug-in instance with its editor open in a new parent window at (x, y) of the root.
    Instance openEditor(int x, int y)
    {
        Instance made;
        made.host = std::make_unique<TestHost>(builtModule());
        EXPECT_TRUE(made.host->open());
        ERect* rect = nullptr;
        EXPECT_EQ(made.host->dispatch(effEditGetRect, 0, 0, &rect), 1);
        if (rect == nullptr)
            return made;
        made.parent = makeParent(x, y, rect->right, rect->bottom);
        made.open = made.host->dispatch(effEditOpen, 0, 0, handle(made.parent)) == 1;
        settle(made);
        return made;
    }
    // Host idles, a little apart, until the editor's paced passes have painted everything.
    void settle(Instance& instance)
    {
        for (int i = 0; i < 4; ++i) {
            instance.host->dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        }
        instance.host->dispatch(effEditIdle);
    }
    // Host idles until done() holds, or a few seconds have passed; what done() says last.
    bool idleUntil(Instance& instance, const std::function<bool()>& done)
    {
        for (int i = 0; i < 500 && !done(); ++i) {
            instance.host->dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }
    Window editorWindow(const Instance& instance)
    {
        std::vector<Window> inside = children(instance.parent);
        return inside.size() == 1 ? inside[0] : 0;
    }
};

#ifdef RAVENSOOT_SNAPSHOT_TOOL
TEST_F(ModuleEditorTest, TheWindowShowsWhatTheHeadlessEditorShows)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    TempFolder folder("x11-snapshot");
    std::string command = "'" + std::string(RAVENSOOT_SNAPSHOT_TOOL) + "' '" + folder.file("headless.png") + "'";
    ASSERT_EQ(std::system((command + " > /dev/null").c_str()), 0);
    ASSERT_TRUE(PngWriter::write(readBack(editorWindow(editor)), folder.file("shown.png")));
    // Both pictures through a PNG file, whose reading premultiplies opaque pixels too (255 becomes 254).
    PixelBuffer pictures[2];
    for (int i = 0; i < 2; ++i) {
        std::string bytes = folder.read(i == 0 ? "headless.png" : "shown.png");
        ASSERT_TRUE(PngDecoder::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), pictures[i]));
    }
    EXPECT_EQ(differences(pictures[1], pictures[0]), 0);
    editor.host->dispatch(effEditClose);
}
#endif

TEST_F(ModuleEditorTest, AnXTestClickSwitchesOneOfTwoInstancesAndOnlyItsWindowFollows)
{
    Instance left = openEditor(0, 0);
    Instance right = openEditor(300, 400);
    ASSERT_TRUE(left.open && right.open);
    int power = right.host->parameterIndex("MmFilterOn");
    float before = right.host->getParameter(power);
    ASSERT_EQ(left.host->getParameter(power), before);
    CPoint origin = rootPosition(editorWindow(right));
    PixelBuffer off = readBack(editorWindow(right));
    {
        FakeUser user([&](FakeUser& u) { u.click(origin.h + kFilterPower.h, origin.v + kFilterPower.v); });
        idleWhile(user, [&] {
            left.host->dispatch(effEditIdle);
            right.host->dispatch(effEditIdle);
        });
    }
    settle(right);
    EXPECT_NE(right.host->getParameter(power), before);
    EXPECT_EQ(left.host->getParameter(power), before);
    PixelBuffer on = readBack(editorWindow(right));
    EXPECT_NE(on.pixel(kFilterPower.h, kFilterPower.v), off.pixel(kFilterPower.h, kFilterPower.v));
    // Only around the switch (and the parameter display, which names the change) did the picture change.
    EXPECT_EQ(on.pixel(807, 165), off.pixel(807, 165));
    left.host->dispatch(effEditClose);
    right.host->dispatch(effEditClose);
}

TEST_F(ModuleEditorTest, AnXTestDragTurnsAKnobTwoHundredPixelsToTheFullRange)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    TestHost& plugin = *editor.host;
    int cutoff = plugin.parameterIndex("MmFilterCutoff");
    float before = plugin.getParameter(cutoff);
    // Right and up raise the value, 60 pixels of diagonal are 0.3 of the range; away from the nearer end.
    int sign = before <= 0.5f ? 1 : -1;
    float expected = before + float(sign) * 60.0f * (1.0f / 200.0f);
    CPoint origin = rootPosition(editorWindow(editor));
    CPoint at(origin.h + kFilterCutoff.h, origin.v + kFilterCutoff.v);
    bool reached = false;
    FakeUser user([&](FakeUser& u) {
        u.moveTo(at.h, at.v);
        u.press(1);
        for (int step = 1; step <= 3; ++step)
            u.moveTo(at.h + sign * 10 * step, at.v - sign * 10 * step);
        // The drag reads the pointer in turns: let go only once it has taken the last position.
        reached = waitForAutomation(plugin, cutoff, expected);
        u.release(1);
    });
    idleWhile(user, [&] { plugin.dispatch(effEditIdle); });
    EXPECT_TRUE(reached) << "the host never heard of " << expected;
    EXPECT_FLOAT_EQ(plugin.getParameter(cutoff), expected);
    EXPECT_EQ(plugin.count(audioMasterBeginEdit), 1u);
    EXPECT_TRUE(idleUntil(editor, [&] { return plugin.count(audioMasterEndEdit) == 1u; }));
    plugin.dispatch(effEditClose);
}

TEST_F(ModuleEditorTest, ASelectorsMenuOpensAsItsOwnWindowAndAnXTestClickChooses)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    TestHost& plugin = *editor.host;
    int type = plugin.parameterIndex("MmFilterType");
    int chosen = plugin.getParameter(type) < 0.025f ? 3 : 1;
    CPoint origin = rootPosition(editorWindow(editor));
    CPoint at(origin.h + kFilterType.h, origin.v + kFilterType.v);
    CRect menuArea;
    Window menu = 0;
    FakeUser user([&](FakeUser& u) {
        u.click(at.h, at.v);
        menu = u.waitForMenu(menuArea);
        if (menu == 0)
            return;
        CPoint entry = menuEntry(chosen);
        u.click(menuArea.left + entry.h, menuArea.top + entry.v);
        u.waitUntilNoMenu();
    });
    idleWhile(user, [&] { plugin.dispatch(effEditIdle); });
    // Only an override-redirect window of the root counts as a menu: a top-level window of its own.
    ASSERT_NE(menu, 0u) << "no menu window appeared";
    EXPECT_TRUE(user.allFound()) << "the menu stayed open";
    // At the pointer, the height of ten entries.
    EXPECT_EQ(menuArea.left, at.h);
    EXPECT_EQ(menuArea.top, at.v);
    EXPECT_EQ(menuArea.height(), 2 + 10 * 20);
    auto landed = [&] { return std::fabs(plugin.getParameter(type) - float(chosen) / 100.0f) < 1e-6f; };
    EXPECT_TRUE(idleUntil(editor, landed)) << plugin.getParameter(type);
    plugin.dispatch(effEditClose);
}

TEST_F(ModuleEditorTest, TheProgramStepperAndThePresetSelectorsArrowStepThePrograms)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    TestHost& plugin = *editor.host;
    ASSERT_EQ(plugin.dispatch(effGetProgram), 0);
    CPoint origin = rootPosition(editorWindow(editor));
    {
        FakeUser user([&](FakeUser& u) { u.tap(origin.h + kNextProgram.h, origin.v + kNextProgram.v); });
        idleWhile(user, [&] { plugin.dispatch(effEditIdle); });
    }
    EXPECT_TRUE(idleUntil(editor, [&] { return plugin.dispatch(effGetProgram) == 1; }));
    {
        FakeUser user([&](FakeUser& u) { u.tap(origin.h + kPresetLeftArrow.h, origin.v + kPresetLeftArrow.v); });
        idleWhile(user, [&] { plugin.dispatch(effEditIdle); });
    }
    EXPECT_TRUE(idleUntil(editor, [&] { return plugin.dispatch(effGetProgram) == 0; }));
    plugin.dispatch(effEditClose);
}

TEST_F(ModuleEditorTest, TwoHundredOpensAndClosesLeaveNoWindowNoConnectionAndNoError)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    editor.host->dispatch(effEditClose);
    int files = openFiles();
    int segments = sharedSegments();
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(editor.host->dispatch(effEditOpen, 0, 0, handle(editor.parent)), 1) << "round " << i;
        editor.host->dispatch(effEditIdle);
        editor.host->dispatch(effEditClose);
    }
    XSync(host, False);
    EXPECT_TRUE(children(editor.parent).empty());
    EXPECT_EQ(openFiles(), files);
    EXPECT_EQ(sharedSegments(), segments);
}

// A host with no display to reach (a test rig without a screen): the shipped module's editor is opened by
// its skin all the same, runs without a window, follows the host and closes quietly.
TEST(ShippedModuleWithoutADisplay, EditorOpensWithoutAWindow)
{
    ASSERT_TRUE(builtModule().loaded()) << builtModule().error();
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    {
        TestHost plugin(builtModule());
        ASSERT_TRUE(plugin.open());
        ERect* rect = nullptr;
        EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
        int window = 1;
        EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, &window), 1);
        plugin.setParameter(1, 0.25f);
        plugin.dispatch(effSetProgram, 0, 3);
        EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
        EXPECT_EQ(plugin.dispatch(effEditKeyDown, 'a', 0), 0);
        EXPECT_EQ(plugin.dispatch(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f), 0)
            << "no pointer over a control";
        plugin.dispatch(effEditClose);
        EXPECT_EQ(plugin.dispatch(effEditKeyDown, 'a', 0), -1);
        plugin.close();
    }
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
}

TEST_F(ModuleEditorTest, HostCallsInOddOrdersAreRefusedQuietly)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    TestHost& plugin = *editor.host;
    // Open again without a close keeps the one window.
    plugin.dispatch(effEditOpen, 0, 0, handle(editor.parent));
    plugin.dispatch(effEditIdle);
    XSync(host, False);
    EXPECT_EQ(children(editor.parent).size(), 1u);
    plugin.dispatch(effEditClose);
    plugin.dispatch(effEditClose);
    plugin.dispatch(effEditIdle);
    XSync(host, False);
    EXPECT_TRUE(children(editor.parent).empty());

    // A host that destroys its window before the close, with and without an idle in between.
    for (bool idleBetween : {true, false}) {
        Window parent = makeParent(20, 20, 900, 560);
        ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, handle(parent)), 1);
        plugin.dispatch(effEditIdle);
        XDestroyWindow(host, parent);
        XSync(host, False);
        parents.pop_back();
        if (idleBetween)
            plugin.dispatch(effEditIdle);
        plugin.dispatch(effEditClose);
    }

    // A window id that names nothing: the skin answers the open, and the editor runs without a window until
    // it is closed. Then the plug-in closed with its editor open goes quietly.
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, handle(0x3FFFFFF)), 1);
    plugin.dispatch(effEditIdle);
    plugin.setParameter(1, 0.25f);
    plugin.dispatch(effEditIdle);
    plugin.dispatch(effEditClose);
    Window parent = makeParent(20, 20, 900, 560);
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, handle(parent)), 1);
    plugin.dispatch(effEditIdle);
    plugin.close();
    XSync(host, False);
    EXPECT_TRUE(children(parent).empty());
}

}  // namespace
