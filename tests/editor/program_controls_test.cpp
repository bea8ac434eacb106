// The default skin's list selectors, program menus, program steppers and link driven with scripted mouse input,
// the scripted clock and scripted dialog answers: clamped arrows and their repeat rate, menu choices, the
// global menu's entries and index arithmetic, real bank and preset files, messages for failures.
#include "editor_fixture.h"

#include "editor/c_skin_preset_selector.h"
#include "editor/c_skin_selector.h"
#include "editor/program_menu.h"
#include "editor/c_text_display.h"
#include "gui/c_option_menu.h"
#include "gui/platform/headless/scripted_file_dialog.h"
#include "gui/platform/headless/scripted_url_opener.h"
#include "params/parameter_table.h"

namespace {

class ProgramControlsTest : public DefaultSkinTest {
protected:
    CSkinSelector* types() const { return dynamic_cast<CSkinSelector*>(editor()->getControl(kMmFilterType)); }
    // Holds the selector's right (or left) arrow for ms on the scripted clock.
    void holdArrow(bool right, int ms)
    {
        CRect r = types()->getFrameRect();
        int x = right ? r.right - 3 : r.left + 3;
        window()->press(x, (r.top + r.bottom) / 2).wait(ms).release();
        idle();
    }
    int filterIndex() const { return types()->getIndex(); }
    CPoint menuButton() const { return centreOf(kDummy); }
    // Chooses entry from the global menu (or the preset selector's, in its middle).
    void choose(int entry, bool presetSelector = false)
    {
        CPoint at = presetSelector ? centreOf(kGlobalMenu) : menuButton();
        window()->click(at.h, at.v).chooseMenuEntry(entry);
        idle();
    }
};

// With one factory bank: 0 reload, 1 load bank, 2 save bank, 3 load preset, 4 save preset, 5 clear.
enum Entry { kLoadBank = 1, kSaveBank, kLoadPreset, kSavePreset, kClearPreset };

TEST_F(ProgramControlsTest, SelectorArrowsClampAndRepeatAboutThreeTimesASecond)
{
    ASSERT_EQ(types()->getEntryCount(), 10);
    plugin->setParameter(kMmFilterType, 0.0f);
    holdArrow(true, 1100);
    EXPECT_EQ(filterIndex(), 4) << "at the press, then after 333 ms, 667 ms and 1 s";
    EXPECT_FLOAT_EQ(value(kMmFilterType), 0.04f);
    holdArrow(true, 1500);
    EXPECT_EQ(filterIndex(), 9) << "no wrap-around past the last entry";
    holdArrow(false, 0);
    EXPECT_EQ(filterIndex(), 8) << "a click steps once";
    holdArrow(false, 4000);
    EXPECT_EQ(filterIndex(), 0);
    EXPECT_FLOAT_EQ(value(kMmFilterType), 0.0f);

    // The wheel steps one entry per turn, within the entries.
    CPoint at = centreOf(kMmFilterType);
    window()->wheel(at.h, at.v, -1.0f).wheel(at.h, at.v, 1.0f).wheel(at.h, at.v, 1.0f);
    idle();
    EXPECT_EQ(filterIndex(), 2);
}

TEST_F(ProgramControlsTest, SelectorMenuChoiceSetsTheEntryOverTheCapacity)
{
    CPoint at = centreOf(kMmFilterType);
    window()->click(at.h, at.v).chooseMenuEntry(7);
    idle();
    EXPECT_FLOAT_EQ(types()->getValue(), 0.07f);
    EXPECT_FLOAT_EQ(value(kMmFilterType), 0.07f);
    window()->click(at.h, at.v).dismissMenu();
    idle();
    EXPECT_FLOAT_EQ(types()->getValue(), 0.07f);
}

TEST_F(ProgramControlsTest, GlobalMenuEntriesAndIndexArithmetic)
{
    ASSERT_EQ(plugin->getBankCount(), 1);
    auto* menu = new COptionMenu(CRect(), nullptr, 0);
    ProgramMenu(plugin.get(), editor()).fill(*menu);
    ASSERT_EQ(menu->getNbEntries(), 7 + 64);
    const char* fixed[] = {"Reload Bank", "Load Bank", "Save Bank", "Load Preset", "Save Preset", "Clear Preset",
                           "---------------------"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(menu->getEntry(i), fixed[i]);
    char name[80] = {};
    plugin->getProgramNameIndexed(0, 9, name);
    EXPECT_EQ(menu->getEntry(16), name);
    EXPECT_TRUE(menu->startsColumn(37));
    EXPECT_FALSE(menu->startsColumn(36));
    menu->dropReference();

    CPoint at = menuButton();
    window()->click(at.h, at.v).chooseMenuEntry(16);
    idle();
    EXPECT_EQ(plugin->getProgram(), 9);

    // The separator and a dismissed menu change nothing.
    plugin->setParameter(kMasterMix, 0.123f);
    window()->click(at.h, at.v).chooseMenuEntry(6);
    idle();
    window()->click(at.h, at.v, kRButton).dismissMenu();
    idle();
    EXPECT_EQ(plugin->getProgram(), 9);
    EXPECT_FLOAT_EQ(value(kMasterMix), 0.123f);
}

TEST_F(ProgramControlsTest, ProgramSteppersRepeatAndStopAtTheEnds)
{
    auto* presets = dynamic_cast<CSkinPresetSelector*>(editor()->getControl(kGlobalMenu));
    ASSERT_NE(presets, nullptr);
    const CRect r = presets->getFrameRect();
    const int y = (r.top + r.bottom) / 2;
    window()->press(r.right - 2, y).wait(700).release();
    idle();
    EXPECT_EQ(plugin->getProgram(), 3);
    EXPECT_EQ(presets->getText(), "4 " + programName());
    window()->press(r.left + 2, y).wait(5000).release();
    idle();
    EXPECT_EQ(plugin->getProgram(), 0);

    const CRect updown = editor()->getControl(kUpDownPreset)->getFrameRect();
    window()->click(updown.left + 2, updown.bottom - 2);
    idle();
    EXPECT_EQ(plugin->getProgram(), 1) << "the lower half steps forward";
    window()->press(updown.left + 2, updown.top + 2).wait(400).release();
    idle();
    EXPECT_EQ(plugin->getProgram(), 0) << "the upper half steps back and stops at the first program";
}

TEST_F(ProgramControlsTest, MenusSaveClearAndLoadBackRealBankAndPresetFiles)
{
    ScriptedFileDialog::reset();
    plugin->setProgram(2);
    plugin->setParameter(kMasterMix, 0.25f);
    const std::string bank = (folder.path / "mine").string();
    ScriptedFileDialog::answer(bank);
    choose(kSaveBank);
    ASSERT_EQ(ScriptedFileDialog::requests().size(), 1u);
    EXPECT_EQ(ScriptedFileDialog::requests()[0].title, "Save fxb File");
    ASSERT_TRUE(std::filesystem::exists(bank + ".fxb")) << "the extension is added to a bare name";

    // "Clear Preset" puts the current program back to its defaults.
    choose(kClearPreset);
    ProductProgram cleared;
    cleared.clear();
    ASSERT_FLOAT_EQ(value(kMasterMix), cleared.getValue(kMasterMix));
    // The preset selector's "Load Bank" loads the chosen bank too.
    ScriptedFileDialog::answer(bank + ".fxb");
    choose(kLoadBank, true);
    EXPECT_EQ(ScriptedFileDialog::requests().back().title, "Load fxb File");
    EXPECT_EQ(plugin->getProgram(), 0);
    plugin->setProgram(2);
    EXPECT_FLOAT_EQ(value(kMasterMix), 0.25f) << "the saved bank brings the cleared program back";

    const std::string preset = (folder.path / "bright").string();
    ScriptedFileDialog::answer(preset);
    choose(kSavePreset, true);
    EXPECT_EQ(programName(), "bright");
    choose(kClearPreset, true);
    ScriptedFileDialog::answer(preset + ".fxp");
    choose(kLoadPreset);
    EXPECT_FLOAT_EQ(value(kMasterMix), 0.25f);
    EXPECT_EQ(programName(), "bright");

    // A cancelled dialog does nothing; a file that is no bank and a missing dialog program say so, and the
    // program name comes back three seconds later.
    ScriptedFileDialog::cancel();
    choose(kLoadBank);
    EXPECT_EQ(display(), "bright");
    std::ofstream(folder.path / "junk.fxb") << "not a bank";
    ScriptedFileDialog::answer((folder.path / "junk.fxb").string());
    choose(kLoadBank);
    EXPECT_EQ(display(), "Bank load failed");
    EXPECT_FLOAT_EQ(value(kMasterMix), 0.25f);
    idle(3100);
    EXPECT_EQ(display(), "bright");
    ScriptedFileDialog::unavailable();
    choose(kSaveBank);
    EXPECT_EQ(display(), "Needs zenity or kdialog");
    EXPECT_EQ(ScriptedFileDialog::pendingAnswers(), 0u);
}

TEST_F(ProgramControlsTest, LinkOpensTheShippedManualFromTheDataFolder)
{
    ScriptedUrlOpener::reset();
    CPoint at = centreOf(kInfoLink);
    window()->click(at.h, at.v);
    idle();
    const std::string manual = (folder.path / "RavenSootData" / "Manual" / "index.html").string();
    EXPECT_EQ(ScriptedUrlOpener::requested(), std::vector<std::string>{"file://" + manual});
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(RAVENSOOT_SOURCE_DIR) / "data/RavenSootData/Manual/index.html"));

    ScriptedUrlOpener::refuseNext("No browser");
    window()->click(at.h, at.v);
    idle();
    EXPECT_EQ(display(), "No browser");
}

}  // namespace
