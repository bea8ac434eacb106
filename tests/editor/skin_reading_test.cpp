// The skin file's grammar through the editor's open: tables, placement in page coordinates, line ends,
// bounded names and counts, case-tolerant file names, the page limit, and every failure leaving it closed.
#include "editor_fixture.h"

#include "editor/c_text_display.h"
#include "editor/skin_font.h"
#include "gui/c_bitmap.h"
#include "gui/c_view_container.h"
#include "params/parameter_table.h"

#include <functional>

namespace {

const char* const kSkin =
    "Test skin\n"
    "BITMAPS\nBackground\nKnob\nDigits\nPageBmp\n--------\n"
    "FONTS\nDigits 10 0123456789 7 7 7 7 7 7 7 7 7 7\nSpaced 3  ab 4 5 6\n--------\n"
    "PARAMETERS\nXYLineR 51\nSentinel -32768\nAfter 7\n--------\n"
    "PAGES\nLfo1 bitmap PageBmp rect 100 50 300 150\nLfo2 bitmap PageBmp rect 100 50 300 150\n"
    "---- ---- ---- ----\n"
    "CONTROLS\n"
    "MasterMix Knob Knob Main 40 40 0 0\n"
    "GlobalMenu PresetMenu Background Lfo1 130 70 160 90\n"
    "ParamDisplay TextDisplay Background Lfo1 200 60 260 80\n"
    "MasterVolume Knob Knob Main 80 40 0 0\n"
    "MasterVolume Knob Knob Main 120 40 0 0\n"
    "--------\n";

const std::map<std::string, std::pair<int, int>> kBitmaps = {
    {"Knob", {20, 60}}, {"Digits", {70, 10}}, {"PageBmp", {200, 100}}};

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class SkinReadingTest : public EditorTest {
protected:
    // A background whose every pixel tells where it lies, so a patch read from the wrong place shows.
    void writeBackground(const std::string& fileName = "Background.png")
    {
        PixelBuffer pixels(400, 200);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 400; ++x)
                pixels.row(y)[x] = PixelBuffer::pack(uint8_t(x), uint8_t(y), uint8_t(x >> 8), 255);
        ASSERT_TRUE(PngWriter::write(pixels, (skinFolder() / fileName).string()));
    }
    void writeTestSkin(const std::string& text)
    {
        writeSkin(text, kBitmaps);
        writeBackground();
    }
    CViewContainer* page(int index) const { return editor()->getTables().getPageAt(index); }
};

TEST_F(SkinReadingTest, ReadsEveryTableAndPlacesControlsInTheirContainer)
{
    writeTestSkin(kSkin);
    ASSERT_TRUE(open());
    EXPECT_EQ(editor()->getSetting("XYLineR"), 51);
    EXPECT_EQ(editor()->getSetting("After"), 7) << "the sentinel value must not end the section";
    EXPECT_EQ(editor()->getSetting("Missing"), SkinTables::kMissingSetting);

    SkinFont* digits = editor()->getFont("Digits");
    ASSERT_NE(digits, nullptr);
    EXPECT_EQ(digits->glyphOffset(digits->glyphIndex('5')), 35);
    SkinFont* spaced = editor()->getFont("Spaced");
    ASSERT_NE(spaced, nullptr);
    EXPECT_EQ(spaced->getStrip(), nullptr) << "a font without a bitmap of its name is kept without a strip";
    EXPECT_EQ(spaced->glyphIndex(' '), 0);
    EXPECT_EQ(spaced->glyphIndex('b'), 2);
    EXPECT_EQ(spaced->glyphWidth(2), 6);

    // A page at (100, 50): frame (130, 70) is (30, 20) on the page.
    CControl* menu = editor()->getControl(kGlobalMenu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getViewSize(), CRect(30, 20, 60, 40));
    EXPECT_TRUE(page(0)->isChild(menu));
    // A knob is a square of the strip's width centred on (x1, y1), on the main container.
    EXPECT_EQ(editor()->getControl(kMasterMix)->getViewSize(), CRect(30, 30, 50, 50));
    // The later record for a parameter is the one that follows it.
    EXPECT_EQ(editor()->getControl(kMasterVolume)->getViewSize(), CRect(110, 30, 130, 50));
    EXPECT_EQ(editor()->getTables().getMainContainer()->getNbViews(), 4) << "three knobs and the first page";
}

TEST_F(SkinReadingTest, TextDisplayOnAPageShowsTheBackgroundAtItsFramePlace)
{
    writeTestSkin(kSkin);
    ASSERT_TRUE(open());
    idle();
    // The display covers frame (200..260, 60..80); the page's own bitmap is plain, the background is not.
    const PixelBuffer& screen = window()->screen();
    const PixelBuffer& background = editor()->getBitmap("Background")->getPixels();
    EXPECT_EQ(screen.pixel(230, 70), background.pixel(230, 70));
    EXPECT_EQ(screen.pixel(201, 61), background.pixel(201, 61));
    EXPECT_NE(background.pixel(201, 61), background.pixel(101, 11));
}

