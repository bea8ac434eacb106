// Checks the committed default skin as the editor will use it: grammar, images, names, bindings and placement.
// The skin text is read here by a second reader, built on the editor's word reader; the images by libpng.
#include "editor/skin_word_reader.h"
#include "params/parameter_table.h"

#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kSkinFolder = std::string(RAVENSOOT_SOURCE_DIR) + "/data/RavenSootData/Skins/default";

// The five sections as the editor reads them.
struct SkinText {
    struct Font {
        std::string name, characters;
        int count = 0;
        unsigned char separator = 0;
        std::vector<int> widths;
    };
    struct Page {
        std::string name, bitmap;
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    struct Control {
        std::string parameter, type, bitmap, page;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    std::vector<std::string> bitmaps;
    std::vector<Font> fonts;
    std::map<std::string, int> settings;
    std::vector<Page> pages;
    std::vector<Control> controls;
    bool endedAtMarker = false; // the control list closed with a marker rather than the end of the file
};

// False with a reason when a keyword is missing or a record is cut short.
bool readSkinText(const std::string& text, SkinText& out, std::string& error)
{
    SkinWordReader reader;
    reader.setText(text);
    auto word = [&reader] {
        char buffer[SkinWordReader::kWordCapacity];
        reader.readWord(buffer);
        return std::string(buffer);
    };
    auto number = [&reader](int& value) {
        int32_t v = 0;
        const bool read = reader.readInt(v);
        value = v;
        return read;
    };
    auto find = [&](const char* keyword) {
        for (std::string w = word(); !w.empty(); w = word())
            if (w == keyword)
                return true;
        return (error = std::string("no ") + keyword + " keyword"), false;
    };
    auto marker = [](const std::string& w) { return w.empty() || w[0] == '-' || (w.size() > 1 && w[1] == '-'); };

    if (!find("BITMAPS"))
        return false;
    for (std::string name = word(); !marker(name) && out.bitmaps.size() < 128; name = word())
        out.bitmaps.push_back(name);
    if (!find("FONTS"))
        return false;
    for (SkinText::Font font; out.fonts.size() < 8; font = {}) {
        font.name = word();
        if (marker(font.name))
            break; // the marker consumes only itself
        if (!number(font.count) || font.count < 0 || font.count > 255 || !reader.readChar(font.separator))
            return (error = "bad count in " + font.name), false;
        for (int i = 0; i < font.count; ++i) {
            unsigned char c = 0;
            if (!reader.readChar(c))
                return (error = "font cut short"), false;
            font.characters += static_cast<char>(c);
        }
        for (int i = 0, width = 0; i < font.count; ++i, font.widths.push_back(width))
            if (!number(width))
                return (error = "missing width in " + font.name), false;
        out.fonts.push_back(font);
    }
    if (!find("PARAMETERS"))
        return false;
    for (int value = 0; out.settings.size() < 128;) {
        const std::string name = word();
        if (marker(name) || !number(value))
            break;
        out.settings.emplace(name, value); // the first of a name counts
    }
    if (!find("PAGES"))
        return false;
    for (SkinText::Page page; out.pages.size() < 64; page = {}) {
        page.name = word();
        word();
        page.bitmap = word();
        word();
        if (marker(page.name))
            break;
        // Numbers missing from a page record count as 0.
        if (number(page.left) && number(page.top) && number(page.right))
            number(page.bottom);
        out.pages.push_back(page);
    }
    if (!find("CONTROLS"))
        return false;
    for (SkinText::Control c;; c = {}) {
        c.parameter = word();
        if (marker(c.parameter)) {
            out.endedAtMarker = !c.parameter.empty();
            return true;
        }
        c.type = word();
        c.bitmap = word();
        c.page = word();
        if (!(number(c.x1) && number(c.y1) && number(c.x2) && number(c.y2)))
            return (error = "control record of " + c.parameter + " lacks its four numbers"), false;
        out.controls.push_back(c);
    }
}

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;

    bool opaque() const
    {
        for (std::size_t i = 3; i < rgba.size(); i += 4)
            if (rgba[i] != 255)
                return false;
        return true;
    }
    bool sameRows(int rowA, int rowB, int count) const
    {
        const std::size_t stride = static_cast<std::size_t>(width) * 4;
        return std::equal(rgba.begin() + rowA * stride, rgba.begin() + (rowA + count) * stride,
                          rgba.begin() + rowB * stride);
    }
};

bool decodePng(const std::string& path, Image& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return false;
    png.format = PNG_FORMAT_RGBA;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgba.assign(PNG_IMAGE_SIZE(png), 0);
    if (png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr))
        return true;
    png_image_free(&png);
    return false;
}

