// The starting inputs of a fuzz target: named byte strings, kept in memory until written or replayed.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

class FuzzSeeds {
public:
    using Bytes = std::vector<std::uint8_t>;

    void add(const std::string& name, Bytes bytes) { seeds.emplace_back(name, std::move(bytes)); }
    void addText(const std::string& name, const std::string& text) { add(name, Bytes(text.begin(), text.end())); }
    // A file one of our writers produced; a missing file adds nothing.
    void addFile(const std::string& name, const std::string& path) { add(name, readFile(path)); }

    const std::vector<std::pair<std::string, Bytes>>& all() const { return seeds; }

    static Bytes readFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::vector<std::pair<std::string, Bytes>> seeds;
};
