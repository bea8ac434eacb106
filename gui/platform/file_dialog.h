// The platform's open, save and folder dialogs, as the editor's menus use them.
#pragma once

#include "gui/file_dialog_request.h"

#include <functional>
#include <memory>

class FileDialog {
public:
    // Defined by the platform layer the build links (the headless one answers from a script).
    static std::unique_ptr<FileDialog> create();

    virtual ~FileDialog() = default;
    // Modal for the calling (user-interface) thread: returns once the user has answered. whileWaiting runs
    // about every 16 ms meanwhile, so the editor keeps its window painted.
    virtual FileDialogResult run(const FileDialogRequest& request, const std::function<void()>& whileWaiting) = 0;
};
