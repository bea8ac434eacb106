// One program: the host values of the plug-in's parameters and a name, and its record format.
#pragma once

#include <cstdint>

class ChunkStream;

class PluginProgram {
public:
    static constexpr int kNameBytes = 64;

    PluginProgram(int count, std::int32_t id);
    PluginProgram(const PluginProgram&) = delete;
    PluginProgram& operator=(const PluginProgram&) = delete;

    // Every value 0, then the product's defaults; the name stays.
    virtual void clear();
    virtual bool write(ChunkStream& stream);
    virtual bool read(ChunkStream& stream, std::int32_t id);
    virtual void loadDefaults();
    virtual void readExtra(ChunkStream& stream, float version, std::int32_t id);
    virtual void writeExtra(ChunkStream& stream, float version);
    // Declared after the record operations so their slots keep their order; virtual because the bank
    // deletes product programs through this class.
    virtual ~PluginProgram();

    // Values, name, count, format version and id of another program of the same count.
    void copyFrom(const PluginProgram& other);

    // Cut to 63 characters so the name always fits its field with the terminator.
    void setName(const char* text);
    const char* getName() const { return name; }
    int getCount() const { return count; }
    float getValue(int index) const;
    void setValue(int index, float value);
    float getFormatVersion() const { return formatVersion; }
    std::int32_t getId() const { return id; }

protected:
    float* values;
    char name[kNameBytes];
    int count;
    float formatVersion = 1.0f;
    std::int32_t id;
};
