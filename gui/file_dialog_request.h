// What a file dialog is asked (title, filters, kind) and the checks every answer goes through.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct FileDialogResult {
    enum class Status {
        kChosen,       // path holds the file or folder
        kCancelled,    // the user said no (or gave a path we must not use)
        kUnavailable,  // no dialog program on this system; reason says what to install
        kFailed,       // the dialog could not run or gave no usable answer; reason says why
    };
    Status status = Status::kCancelled;
    std::string path;
    std::string reason;

    bool chosen() const { return status == Status::kChosen; }
};

struct FileDialogRequest {
    enum class Kind { kOpen, kSave, kFolder };
    struct Filter {
        std::string description;  // "fxb files (*.fxb)"
        std::string pattern;      // "*.fxb"
    };
    // The editor's path buffers hold 511 characters and a terminator: a longer path, cut, would name
    // another file.
    static constexpr size_t kMaxPath = 512;

    // "Load fxb File", filter "fxb files (*.fxb)" for *.fxb.
    static FileDialogRequest open(const std::string& extension);
    // "Load fxb or fxp File", one filter for each.
    static FileDialogRequest open(const std::string& first, const std::string& second);
    // "Save fxp File"; a name given without an extension gets this one.
    static FileDialogRequest save(const std::string& extension);
    // "Choose root directory".
    static FileDialogRequest chooseFolder();

    // The answer for a path a dialog gave: a save without an extension gets the default one; a path of
    // kMaxPath bytes or more counts as cancelled; an opened file must exist, a folder must be a folder.
    FileDialogResult accept(std::string path) const;

    Kind kind = Kind::kOpen;
    std::string title;
    std::vector<Filter> filters;
    std::string defaultExtension;
    // The host's window the dialog belongs to (null when unknown); a dialog program may attach to it.
    void* parentWindow = nullptr;
};
