// The program menu's entries and actions.
#include "editor/program_menu.h"

#include "editor/editor_services.h"
#include "editor/pointer_menu.h"
#include "host/plugin_base.h"
#include "host/plugin_program.h"

#include <cstdio>
#include <string>

namespace {

enum FileEntry : int32_t { kLoadBank, kSaveBank, kLoadPreset, kSavePreset, kClearPreset, kSeparatorEntry, kFirstProgram };

}  // namespace

ProgramMenu::ProgramMenu(PluginBase* plugin, EditorServices* services) : plugin(plugin), services(services) {}

void ProgramMenu::fill(COptionMenu& menu) const
{
    if (plugin == nullptr)
        return;
    menu.setNbItemsPerColumn(kEntriesPerColumn);
    const int banks = plugin->getBankCount();
    if (banks == 1) {
        menu.addEntry("Reload Bank");
    } else {
        for (int i = 0; i < banks; ++i) {
            char text[32];
            std::snprintf(text, sizeof text, "Load Bank %c", char('A' + i));
            menu.addEntry(text);
        }
    }
    for (const char* entry : {"Load Bank", "Save Bank", "Load Preset", "Save Preset", "Clear Preset", kSeparator})
        menu.addEntry(entry);
    for (int i = 0; i < PluginBase::kMaxPrograms; ++i) {
        char name[PluginProgram::kNameBytes + 1] = {};
        plugin->getProgramNameIndexed(0, i, name);
        // A program may be called "-" or "-M…": it stays a name.
        menu.addLiteralEntry(name);
    }
}

void ProgramMenu::perform(int32_t choice) const
{
    if (plugin == nullptr || choice < 0)
        return;
    const int32_t banks = plugin->getBankCount();
    if (choice < banks) {
        if (!plugin->loadFactoryBank(choice) && services != nullptr)
            services->showMessage("Bank load failed");
        return;
    }
    switch (choice - banks) {
    case kLoadBank:
        loadFile(true);
        break;
    case kSaveBank:
        saveFile(true);
        break;
    case kLoadPreset:
        loadFile(false);
        break;
    case kSavePreset:
        saveFile(false);
        break;
    case kClearPreset:
        plugin->clearCurrentProgram();
        break;
    case kSeparatorEntry:
        break;
    default:
        plugin->setProgram(choice - banks - kFirstProgram);
        break;
    }
}

void ProgramMenu::run(const CView& view, CControlListener* listener, int32_t tag, const CPoint& where) const
{
    int32_t choice;
    {
        PointerMenu menu(listener, tag);
        fill(menu.entries());
        choice = menu.popup(view, where);
    }
    perform(choice);
}

void ProgramMenu::loadFile(bool bank) const
{
    std::string path;
    if (services == nullptr || !services->chooseFile(false, bank ? "fxb" : "fxp", path))
        return;
    bool loaded = bank ? plugin->loadBankFile(path.c_str()) : plugin->loadProgramFile(path.c_str());
    if (!loaded)
        services->showMessage(bank ? "Bank load failed" : "Preset load failed");
}

void ProgramMenu::saveFile(bool bank) const
{
    std::string path;
    if (services == nullptr || !services->chooseFile(true, bank ? "fxb" : "fxp", path))
        return;
    bool saved = bank ? plugin->saveBankFile(path.c_str()) : plugin->saveProgramFile(path.c_str());
    if (!saved)
        services->showMessage(bank ? "Bank save failed" : "Preset save failed");
}
