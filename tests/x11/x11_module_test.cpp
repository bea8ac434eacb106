// The shipped module's editor in a host-made X window, driven only through the entry point and the
// dispatcher: its pixels against the headless snapshot, the mouse through XTest, many opens, two instances,
// and host calls in odd orders.
#include "x11_fixture.h"

#include "gui/png_decoder.h"
#include "support/temp_folder.h"
#include "vst_host/test_host.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

const VstModule& shippedModule()
{
    static VstModule module(RAVENSOOT_MODULE_PATH);
    return module;
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

// Centres of the default skin's controls (frame coordinates), where its records place them.
const CPoint kFilterPower(453, 74);  // MmFilterOn

class ModuleEditorTest : public X11Fixture {
protected:
    void SetUp() override
    {
        X11Fixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(shippedModule().loaded()) << shippedModule().error();
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
        made.host = std::make_unique<TestHost>(shippedModule());
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
    int parameterIndex(TestHost& host, const std::string& name)
    {
        for (int i = 0; i < host.record()->numParams; ++i)
            if (host.text(effGetParamName, i) == name)
                return i;
        ADD_FAILURE() << "no parameter " << name;
        return 0;
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
    std::string picture = folder.file("editor.png");
    ASSERT_EQ(std::system((std::string("'") + RAVENSOOT_SNAPSHOT_TOOL + "' '" + picture + "' > /dev/null").c_str()), 0);
    std::ifstream file(picture, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    PixelBuffer headless;
    ASSERT_TRUE(PngDecoder::decode(bytes.data(), bytes.size(), headless));
    PixelBuffer shown = readBack(editorWindow(editor));
    EXPECT_EQ(differences(shown, headless), 0);
    editor.host->dispatch(effEditClose);
}
#endif

// The skin's knobs, selectors and preset stepper get their own mouse handling with the controls' work; until
// then a press on a switch is what the mouse can do through the module.
TEST_F(ModuleEditorTest, AClickFromXTestSwitchesAndTheWindowFollows)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    TestHost& plugin = *editor.host;
    int power = parameterIndex(plugin, "MmFilterOn");
    float before = plugin.getParameter(power);
    CPoint origin = rootPosition(editorWindow(editor));
    PixelBuffer off = readBack(editorWindow(editor));
    {
        FakeUser user([&](FakeUser& u) { u.click(origin.h + kFilterPower.h, origin.v + kFilterPower.v); });
        idleWhile(user, [&] { plugin.dispatch(effEditIdle); });
    }
    settle(editor);
    EXPECT_NE(plugin.getParameter(power), before);
    PixelBuffer on = readBack(editorWindow(editor));
    EXPECT_NE(on.pixel(kFilterPower.h, kFilterPower.v), off.pixel(kFilterPower.h, kFilterPower.v));
    // Only around the switch (and the parameter display, which names the change) did the picture change.
    EXPECT_EQ(on.pixel(807, 165), off.pixel(807, 165));
    plugin.dispatch(effEditClose);
}

TEST_F(ModuleEditorTest, TwoHundredOpensAndClosesLeaveNoWindowNoConnectionAndNoError)
{
    Instance editor = openEditor(20, 20);
    ASSERT_TRUE(editor.open);
    editor.host->dispatch(effEditClose);
    int files = openFiles();
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(editor.host->dispatch(effEditOpen, 0, 0, handle(editor.parent)), 1) << "round " << i;
        editor.host->dispatch(effEditIdle);
        editor.host->dispatch(effEditClose);
    }
    XSync(host, False);
    EXPECT_TRUE(children(editor.parent).empty());
    EXPECT_EQ(openFiles(), files);
}

TEST_F(ModuleEditorTest, TwoInstancesSideBySideKeepToThemselves)
{
    Instance left = openEditor(0, 0);
    Instance right = openEditor(300, 400);
    ASSERT_TRUE(left.open && right.open);
    int power = parameterIndex(*left.host, "MmFilterOn");
    float before = left.host->getParameter(power);
    CPoint origin = rootPosition(editorWindow(right));
    {
        FakeUser user([&](FakeUser& u) { u.click(origin.h + kFilterPower.h, origin.v + kFilterPower.v); });
        idleWhile(user, [&] {
            left.host->dispatch(effEditIdle);
            right.host->dispatch(effEditIdle);
        });
    }
    EXPECT_NE(right.host->getParameter(power), before);
    EXPECT_EQ(left.host->getParameter(power), before);
    left.host->dispatch(effEditClose);
    right.host->dispatch(effEditClose);
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

    // A host that destroys its window before the close.
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, handle(editor.parent)), 1);
    plugin.dispatch(effEditIdle);
    XDestroyWindow(host, editor.parent);
    XSync(host, False);
    parents.clear();
    plugin.dispatch(effEditIdle);
    plugin.dispatch(effEditClose);

    // A window id that names nothing is refused, and the plug-in closed with its editor open goes quietly.
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, handle(0x3FFFFFF)), 0);
    Window parent = makeParent(20, 20, 900, 560);
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, handle(parent)), 1);
    plugin.dispatch(effEditIdle);
    plugin.close();
    XSync(host, False);
    EXPECT_TRUE(children(parent).empty());
}

}  // namespace
