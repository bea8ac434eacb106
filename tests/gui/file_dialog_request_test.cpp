// File dialog requests: titles and filters as the menus ask for them and the rules every answer goes through.
// (The headless layer's scripted dialogs and link opener are driven by the editor's menu and link tests.)
#include "gui/file_dialog_request.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using Status = FileDialogResult::Status;

TEST(FileDialogRequestTest, TitlesFiltersAndPathRules)
{
    FileDialogRequest load = FileDialogRequest::open("fxb");
    EXPECT_EQ(load.title, "Load fxb File");
    ASSERT_EQ(load.filters.size(), 1u);
    EXPECT_EQ(load.filters[0].description, "fxb files (*.fxb)");
    EXPECT_EQ(load.filters[0].pattern, "*.fxb");
    EXPECT_EQ(FileDialogRequest::open("fxb", "fxp").title, "Load fxb or fxp File");
    EXPECT_EQ(FileDialogRequest::open("fxb", "fxp").filters.at(1).pattern, "*.fxp");
    FileDialogRequest save = FileDialogRequest::save("fxp");
    EXPECT_EQ(save.title, "Save fxp File");
    EXPECT_EQ(FileDialogRequest::chooseFolder().title, "Choose root directory");

    TempFolder folder("dialog");
    // A save without an extension gets the default one; a name with one, or a hidden name's dot, is kept.
    EXPECT_EQ(save.accept(folder.file("mine")).path, folder.file("mine.fxp"));
    EXPECT_EQ(save.accept(folder.file("mine.bak")).path, folder.file("mine.bak"));
    EXPECT_EQ(save.accept(folder.file(".mine")).path, folder.file(".mine.fxp"));
    EXPECT_EQ(save.accept("").status, Status::kCancelled);

    // 511 bytes still fit the editor's buffer; 512 would be cut to another name.
    std::string base = folder.file("");
    std::string fits = base + std::string(511 - base.size() - 4, 'a') + ".fxp";
    ASSERT_EQ(fits.size(), 511u);
    EXPECT_EQ(save.accept(fits).status, Status::kChosen);
    EXPECT_EQ(save.accept(fits + "x").status, Status::kCancelled);
    // The added extension counts too.
    EXPECT_EQ(save.accept(fits.substr(0, 507) + "b").status, Status::kCancelled);

    // What is opened must be there.
    EXPECT_EQ(load.accept(folder.file("none.fxb")).status, Status::kFailed);
    folder.write("bank.fxb", "x");
    EXPECT_EQ(load.accept(folder.file("bank.fxb")).path, folder.file("bank.fxb"));
    EXPECT_EQ(load.accept(folder.path.string()).status, Status::kFailed);
    EXPECT_EQ(FileDialogRequest::chooseFolder().accept(folder.path.string()).status, Status::kChosen);
}

}  // namespace
