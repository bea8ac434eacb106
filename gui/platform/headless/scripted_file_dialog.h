// The headless layer's file dialogs: answers come from a script the test writes, requests are recorded.
#pragma once

#include "gui/platform/file_dialog.h"

#include <string>
#include <vector>

class ScriptedFileDialog : public FileDialog {
public:
    // The next dialogs' answers, in order; a dialog with no answer left is cancelled. A path goes through
    // the same checks as a real dialog's (extension added on save, 512 bytes or more cancelled).
    static void answer(const std::string& path);
    static void cancel();
    // As on a system without a dialog program.
    static void unavailable(const std::string& reason = "No file dialog: install zenity or kdialog");
    // Forgets answers and requests.
    static void reset();
    // Every dialog shown since the last reset.
    static const std::vector<FileDialogRequest>& requests();
    static size_t pendingAnswers();

    // Runs whileWaiting once, as a real dialog keeps the editor painted.
    FileDialogResult run(const FileDialogRequest& request, const std::function<void()>& whileWaiting) override;
};