struct Rect {
    int left, top, right, bottom;
    bool inside(const Rect& o) const { return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom; }
    bool overlaps(const Rect& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

// The control factory's placement rule for each type, from the bitmap's whole size.
bool placement(const SkinText::Control& c, int w, int h, Rect& r)
{
    const std::string& t = c.type;
    if (t == "Knob")
        r = {c.x1 - w / 2, c.y1 - w / 2, c.x1 + w / 2, c.y1 + w / 2};
    else if (t == "OnButton" || t == "KickButton")
        r = {c.x1 - w / 2, c.y1 - h / 4, c.x1 + w / 2, c.y1 + h / 4};
    else if (t == "VSlider")
        r = {c.x1 - w / 2, c.y1 - h / 2, c.x2 + w / 2, c.y2 + h / 2};
    else if (t == "Selector" || t == "UpDownPreset")
        r = {c.x1 - w / 2, c.y1 - h / 6, c.x1 + w / 2, c.y1 + h / 6};
    else if (t == "MorphSquare" || t == "VSliderBar")
        r = {c.x1 - w / 2, c.y1 - h / 2, c.x1 + w / 2, c.y1 + h / 2};
    else if (t == "VersionDisplay")
        r = {c.x2 - 6 * 13, c.y1, c.x2, c.y2}; // "Version v3.10"
    else if (t == "PresetSelector" || t == "VuMeter" || t == "PresetMenu" || t == "WebLink" || t == "RadioButton" ||
             t == "TextDisplay")
        r = {c.x1, c.y1, c.x2, c.y2};
    else
        return false;
    return true;
}

// The committed skin, read once for every test.
class DefaultSkin : public ::testing::Test {
protected:
    struct Loaded {
        Loaded()
        {
            std::ifstream file(kSkinFolder + "/SkinParameters.txt", std::ios::binary);
            text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            ok = readSkinText(text, skin, error);
            for (const std::string& name : skin.bitmaps)
                if (Image image; decodePng(kSkinFolder + "/" + name + ".png", image))
                    images[name] = image;
        }
        std::string text, error;
        SkinText skin;
        bool ok = false;
        std::map<std::string, Image> images;
    };

    void SetUp() override { ASSERT_TRUE(loaded().ok) << loaded().error; }

    static const Loaded& loaded()
    {
        static const Loaded skin;
        return skin;
    }
    static const SkinText& skin() { return loaded().skin; }
    static const Image* image(const std::string& name)
    {
        const auto found = loaded().images.find(name);
        return found == loaded().images.end() ? nullptr : &found->second;
    }
    // The last record of a name is the one the editor keeps (names of fonts and pages are unique).
    template <class Record>
    static const Record* last(const std::vector<Record>& records, const std::string& name,
                              std::string Record::*key = &Record::name)
    {
        const Record* found = nullptr;
        for (const Record& r : records)
            if (r.*key == name)
                found = &r;
        return found;
    }
    static const SkinText::Font* font(const std::string& name) { return last(skin().fonts, name); }
    static const SkinText::Page* page(const std::string& name) { return last(skin().pages, name); }
    static const SkinText::Control* control(const std::string& parameter)
    {
        return last(skin().controls, parameter, &SkinText::Control::parameter);
    }
    static int setting(const std::string& name)
    {
        const auto found = skin().settings.find(name);
        return found == skin().settings.end() ? -32768 : found->second;
    }
    static Rect rectOf(const SkinText::Control& c)
    {
        Rect r{0, 0, 0, 0};
        if (const Image* img = image(c.bitmap))
            placement(c, img->width, img->height, r);
        return r;
    }
    static int textWidth(const SkinText::Font& f, const std::string& text)
    {
        int total = 0;
        for (char ch : text) {
            const std::size_t at = f.characters.find(ch);
            total += at == std::string::npos ? 6 : f.widths[at];
        }
        return total;
    }
};

TEST_F(DefaultSkin, ReadsAsFiveSectionsInOrderAndEveryBitmapIsADecodablePng)
{
    // (The reader has found the five keywords in order.)
    EXPECT_EQ(loaded().text.find('\r'), std::string::npos) << "line ends must be plain line feeds";
    EXPECT_EQ(skin().pages.size(), 2u);
    EXPECT_TRUE(skin().endedAtMarker);
    std::vector<std::string> names = skin().bitmaps;
    for (const auto& f : skin().fonts)
        names.push_back(f.name);
    for (const auto& s : skin().settings)
        names.push_back(s.first);
    for (const auto& p : skin().pages)
        names.push_back(p.name);
    for (const std::string& name : names)
        EXPECT_LE(name.size(), 31u) << name;

    for (const std::string& name : skin().bitmaps) {
        const Image* img = image(name);
        ASSERT_NE(img, nullptr) << name << ".png is missing or does not decode";
        EXPECT_TRUE(img->width >= 4 && img->height >= 4 && img->width <= 2048 && img->height <= 4096) << name;
    }
    const Image* background = image("Background");
    ASSERT_NE(background, nullptr);
    EXPECT_TRUE(background->width >= 700 && background->width <= 1100) << background->width;
    EXPECT_TRUE(background->height >= 450 && background->height <= 700) << background->height;
    EXPECT_TRUE(background->opaque());
}

TEST_F(DefaultSkin, HoldsTheBitmapsFontsAndSettingsTheEditorLooksUpAndTheFontsFitTheirStrips)
{
    for (const char* name : {"Background", "LevelMeterOff", "XYCursor", "LfoSelect1", "LfoSelect2"})
        EXPECT_NE(image(name), nullptr) << name;
    ASSERT_FALSE(skin().fonts.empty());
    for (const char* name : {"FontDisplay", "FontVersion"})
        EXPECT_NE(font(name), nullptr) << name;
    EXPECT_GT(setting("SelectorButtonWidthSmall"), 0);
    EXPECT_GT(setting("LfoButtonSpace"), 0);
    for (const char* name : {"XYLineR", "XYLineG", "XYLineB", "XYLineA", "XYBkgR", "XYBkgG", "XYBkgB"})
        EXPECT_TRUE(setting(name) >= 0 && setting(name) <= 255) << name;
    EXPECT_GT(setting("XYLineA"), 0) << "pad lines would vanish into the pad colour";

    for (const auto& f : skin().fonts) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(f.separator, ' ');
        for (char c = ' '; c <= '~'; ++c)
            EXPECT_NE(f.characters.find(c), std::string::npos) << c;
        int total = 0;
        for (int w : f.widths) {
            EXPECT_GT(w, 0);
            total += w;
        }
        const Image* strip = image(f.name);
        ASSERT_NE(strip, nullptr) << "every font needs its strip";
        EXPECT_EQ(total, strip->width);
        EXPECT_TRUE(strip->height >= 8 && strip->height <= 24) << strip->height;
    }
}

TEST_F(DefaultSkin, EveryParameterThatDoesSomethingHasAControlOfAKnownTypeBitmapAndPage)
{
    const std::set<std::string> needNoControl = {"Unused1", "Unused2", "Unused3", "Unused4", "Unused5", "Unused",
                                                 "Dummy"};
    std::set<std::string> parameters;
    for (const ParameterRow& row : kParameterTable) {
        parameters.insert(row.name);
        if (needNoControl.count(row.name) == 0) {
            EXPECT_NE(control(row.name), nullptr) << row.name;
        }
    }
    for (const auto& c : skin().controls) {
        SCOPED_TRACE(c.parameter);
        EXPECT_NE(image(c.bitmap), nullptr) << c.bitmap;
        EXPECT_TRUE(c.page == "Main" || page(c.page) != nullptr) << c.page;
        EXPECT_EQ(parameters.count(c.parameter), 1u);
        Rect r;
        EXPECT_TRUE(placement(c, 1, 1, r)) << "unknown type " << c.type;
    }
    for (const auto& p : skin().pages)
        EXPECT_NE(image(p.bitmap), nullptr) << p.bitmap;
    // The types the editor's hooks rely on.
    const std::map<std::string, std::string> bindings = {
        {"MmFilterType", "Selector"},   {"Lfo1Target", "Selector"},     {"Lfo1Shape", "Selector"},
        {"Lfo2Target", "Selector"},     {"Lfo2Shape", "Selector"},      {"MorphXParam", "Selector"},
        {"MorphYParam", "Selector"},    {"LfoSelect", "RadioButton"},   {"ParamDisplay", "TextDisplay"},
        {"MorphSquare", "MorphSquare"}, {"BpFilterBar", "VSliderBar"}, {"LevelMeterL", "VuMeter"},
        {"LevelMeterR", "VuMeter"}};
    for (const auto& [parameter, type] : bindings) {
        const SkinText::Control* c = control(parameter);
        ASSERT_NE(c, nullptr) << parameter;
        EXPECT_EQ(c->type, type) << parameter;
    }
}

TEST_F(DefaultSkin, ControlsLieInsideTheirContainersWithoutOverlapping)
{
    const Image* background = image("Background");
    ASSERT_NE(background, nullptr);
    const Rect window{0, 0, background->width, background->height};
    for (const auto& p : skin().pages) {
        const Rect pr{p.left, p.top, p.right, p.bottom};
        EXPECT_TRUE(pr.inside(window)) << p.name;
        const Image* img = image(p.bitmap);
        ASSERT_NE(img, nullptr);
        EXPECT_TRUE(img->width == pr.right - pr.left && img->height == pr.bottom - pr.top) << p.name;
    }
    const auto& controls = skin().controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& c = controls[i];
        const Rect r = rectOf(c);
        SCOPED_TRACE(c.parameter);
        EXPECT_TRUE(r.left < r.right && r.top < r.bottom);
        if (c.page == "Main") {
            EXPECT_TRUE(r.inside(window));
            // A page covers whatever the main container has beneath it.
            for (const auto& p : skin().pages)
                EXPECT_FALSE(r.overlaps({p.left, p.top, p.right, p.bottom})) << p.name;
        } else if (const SkinText::Page* p = page(c.page)) {
            EXPECT_TRUE(r.inside({p->left, p->top, p->right, p->bottom}));
        }
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (controls[j].page == c.page) {
                EXPECT_FALSE(r.overlaps(rectOf(controls[j]))) << controls[j].parameter;
            }
    }
}

