// Reads a skin's "SkinParameters.txt" into the skin tables: BITMAPS, FONTS, PARAMETERS, PAGES and
// CONTROLS, each section found by its keyword, every table bounded.
#pragma once

#include "editor/skin_folder.h"
#include "editor/skin_word_reader.h"
#include "gui/c_rect.h"

class CFrame;
class EngineBase;
class SkinControlFactory;
class SkinTables;

class SkinLoader {
public:
    SkinLoader(SkinTables& tables, const EngineBase& engine, SkinControlFactory& factory);

    // Fills the tables from the skin skinName; editorSize is the main container's rectangle. False on any
    // failure; what was built before it stays in the tables until they are cleared.
    bool load(const char* skinName, CFrame* frame, const CRect& editorSize);

private:
    bool findSection(const char* keyword);
    bool readBitmaps();
    bool loadBitmaps();
    bool readFonts();
    bool readSettings();
    bool readPages(CFrame* frame, const CRect& editorSize);
    bool readControls();
    int parameterIndex(const char* name) const;

    SkinTables& tables;
    const EngineBase& engine;
    SkinControlFactory& factory;
    SkinFolder folder;
    SkinWordReader reader;
};
