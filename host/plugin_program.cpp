// One program: the host values of the plug-in's parameters and a name, and its record format.
#include "host/plugin_program.h"

#include <cstring>

#include "host/chunk_stream.h"
#include "params/fixed_text.h"

namespace {

// Records older than this carry no name.
constexpr float kNamedRecordVersion = 0.1f;

} // namespace

PluginProgram::PluginProgram(int count, std::int32_t id)
    : values(new float[count > 0 ? count : 1]()), count(count > 0 ? count : 0), id(id)
{
    std::memset(name, 0, sizeof(name));
    copyFixedText(name, sizeof(name), "Init");
    loadDefaults();
}

PluginProgram::~PluginProgram()
{
    delete[] values;
}

void PluginProgram::clear()
{
    for (int i = 0; i < count; ++i)
        values[i] = 0.0f;
    loadDefaults();
}

bool PluginProgram::write(ChunkStream& stream)
{
    stream.writeFloat32(formatVersion);
    stream.writeString(name);
    stream.writeInt32(count);
    for (int i = 0; i < count; ++i)
        stream.writeFloat32(values[i]);
    writeExtra(stream, formatVersion);
    return true;
}

// Every record is consumed whole as its own fields describe, whatever the answer, so one bad record
// in a bank never shifts the ones after it. A record cut off by the end of the data keeps the name
// and the values that were there, the rest 0, and answers false; one with no data at all is left alone.
bool PluginProgram::read(ChunkStream& stream, std::int32_t fileId)
{
    // Nothing left of the data (a bank cut short): this program keeps what it had.
    if (stream.position() >= stream.size())
        return false;
    for (int i = 0; i < count; ++i)
        values[i] = 0.0f;

    float version = 0.0f;
    if (!stream.readFloat32(version))
        return false;
    if (version > kNamedRecordVersion) {
        char text[kNameBytes];
        bool whole = stream.readString(text, sizeof(text));
        setName(text);
        if (!whole)
            return false;
    }

    std::int32_t stored = 0;
    if (!stream.readInt32(stored))
        return false;
    bool usable = version >= 0.0f && fileId == id && stored >= 0 && stored <= count;
    if (!usable) {
        // A broken version or a count that does not fit: skip the values, keep all 0.
        if (stored > 0 && !stream.skip(static_cast<std::uint64_t>(stored) * 4u))
            return false;
        if (!(version >= 0.0f) || (fileId == id && (stored > count || stored < 0)))
            return false;
        // A record of another plug-in: its name is taken, its values are not, whatever it counts.
        readExtra(stream, version, fileId);
        return true;
    }
    for (int i = 0; i < stored; ++i) {
        if (!stream.readFloat32(values[i]))
            return false;
    }
    readExtra(stream, version, id);
    return true;
}

void PluginProgram::loadDefaults()
{ }

void PluginProgram::readExtra(ChunkStream&, float, std::int32_t)
{ }

void PluginProgram::writeExtra(ChunkStream&, float)
{ }

void PluginProgram::copyFrom(const PluginProgram& other)
{
    if (&other == this)
        return;
    int shared = other.count < count ? other.count : count;
    for (int i = 0; i < count; ++i)
        values[i] = i < shared ? other.values[i] : 0.0f;
    std::memcpy(name, other.name, sizeof(name));
    formatVersion = other.formatVersion;
    id = other.id;
}

void PluginProgram::setName(const char* text)
{
    std::memset(name, 0, sizeof(name));
    copyFixedText(name, sizeof(name), text ? text : "");
}

float PluginProgram::getValue(int index) const
{
    return index >= 0 && index < count ? values[index] : 0.0f;
}

void PluginProgram::setValue(int index, float value)
{
    if (index >= 0 && index < count)
        values[index] = value;
}
