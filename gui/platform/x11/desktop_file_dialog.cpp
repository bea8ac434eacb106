// zenity and kdialog: their options, and their answers turned into ours.
#include "gui/platform/x11/desktop_file_dialog.h"

#include "gui/platform/x11/helper_process.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kPollMs = 16;

std::string startFolder()
{
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) : std::string("/");
}

}  // namespace

const char* const DesktopFileDialog::kNoProgramReason = "No file dialog: install zenity or kdialog";

std::vector<std::string> DesktopFileDialog::arguments(Program program, const FileDialogRequest& request)
{
    using Kind = FileDialogRequest::Kind;
    std::vector<std::string> words;
    if (program == Program::kZenity) {
        words.push_back("--file-selection");
        words.push_back("--title=" + request.title);
        if (request.kind == Kind::kSave) {
            words.push_back("--save");
            words.push_back("--confirm-overwrite");
        } else if (request.kind == Kind::kFolder) {
            words.push_back("--directory");
        }
        for (const FileDialogRequest::Filter& filter : request.filters)
            words.push_back("--file-filter=" + filter.description + " | " + filter.pattern);
        return words;
    }
    if (request.parentWindow != nullptr) {
        words.push_back("--attach");
        words.push_back(std::to_string(reinterpret_cast<uintptr_t>(request.parentWindow)));
    }
    words.push_back("--title");
    words.push_back(request.title);
    words.push_back(request.kind == Kind::kOpen   ? "--getopenfilename"
                    : request.kind == Kind::kSave ? "--getsavefilename"
                                                  : "--getexistingdirectory");
    words.push_back(startFolder());
    if (request.kind != Kind::kFolder) {
        std::string filters;
        for (const FileDialogRequest::Filter& filter : request.filters)
            filters += (filters.empty() ? "" : "\n") + filter.description;
        words.push_back(filters);
    }
    return words;
}

FileDialogResult DesktopFileDialog::run(const FileDialogRequest& request, const std::function<void()>& whileWaiting)
{
    FileDialogResult result;
    Program program = Program::kZenity;
    std::string path = HelperProcess::findProgram("zenity");
    if (path.empty()) {
        program = Program::kKdialog;
        path = HelperProcess::findProgram("kdialog");
    }
    if (path.empty()) {
        result.status = FileDialogResult::Status::kUnavailable;
        result.reason = kNoProgramReason;
        return result;
    }
    HelperProcess dialog;
    if (!dialog.start(path, arguments(program, request), true)) {
        result.status = FileDialogResult::Status::kFailed;
        result.reason = "The file dialog did not start";
        return result;
    }
    while (dialog.poll(kPollMs)) {
        if (whileWaiting)
            whileWaiting();
    }
    std::string answer = dialog.output();
    if (!answer.empty() && answer.back() == '\n')
        answer.pop_back();
    int status = dialog.exitStatus();
    // Both programs answer 0 with the path, 1 for cancel; an unknown status (someone else reaped the
    // process) is judged by the output alone.
    if (status == 0 || (status < 0 && !answer.empty()))
        return request.accept(answer);
    if (status == 1 || status < 0)
        return result;
    result.status = FileDialogResult::Status::kFailed;
    result.reason = "The file dialog failed";
    return result;
}
