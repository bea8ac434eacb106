// The file format an output is written in: the container from its name, the samples from --bits or the input.
#include "tools/render/output_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

#include "tools/render/tool_error.h"

namespace {

struct Container {
    const char* extension;
    int major;
    const char* name;
};

constexpr Container kContainers[] = {
    {".wav", SF_FORMAT_WAV, "WAV"},    {".aif", SF_FORMAT_AIFF, "AIFF"}, {".aiff", SF_FORMAT_AIFF, "AIFF"},
    {".flac", SF_FORMAT_FLAC, "FLAC"}, {".ogg", SF_FORMAT_OGG, "Ogg"},   {".oga", SF_FORMAT_OGG, "Ogg"},
};

const Container* containerOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return nullptr;
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Container& container : kContainers) {
        if (extension == container.extension)
            return &container;
    }
    return nullptr;
}

int subtypeFor(const std::string& bits)
{
    if (bits == "16")
        return SF_FORMAT_PCM_16;
    if (bits == "24")
        return SF_FORMAT_PCM_24;
    if (bits == "32")
        return SF_FORMAT_PCM_32;
    return SF_FORMAT_FLOAT;
}

bool usable(int format, int channels, int sampleRate)
{
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    return sf_format_check(&info) != 0;
}

} // namespace

bool OutputFormat::validBits(const std::string& bits)
{
    return bits == "16" || bits == "24" || bits == "32" || bits == "float";
}

void OutputFormat::check(const std::string& path, const std::string& bits)
{
    const Container* container = containerOf(path);
    if (!container)
        throw usageError(path + ": unknown output format (name it .wav, .aiff, .flac or .ogg)");
    if (bits.empty())
        return;
    if (container->major == SF_FORMAT_OGG)
        throw usageError(path + ": Ogg Vorbis has no bit depth; leave out --bits");
    if (container->major == SF_FORMAT_FLAC && bits != "16" && bits != "24")
        throw usageError(path + ": FLAC holds 16 or 24 bits, not " + bits);
}

int OutputFormat::choose(const std::string& path, const std::string& bits, int inputFormat, int channels,
                         int sampleRate)
{
    const Container* container = containerOf(path);
    int major = container ? container->major : SF_FORMAT_WAV;
    if (!bits.empty())
        return major | subtypeFor(bits);
    int same = major | (inputFormat & SF_FORMAT_SUBMASK);
    if (usable(same, channels, sampleRate))
        return same;
    return major | (major == SF_FORMAT_OGG ? SF_FORMAT_VORBIS : SF_FORMAT_PCM_24);
}

std::string OutputFormat::describe(int format)
{
    std::string name = "WAV";
    for (const Container& container : kContainers) {
        if ((format & SF_FORMAT_TYPEMASK) == container.major)
            name = container.name;
    }
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16:
        return name + " 16-bit";
    case SF_FORMAT_PCM_24:
        return name + " 24-bit";
    case SF_FORMAT_PCM_32:
        return name + " 32-bit";
    case SF_FORMAT_FLOAT:
        return name + " float";
    case SF_FORMAT_VORBIS:
        return name + " Vorbis";
    default:
        return name;
    }
}