TEST_F(DefaultSkin, BitmapsHaveTheFramesTheirControlsCutAndRepaintingOnesAreOpaque)
{
    // These draw their bitmap straight over their last picture, so any see-through pixel would smear.
    const std::set<std::string> repaintAlone = {"Knob",   "OnButton",  "KickButton",  "Selector",  "PresetSelector",
                                                "UpDownPreset", "VuMeter", "MorphSquare", "VSliderBar"};
    for (const auto& c : skin().controls) {
        const Image* img = image(c.bitmap);
        ASSERT_NE(img, nullptr);
        SCOPED_TRACE(c.parameter + " / " + c.bitmap);
        const int w = img->width, h = img->height;
        const Rect r = rectOf(c);
        if (repaintAlone.count(c.type)) {
            EXPECT_TRUE(img->opaque());
        }
        if (c.type == "Knob") {
            ASSERT_EQ(h % w, 0);
            const int frames = h / w;
            EXPECT_GE(frames, 31);
            EXPECT_FALSE(img->sameRows(0, (frames - 1) * w, w)) << "the first and last frames must differ";
            EXPECT_FALSE(img->sameRows(0, w, w)) << "the value arc must move from the first frame on";
        } else if (c.type == "OnButton" || c.type == "KickButton") {
            ASSERT_EQ(h % 2, 0);
            EXPECT_FALSE(img->sameRows(0, h / 2, h / 2));
        } else if (c.type == "Selector" || c.type == "UpDownPreset" || c.type == "PresetSelector") {
            ASSERT_EQ(h % 3, 0);
            EXPECT_FALSE(img->sameRows(0, h / 3, h / 3));
            EXPECT_FALSE(img->sameRows(0, 2 * h / 3, h / 3));
        }
        if (c.type == "PresetSelector") {
            EXPECT_TRUE(r.right - r.left == w && r.bottom - r.top == h / 3);
        }
        if (c.type == "VuMeter") {
            const Image* off = image("LevelMeterOff");
            ASSERT_NE(off, nullptr);
            // The meter cuts its on and off pictures at the control's height, in 31 segments of whole pixels.
            EXPECT_TRUE(r.bottom - r.top == h && r.right - r.left == w && off->width == w && off->height == h);
            EXPECT_EQ(h % 31, 0);
        }
        if (c.type == "MorphSquare") {
            EXPECT_GT(std::min(w, h), 8 + 64);
        }
        if (c.type == "VSlider") {
            EXPECT_EQ(c.x1, c.x2) << "a vertical slider travels straight down";
        }
        if (c.type == "RadioButton") {
            const Image* first = image("LfoSelect1");
            const Image* second = image("LfoSelect2");
            ASSERT_TRUE(first != nullptr && second != nullptr);
            EXPECT_TRUE(first->height % 2 == 0 && second->height % 2 == 0);
            const int space = setting("LfoButtonSpace");
            EXPECT_TRUE(Rect({r.left + space, r.top, r.left + space + second->width, r.top + second->height / 2}).inside(r));
            EXPECT_GE(space, first->width) << "the two buttons must not overlap";
        }
    }
    for (const char* name : {"LfoSelect1", "LfoSelect2", "LevelMeterOff"}) {
        ASSERT_NE(image(name), nullptr);
        EXPECT_TRUE(image(name)->opaque()) << name;
    }
    const Image* cursor = image("XYCursor");
    ASSERT_NE(cursor, nullptr);
    EXPECT_TRUE(cursor->width == 9 && cursor->height == 9);
}

