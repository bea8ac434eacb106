// MIDI controller map: lookup, learn edits and the "MidiConfig.txt" reader and writer.
#include "params/midi_controller_map.h"

#include "params/fixed_text.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// Reads the file the way "%s" and "%d" conversions would, with words cut to the name field.
class WordReader {
public:
    explicit WordReader(std::FILE* file) : file(file) {}

    bool word(char* out, int size)
    {
        skipSpace();
        int c = std::fgetc(file);
        if (c == EOF)
            return false;
        int n = 0;
        while (c != EOF && !std::isspace(c)) {
            if (n < size - 1)
                out[n++] = static_cast<char>(c);
            c = std::fgetc(file);
        }
        out[n] = '\0';
        if (c != EOF)
            std::ungetc(c, file);
        return true;
    }

    // A decimal integer, saturated far outside the accepted range; false (nothing consumed but
    // white space) when the next text is not a number.
    bool integer(long& out)
    {
        skipSpace();
        int c = std::fgetc(file);
        bool negative = false;
        if (c == '+' || c == '-') {
            int next = std::fgetc(file);
            if (next == EOF || !std::isdigit(next)) {
                if (next != EOF)
                    std::ungetc(next, file);
                // Two characters cannot be pushed back; a lone sign is dropped, as a C reader does.
                return false;
            }
            negative = c == '-';
            c = next;
        }
        if (c == EOF || !std::isdigit(c)) {
            if (c != EOF)
                std::ungetc(c, file);
            return false;
        }
        long v = 0;
        while (c != EOF && std::isdigit(c)) {
            if (v < 1000000000L)
                v = v * 10 + (c - '0');
            c = std::fgetc(file);
        }
        if (c != EOF)
            std::ungetc(c, file);
        out = negative ? -v : v;
        return true;
    }

private:
    void skipSpace()
    {
        int c;
        do
            c = std::fgetc(file);
        while (c != EOF && std::isspace(c));
        if (c != EOF)
            std::ungetc(c, file);
    }

    std::FILE* file;
};

} // namespace

MidiControllerMap::MidiControllerMap(int count, const char* const* entryNames, const int* numbers)
{
    for (int i = 0; i < kCapacity; ++i) {
        names[i][0] = '\0';
        controllers[i] = -1;
    }
    if (count < 0)
        count = 0;
    if (count > kCapacity)
        count = kCapacity;
    for (int i = 0; i < count; ++i) {
        copyFixedText(names[i], kNameSize, entryNames ? entryNames[i] : nullptr);
        controllers[i] = numbers ? numbers[i] : -1;
    }
    entryCount = count;
}

int MidiControllerMap::controller(int entry) const
{
    return entry >= 0 && entry < kCapacity ? controllers[entry] : -1;
}

const char* MidiControllerMap::name(int entry) const
{
    return entry >= 0 && entry < kCapacity ? names[entry] : "";
}

int MidiControllerMap::find(int controllerNumber, int limit) const
{
    int end = entryCount < limit ? entryCount : limit;
    for (int i = 0; i < end; ++i)
        if (controllers[i] == controllerNumber)
            return i;
    return -1;
}

void MidiControllerMap::unbind(int controllerNumber)
{
    for (int i = 0; i < entryCount; ++i)
        if (controllers[i] == controllerNumber) {
            controllers[i] = -1;
            dirty = true;
        }
}

void MidiControllerMap::bind(int entry, int controllerNumber)
{
    if (entry < 0 || entry >= kCapacity || controllers[entry] == controllerNumber)
        return;
    controllers[entry] = controllerNumber;
    dirty = true;
}

bool MidiControllerMap::append(const char* entryName)
{
    if (entryCount >= kCapacity)
        return false;
    copyFixedText(names[entryCount], kNameSize, entryName);
    controllers[entryCount] = -1;
    ++entryCount;
    dirty = true;
    return true;
}

bool MidiControllerMap::load(const char* path)
{
    std::FILE* file = path ? std::fopen(path, "r") : nullptr;
    if (file == nullptr)
        return false;
    WordReader reader(file);
    entryCount = 0;
    dirty = false;
    bool complete = true;
    while (reader.word(names[entryCount], kNameSize)) {
        long number = 0;
        if (!reader.integer(number))
            number = 0;
        if (number >= -32768 && number <= 32768)
            controllers[entryCount] = static_cast<int>(number);
        if (++entryCount >= kCapacity) {
            complete = false;
            break;
        }
    }
    std::fclose(file);
    return complete;
}

bool MidiControllerMap::save(const char* path) const
{
    if (entryCount < 1 || path == nullptr)
        return false;
    std::string temporary = std::string(path) + ".tmp" + std::to_string(static_cast<long>(getpid()));
    std::FILE* file = std::fopen(temporary.c_str(), "w");
    if (file == nullptr)
        return false;
    bool ok = true;
    for (int i = 0; i < entryCount && ok; ++i) {
        // A name read from a damaged file can start with a zero byte: written empty, the line would
        // read back as a number for a name and shift every binding after it.
        const char* entryName = names[i][0] != '\0' ? names[i] : "Unnamed";
        ok = std::fprintf(file, "%s %d\n", entryName, controllers[i]) > 0;
    }
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok)
        ok = std::rename(temporary.c_str(), path) == 0;
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}
