// Fuzz input as a file for readers that take a path: an in-memory file (memfd) reached by its /proc path,
// so a run of millions of inputs never touches the disk.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzFile {
public:
    FuzzFile() : fd(memfd_create("ravensoot-fuzz", 0)), filePath("/proc/self/fd/" + std::to_string(fd)) { }
    ~FuzzFile() { ::close(fd); }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    // Replaces the file's content; the path stays the same.
    const char* hold(const std::uint8_t* data, std::size_t size)
    {
        bool ok = fd >= 0 && ftruncate(fd, 0) == 0;
        for (std::size_t done = 0; ok && done < size;) {
            ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
            ok = n > 0;
            done += ok ? static_cast<std::size_t>(n) : 0;
        }
        return ok ? filePath.c_str() : nullptr;
    }

private:
    int fd;
    std::string filePath;
};
