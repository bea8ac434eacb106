// Choosing between the data folder and $XDG_CONFIG_HOME/RavenSoot/ for the MIDI bindings.
#include "params/midi_config_location.h"

#include "params/fixed_text.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kFileName = "MidiConfig.txt";

bool fileExists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

bool makeFolder(const char* path)
{
    return mkdir(path, 0755) == 0 || errno == EEXIST;
}

// "$XDG_CONFIG_HOME/RavenSoot", or "$HOME/.config/RavenSoot"; empty when neither is set.
void userConfigFolder(char* out, int size)
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (xdg != nullptr && xdg[0] == '/')
        std::snprintf(out, static_cast<size_t>(size), "%s/RavenSoot", xdg);
    else if (home != nullptr && home[0] != '\0')
        std::snprintf(out, static_cast<size_t>(size), "%s/.config/RavenSoot", home);
    else
        out[0] = '\0';
}

} // namespace

bool MidiConfigLocation::isReadOnlyFolder(const char* folder)
{
    if (folder == nullptr || folder[0] == '\0')
        return false;
    return access(folder, F_OK) == 0 && access(folder, W_OK) != 0;
}

MidiConfigLocation::MidiConfigLocation(const char* dataFolderPrefix)
    : MidiConfigLocation(dataFolderPrefix, isReadOnlyFolder(dataFolderPrefix))
{
}

MidiConfigLocation::MidiConfigLocation(const char* dataFolderPrefix, bool dataFolderReadOnly)
{
    char dataPath[kPathSize];
    std::snprintf(dataPath, sizeof dataPath, "%s%s", dataFolderPrefix ? dataFolderPrefix : "",
                  kFileName);
    copyFixedText(readFrom, kPathSize, dataPath);
    copyFixedText(writeTo, kPathSize, dataPath);
    writeFolder[0] = '\0';

    if (!dataFolderReadOnly)
        return;

    char folder[kPathSize];
    userConfigFolder(folder, kPathSize);
    char userPath[kPathSize];
    int length = std::snprintf(userPath, sizeof userPath, "%s/%s", folder, kFileName);
    // A path that does not fit would name some other file.
    if (folder[0] == '\0' || length < 0 || length >= kPathSize)
        return;
    userFolder = true;
    copyFixedText(writeFolder, kPathSize, folder);
    copyFixedText(writeTo, kPathSize, userPath);
    if (fileExists(writeTo))
        copyFixedText(readFrom, kPathSize, writeTo);
}

bool MidiConfigLocation::prepareWriteFolder() const
{
    if (!userFolder)
        return true;
    // The parent ($XDG_CONFIG_HOME or ~/.config) may not exist yet on a fresh account.
    char parent[kPathSize];
    copyFixedText(parent, kPathSize, writeFolder);
    char* slash = std::strrchr(parent, '/');
    if (slash != nullptr && slash != parent) {
        *slash = '\0';
        makeFolder(parent);
    }
    return makeFolder(writeFolder);
}
