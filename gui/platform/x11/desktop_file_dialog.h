// The desktop's own file dialog, run as a separate program (zenity, else kdialog): a GTK or Qt dialog loaded
// into the host's process would clash with the host's own toolkit.
#pragma once

#include "gui/platform/file_dialog.h"

#include <string>
#include <vector>

class DesktopFileDialog : public FileDialog {
public:
    enum class Program { kZenity, kKdialog };

    FileDialogResult run(const FileDialogRequest& request, const std::function<void()>& whileWaiting) override;

    // The program's arguments for a request (titles and filters in the program's own terms).
    static std::vector<std::string> arguments(Program program, const FileDialogRequest& request);
    // What the user sees when neither program is installed.
    static const char* const kNoProgramReason;
};