TEST_F(DefaultSkin, EveryTextFitsWhereItIsDrawn)
{
    const SkinText::Font& selectorFont = skin().fonts.front();
    const Image* selectorStrip = image(selectorFont.name);
    ASSERT_NE(selectorStrip, nullptr);
    std::vector<std::string> types, shapes, targets;
    for (const char* name : kFilterTypeNames)
        types.push_back(name);
    for (const char* name : kLfoShapeNames)
        shapes.push_back(name);
    for (const TargetEntry& t : kTargetList)
        targets.push_back(t.shortName);
    const std::map<std::string, const std::vector<std::string>*> menus = {
        {"MmFilterType", &types},  {"Lfo1Shape", &shapes},    {"Lfo2Shape", &shapes},    {"Lfo1Target", &targets},
        {"Lfo2Target", &targets}, {"MorphXParam", &targets}, {"MorphYParam", &targets}};
    for (const auto& [parameter, entries] : menus) {
        const SkinText::Control* c = control(parameter);
        ASSERT_NE(c, nullptr) << parameter;
        const Rect r = rectOf(*c);
        const bool morph = parameter == "MorphXParam" || parameter == "MorphYParam";
        const int button = morph ? setting("SelectorButtonWidthSmall") : 24;
        for (const std::string& entry : *entries)
            EXPECT_LE(textWidth(selectorFont, entry), (r.right - button) - (r.left + button + 5)) << parameter << ": " << entry;
        EXPECT_LE(selectorStrip->height, r.bottom - r.top) << parameter;
    }

    const SkinText::Font* version = font("FontVersion");
    const SkinText::Font* displayFont = font("FontDisplay");
    const SkinText::Control* display = control("ParamDisplay");
    const Image* displayStrip = image("FontDisplay");
    ASSERT_TRUE(version && displayFont && display && displayStrip);
    EXPECT_LE(textWidth(*version, "Version v3.10"), 6 * 13);
    EXPECT_LE(displayStrip->height, display->y2 - display->y1);
    EXPECT_LE(textWidth(*displayFont, "Random Triangle Crunch"), display->x2 - display->x1);
}

TEST_F(DefaultSkin, SplitsTheLfosOverTwoPagesOfOneRectangle)
{
    ASSERT_EQ(skin().pages.size(), 2u);
    const auto& first = skin().pages[0];
    const auto& second = skin().pages[1];
    EXPECT_EQ(std::tie(first.left, first.top, first.right, first.bottom),
              std::tie(second.left, second.top, second.right, second.bottom));
    for (const char* suffix : {"On", "Target", "Shape", "Depth", "Rate", "Sync"}) {
        const SkinText::Control* one = control(std::string("Lfo1") + suffix);
        const SkinText::Control* two = control(std::string("Lfo2") + suffix);
        ASSERT_TRUE(one != nullptr && two != nullptr) << suffix;
        EXPECT_TRUE(one->page == first.name && two->page == second.name) << suffix;
    }
    const SkinText::Control* buttons = control("LfoSelect");
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->page, first.name) << "the page buttons start on the page shown first";
    for (const auto& c : skin().controls)
        if (c.page == "Main") {
            EXPECT_NE(c.parameter.rfind("Lfo", 0), 0u) << c.parameter;
        }
}

} // namespace
