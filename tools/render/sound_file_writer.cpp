// An audio file written through libsndfile into a temporary file beside the target, renamed into place
// only when every frame landed: a failed or interrupted run never leaves a half-written file behind.
#include "tools/render/sound_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/render/tool_error.h"

namespace {

std::string temporaryPattern(const std::string& target)
{
    std::size_t slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".part-XXXXXX";
}

// mkstemp makes the file private; the finished file gets what any new file would.
void giveUsualPermissions(int descriptor)
{
    mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
}

} // namespace

SoundFileWriter::SoundFileWriter(const std::string& path, int format, int channels, int sampleRate)
    : target(path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        throw runFailure(path + ": is a folder; name an output file");
    std::string pattern = temporaryPattern(path);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        throw runFailure(path + ": cannot write (" + std::strerror(errno) + ")");
    temporary = name.data();
    giveUsualPermissions(descriptor);

    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    file = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
    if (!file) {
        std::string reason = sf_strerror(nullptr);
        close(descriptor);
        discard();
        throw runFailure(path + ": cannot write this format (" + reason + ")");
    }
    // Samples beyond full scale are clipped rather than wrapped when the file holds integers.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

SoundFileWriter::~SoundFileWriter()
{
    discard();
}

void SoundFileWriter::write(const float* interleaved, std::size_t frames)
{
    sf_count_t written = sf_writef_float(file, interleaved, static_cast<sf_count_t>(frames));
    if (written != static_cast<sf_count_t>(frames))
        throw runFailure(target + ": cannot write (" + sf_strerror(file) + ")");
}

void SoundFileWriter::commit()
{
    int closed = sf_close(file);
    file = nullptr;
    if (closed != 0)
        throw runFailure(target + ": cannot write (" + sf_error_number(closed) + ")");
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        throw runFailure(target + ": cannot put the finished file in place (" + std::strerror(errno) + ")");
    temporary.clear();
}

void SoundFileWriter::discard()
{
    if (file) {
        sf_close(file);
        file = nullptr;
    }
    if (!temporary.empty()) {
        std::remove(temporary.c_str());
        temporary.clear();
    }
}
