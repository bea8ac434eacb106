// The skin definition file's grammar, section by section.
#include "editor/skin_loader.h"

#include "editor/skin_control_factory.h"
#include "editor/skin_font.h"
#include "editor/skin_tables.h"
#include "engine/engine_base.h"
#include "gui/c_bitmap.h"
#include "gui/c_frame.h"
#include "gui/c_view_container.h"

#include <cstring>

namespace {

using Word = char[SkinWordReader::kWordCapacity];

// A row of dashes is the usual marker; an empty word is the end of the file.
bool endsSection(const char* word)
{
    return word[0] == '\0' || word[0] == '-' || word[1] == '-';
}

bool fitsName(size_t length)
{
    return length < size_t(SkinTables::kNameSize);
}

}  // namespace

SkinLoader::SkinLoader(SkinTables& tables, const EngineBase& engine, SkinControlFactory& factory)
    : tables(tables), engine(engine), factory(factory)
{
}

bool SkinLoader::load(const char* skinName, CFrame* frame, const CRect& editorSize)
{
    char path[SkinFolder::kPathSize];
    if (!folder.set(engine.getDataFolderPrefix(), skinName) || !folder.find("SkinParameters.txt", path, sizeof path)
        || !reader.open(path))
        return false;
    return findSection("BITMAPS") && readBitmaps() && loadBitmaps() && findSection("FONTS") && readFonts()
        && findSection("PARAMETERS") && readSettings() && findSection("PAGES") && readPages(frame, editorSize)
        && findSection("CONTROLS") && readControls();
}

bool SkinLoader::findSection(const char* keyword)
{
    Word word;
    while (reader.readWord(word) > 0)
        if (std::strcmp(word, keyword) == 0)
            return true;
    return false;
}

bool SkinLoader::readBitmaps()
{
    Word word;
    while (tables.getBitmapCount() < SkinTables::kMaxBitmaps) {
        size_t length = reader.readWord(word);
        if (endsSection(word))
            break;
        if (!fitsName(length) || !tables.addBitmapName(word))
            return false;
    }
    return tables.getBackgroundIndex() >= 0;
}

bool SkinLoader::loadBitmaps()
{
    for (int i = 0; i < tables.getBitmapCount(); ++i) {
        char fileName[SkinTables::kNameSize + 8];
        std::snprintf(fileName, sizeof fileName, "%s.png", tables.getBitmapName(i));
        char path[SkinFolder::kPathSize];
        auto* bitmap = new CBitmap();
        tables.setBitmapAt(i, bitmap);
        if (!folder.find(fileName, path, sizeof path) || !bitmap->loadFromFile(path))
            return false;
    }
    return true;
}

bool SkinLoader::readFonts()
{
    Word name;
    while (tables.getFontCount() < SkinTables::kMaxFonts) {
        size_t length = reader.readWord(name);
        // The marker consumes only itself: the next keyword must stay readable.
        if (endsSection(name))
            return true;
        int32_t count = 0;
        unsigned char separator;
        if (!fitsName(length) || !reader.readInt(count) || count < 0 || count > SkinFont::kMaxCharacters
            || !reader.readChar(separator))
            return false;
        unsigned char characters[SkinFont::kMaxCharacters];
        int32_t widths[SkinFont::kMaxCharacters];
        for (int i = 0; i < count; ++i)
            if (!reader.readChar(characters[i]))
                return false;
        for (int i = 0; i < count; ++i)
            if (!reader.readInt(widths[i]))
                return false;
        tables.addFont(new SkinFont(name, tables.getBitmap(name), count, characters, widths));
    }
    return true;
}

bool SkinLoader::readSettings()
{
    Word name;
    while (tables.getSettingCount() < SkinTables::kMaxSettings) {
        size_t length = reader.readWord(name);
        if (endsSection(name))
            break;
        // A record without its number ends the section: the word after a marker line may be the keyword.
        int32_t value = SkinTables::kMissingSetting;
        if (!reader.readInt(value))
            break;
        if (!fitsName(length) || !tables.addSetting(name, value))
            return false;
    }
    return true;
}

bool SkinLoader::readPages(CFrame* frame, const CRect& editorSize)
{
    auto* main = new CViewContainer(editorSize, frame, tables.getBitmap("Background"));
    main->setViewSize(editorSize);
    tables.setMainContainer(main);
    if (frame != nullptr) {
        main->addReference();
        frame->addView(main);
    }

    while (tables.getPageCount() < SkinTables::kMaxPages) {
        Word name, ignored, bitmapName, ignored2;
        size_t length = reader.readWord(name);
        reader.readWord(ignored);
        reader.readWord(bitmapName);
        reader.readWord(ignored2);
        if (endsSection(name))
            break;
        int32_t edges[4] = {0, 0, 0, 0};
        for (int32_t& edge : edges)
            if (!reader.readInt(edge))
                break;
        CBitmap* bitmap = tables.getBitmap(bitmapName);
        if (!fitsName(length) || tables.findBitmap(bitmapName) < 0)
            return false;
        CRect rect(edges[0], edges[1], edges[2], edges[3]);
        auto* page = new CViewContainer(rect, frame, bitmap);
        page->setViewSize(rect);
        if (!tables.addPage(name, page))
            return false;
    }
    return true;
}

bool SkinLoader::readControls()
{
    tables.clearControls();
    Word parameter, type, bitmapName, pageName;
    for (;;) {
        reader.readWord(parameter);
        if (endsSection(parameter))
            return true;
        reader.readWord(type);
        reader.readWord(bitmapName);
        reader.readWord(pageName);
        int32_t c[4] = {0, 0, 0, 0};
        for (int32_t& value : c)
            if (!reader.readInt(value))
                break;

        if (tables.findBitmap(bitmapName) < 0)
            return false;
        CViewContainer* container = nullptr;
        if (std::strcmp(pageName, "Main") == 0) {
            container = tables.getMainContainer();
        } else {
            int page = tables.findPage(pageName);
            if (page < 0)
                return false;
            container = tables.getPageAt(page);
        }
        int index = parameterIndex(parameter);
        if (index < 0 || container == nullptr)
            return false;

        CPoint origin;
        container->localToFrame(origin);
        auto shifted = [](int32_t value, int32_t by) { return CRect::saturate(int64_t(value) - by); };
        factory.createControl(tables.controlSlot(index), type, tables.getBitmap(bitmapName), index, container,
                              shifted(c[0], origin.h), shifted(c[1], origin.v), shifted(c[2], origin.h),
                              shifted(c[3], origin.v));
    }
}

int SkinLoader::parameterIndex(const char* name) const
{
    int count = engine.parameterCount();
    if (count > SkinTables::kMaxControls)
        count = SkinTables::kMaxControls;
    for (int i = 0; i < count; ++i) {
        const Parameter* record = engine.parameter(i);
        if (record != nullptr && std::strcmp(record->name, name) == 0)
            return i;
    }
    return -1;
}
