// Where the module file lies: asks the dynamic loader which file holds our own code.
#include "host/module_path.h"
#include "params/fixed_text.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Any function of ours will do; its address lies inside the module that holds this code.
void addressInModule()
{ }

} // namespace

bool ModulePath::modulePath(char* path, std::size_t capacity)
{
    if (!path || capacity == 0)
        return false;
    *path = '\0';
    Dl_info info;
    std::memset(&info, 0, sizeof(info));
    if (dladdr(reinterpret_cast<void*>(&addressInModule), &info) == 0 || !info.dli_fname
        || !*info.dli_fname) {
        return false;
    }
    // A host may load us by a relative path; the data folder must not depend on its working folder later.
    char* absolute = realpath(info.dli_fname, nullptr);
    const char* found = absolute ? absolute : info.dli_fname;
    bool fits = std::strlen(found) < capacity;
    if (fits)
        copyFixedText(path, static_cast<int>(capacity), found);
    std::free(absolute);
    return fits;
}

void ModulePath::split(const char* path, char* folder, std::size_t folderCapacity, char* name,
                       std::size_t nameCapacity)
{
    if (!path)
        path = "";
    const char* lastSeparator = std::strrchr(path, kPathSeparator);
    if (folder && folderCapacity > 0) {
        if (!lastSeparator) {
            copyFixedText(folder, static_cast<int>(folderCapacity), ".");
        } else {
            std::size_t length = static_cast<std::size_t>(lastSeparator - path);
            if (length >= folderCapacity)
                length = folderCapacity - 1;
            std::memcpy(folder, path, length);
            folder[length] = '\0';
        }
    }
    if (name && nameCapacity > 0) {
        const char* start = lastSeparator ? lastSeparator + 1 : path;
        const char* dot = std::strchr(start, '.');
        std::size_t length = dot ? static_cast<std::size_t>(dot - start) : std::strlen(start);
        if (length >= nameCapacity)
            length = nameCapacity - 1;
        std::memcpy(name, start, length);
        name[length] = '\0';
    }
}
