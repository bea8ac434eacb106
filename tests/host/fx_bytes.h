// Bank and program files written byte by byte in the tests, independent of the plug-in's own writer.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct FxBytes {
    std::vector<unsigned char> bytes;

    void bigEndian(std::int32_t v)
    {
        for (int i = 3; i >= 0; --i)
            bytes.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
    void littleEndian(std::int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
    void float32(float f)
    {
        std::int32_t v;
        std::memcpy(&v, &f, 4);
        littleEndian(v);
    }
    void chars(const char* s, std::size_t n) { bytes.insert(bytes.end(), s, s + n); }
    void zeros(std::size_t n) { bytes.insert(bytes.end(), n, 0); }
    // A program record; without a name (as a version of 0.1 or below is read) when name is null.
    void record(const char* name, float value, int count = 53, float version = 3.0f)
    {
        float32(version);
        if (name)
            chars(name, std::strlen(name) + 1);
        littleEndian(count);
        for (int i = 0; i < count; ++i)
            float32(value);
    }
    // The 160-byte bank header; the size fields are left 0 (our reader ignores them).
    void bankHeader(std::int32_t fxId, std::int32_t count, const char* fxMagic = "FBCh")
    {
        chars("CcnK", 4);
        bigEndian(0);
        chars(fxMagic, 4);
        bigEndian(1);
        bigEndian(fxId);
        bigEndian(1);
        bigEndian(count);
        zeros(128);
        bigEndian(0);
    }

    // A bank whose header counts count programs, with that many records prefix0, prefix1, … of value.
    static FxBytes bank(std::int32_t fxId, std::int32_t count, const std::string& prefix, float value)
    {
        FxBytes f;
        f.bankHeader(fxId, count);
        for (std::int32_t i = 0; i < count; ++i)
            f.record((prefix + std::to_string(i)).c_str(), value);
        return f;
    }

    std::string textAt(std::size_t offset, std::size_t n) const
    {
        return std::string(reinterpret_cast<const char*>(bytes.data()) + offset, n);
    }
    std::int32_t bigEndianAt(std::size_t offset) const
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | bytes.at(offset + static_cast<std::size_t>(i));
        return static_cast<std::int32_t>(v);
    }
    float floatAt(std::size_t offset) const
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | bytes.at(offset + static_cast<std::size_t>(i));
        float f;
        std::memcpy(&f, &v, 4);
        return f;
    }

    bool save(const std::string& path) const
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }
    static FxBytes load(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        FxBytes f;
        f.bytes.assign(std::istreambuf_iterator<char>(in), {});
        return f;
    }
};
