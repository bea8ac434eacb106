// File dialog requests and the rules for their answers.
#include "gui/file_dialog_request.h"

#include <sys/stat.h>

namespace {

FileDialogRequest::Filter filterFor(const std::string& extension)
{
    return FileDialogRequest::Filter{extension + " files (*." + extension + ")", "*." + extension};
}

bool hasExtension(const std::string& path)
{
    size_t slash = path.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = path.rfind('.');
    // A leading dot makes a hidden name, not an extension.
    return dot != std::string::npos && dot > nameStart && dot + 1 < path.size();
}

}  // namespace

FileDialogRequest FileDialogRequest::open(const std::string& extension)
{
    FileDialogRequest request;
    request.kind = Kind::kOpen;
    request.title = "Load " + extension + " File";
    request.filters.push_back(filterFor(extension));
    request.defaultExtension = extension;
    return request;
}

FileDialogRequest FileDialogRequest::open(const std::string& first, const std::string& second)
{
    FileDialogRequest request = open(first);
    request.title = "Load " + first + " or " + second + " File";
    request.filters.push_back(filterFor(second));
    return request;
}

FileDialogRequest FileDialogRequest::save(const std::string& extension)
{
    FileDialogRequest request;
    request.kind = Kind::kSave;
    request.title = "Save " + extension + " File";
    request.filters.push_back(filterFor(extension));
    request.defaultExtension = extension;
    return request;
}

FileDialogRequest FileDialogRequest::chooseFolder()
{
    FileDialogRequest request;
    request.kind = Kind::kFolder;
    request.title = "Choose root directory";
    return request;
}

FileDialogResult FileDialogRequest::accept(std::string path) const
{
    FileDialogResult result;
    if (path.empty() || path.find('\0') != std::string::npos)
        return result;
    if (kind == Kind::kSave && !defaultExtension.empty() && path.back() != '/' && !hasExtension(path))
        path += "." + defaultExtension;
    if (path.size() >= kMaxPath)
        return result;
    struct stat info {};
    if (kind == Kind::kOpen && (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))) {
        result.status = FileDialogResult::Status::kFailed;
        result.reason = "File not found";
        return result;
    }
    if (kind == Kind::kFolder && (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))) {
        result.status = FileDialogResult::Status::kFailed;
        result.reason = "Folder not found";
        return result;
    }
    result.status = FileDialogResult::Status::kChosen;
    result.path = path;
    return result;
}
