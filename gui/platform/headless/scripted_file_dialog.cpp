// Scripted dialog answers; only the user-interface thread (the test's) uses them.
#include "gui/platform/headless/scripted_file_dialog.h"

#include <deque>

namespace {

struct Answer {
    FileDialogResult::Status status = FileDialogResult::Status::kCancelled;
    std::string text;  // the path, or the reason
};

std::deque<Answer>& answers()
{
    static std::deque<Answer> queue;
    return queue;
}

std::vector<FileDialogRequest>& shown()
{
    static std::vector<FileDialogRequest> list;
    return list;
}

}  // namespace

std::unique_ptr<FileDialog> FileDialog::create()
{
    return std::make_unique<ScriptedFileDialog>();
}

void ScriptedFileDialog::answer(const std::string& path)
{
    answers().push_back(Answer{FileDialogResult::Status::kChosen, path});
}

void ScriptedFileDialog::cancel()
{
    answers().push_back(Answer{FileDialogResult::Status::kCancelled, std::string()});
}

void ScriptedFileDialog::unavailable(const std::string& reason)
{
    answers().push_back(Answer{FileDialogResult::Status::kUnavailable, reason});
}

void ScriptedFileDialog::reset()
{
    answers().clear();
    shown().clear();
}

const std::vector<FileDialogRequest>& ScriptedFileDialog::requests()
{
    return shown();
}

size_t ScriptedFileDialog::pendingAnswers()
{
    return answers().size();
}

FileDialogResult ScriptedFileDialog::run(const FileDialogRequest& request, const std::function<void()>& whileWaiting)
{
    shown().push_back(request);
    if (whileWaiting)
        whileWaiting();
    FileDialogResult result;
    if (answers().empty())
        return result;
    Answer next = answers().front();
    answers().pop_front();
    if (next.status == FileDialogResult::Status::kChosen)
        return request.accept(next.text);
    result.status = next.status;
    result.reason = next.text;
    return result;
}