TEST_F(SkinReadingTest, CarriageReturnsReadAsLineEnds)
{
    std::string crlf;
    std::string cr;
    for (char c : std::string(kSkin)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    for (const std::string& text : {crlf, cr}) {
        writeTestSkin(text);
        makePlugin();
        ASSERT_TRUE(open());
        SkinFont* spaced = editor()->getFont("Spaced");
        ASSERT_NE(spaced, nullptr);
        EXPECT_EQ(spaced->glyphIndex('a'), 1) << "a raw character set must not shift by a line end";
        EXPECT_EQ(editor()->getFont("Digits")->glyphIndex('0'), 0);
        editor()->close();
    }
}

TEST_F(SkinReadingTest, FileNamesFallBackToAnyCase)
{
    writeTestSkin(kSkin);
    std::filesystem::rename(skinFolder() / "Background.png", skinFolder() / "BACKGROUND.png");
    std::filesystem::rename(skinFolder() / "SkinParameters.txt", skinFolder() / "skinparameters.TXT");
    makePlugin();
    EXPECT_TRUE(plugin->getAeffect()->flags & effFlagsHasEditor);
    EXPECT_TRUE(open());
}

TEST_F(SkinReadingTest, EveryFailureLeavesTheEditorClosedForGood)
{
    const std::string longName(32, 'N');
    const std::vector<std::pair<const char*, std::function<std::string()>>> cases = {
        {"no Background among the bitmaps",
         [] { return replaced(replaced(kSkin, "Background\nKnob", "Knob"), "Background Lfo1", "Knob Lfo1"); }},
        {"a PNG that is not there", [] { return replaced(kSkin, "PageBmp\n-", "PageBmp\nGhost\n-"); }},
        {"a one-word end line in PAGES", [] { return replaced(kSkin, "---- ---- ---- ----", "----"); }},
        {"page \"main\" in lower case", [] { return replaced(kSkin, "Knob Main 40", "Knob main 40"); }},
        {"a name that is no parameter", [] { return replaced(kSkin, "MasterMix Knob", "MasterMixx Knob"); }},
        {"an unknown bitmap", [] { return replaced(kSkin, "Knob Knob Main 40", "Knob Knab Main 40"); }},
        {"a page with an unknown bitmap", [] { return replaced(kSkin, "bitmap PageBmp rect 100", "bitmap Nope rect 100"); }},
        {"a bitmap name of 32 characters", [&] { return replaced(kSkin, "PageBmp\n-", "PageBmp\n" + longName + "\n-"); }},
        {"a setting name of 32 characters", [&] { return replaced(kSkin, "XYLineR 51", longName + " 51"); }},
        {"a font of 256 characters", [] { return replaced(kSkin, "Digits 10", "Digits 256"); }},
        {"a negative character count", [] { return replaced(kSkin, "Digits 10", "Digits -1"); }},
        {"the file ending inside a font", [] { return std::string(kSkin).substr(0, std::string(kSkin).find("0123") + 4); }},
        {"no CONTROLS section", [] { return replaced(kSkin, "CONTROLS", "CONTROL"); }},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        writeTestSkin(text());
        makePlugin();
        EXPECT_FALSE(open());
        EXPECT_EQ(editor()->getFrame(), nullptr) << "the frame made for the attempt is gone";
        EXPECT_EQ(HeadlessWindow::latest(), nullptr);
        writeTestSkin(kSkin);
        EXPECT_FALSE(open()) << "an editor whose skin failed stays closed";
    }
}

TEST_F(SkinReadingTest, PagesBeyondSixtyFourAreLeftUnread)
{
    std::string pages;
    for (int i = 0; i < 65; ++i)
        pages += "P" + std::to_string(i) + " bitmap PageBmp rect 0 0 10 10\n";
    std::string text = replaced(replaced(kSkin, "Lfo1 bitmap PageBmp rect 100 50 300 150\n", pages),
                                "Background Lfo1 200", "Background Main 200");
    writeTestSkin(replaced(text, "Lfo1 130 70", "P63 130 70"));
    makePlugin();
    ASSERT_TRUE(open());
    EXPECT_EQ(editor()->getTables().getPageCount(), 64);
    editor()->close();

    writeTestSkin(replaced(text, "Lfo1 130 70", "P64 130 70"));
    makePlugin();
    EXPECT_FALSE(open());
}

TEST_F(SkinReadingTest, ReopenReadsTheSkinAgain)
{
    writeTestSkin(kSkin);
    ASSERT_TRUE(open());
    EXPECT_EQ(editor()->getSetting("XYLineR"), 51);
    editor()->close();
    EXPECT_EQ(editor()->getFrame(), nullptr);
    EXPECT_EQ(editor()->getControl(kMasterMix), nullptr) << "closing empties the tables";

    writeText(replaced(replaced(kSkin, "XYLineR 51", "XYLineR 99"), "Knob Main 40 40", "Knob Main 60 60"));
    ASSERT_TRUE(open());
    EXPECT_EQ(editor()->getSetting("XYLineR"), 99);
    EXPECT_EQ(editor()->getControl(kMasterMix)->getViewSize(), CRect(50, 50, 70, 70));
    idle();
    editor()->close();
    editor()->close();
    editor()->idle();
}

}  // namespace
