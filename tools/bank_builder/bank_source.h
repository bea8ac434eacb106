// The factory bank's source text read into programs: names, families and settings by parameter name.
#pragma once

#include <string>
#include <vector>

class BankSource {
public:
    struct Setting {
        int index = -1; // parameter record
        std::string text;
        int line = 0;
    };

    struct Program {
        std::string name;
        std::string family;
        int line = 0;
        std::vector<Setting> settings;
    };

    // Reads the file; false when it cannot be opened or breaks the grammar, with one message per fault
    // ("FILE:LINE: reason").
    bool read(const std::string& path);
    // The same from text already in memory; `path` only names it in messages.
    bool parse(const std::string& text, const std::string& path);

    const std::vector<Program>& programs() const { return entries; }
    const std::vector<std::string>& errors() const { return faults; }
    const std::string& path() const { return sourcePath; }

private:
    void parseLine(const std::string& line, int number);
    void startProgram(const std::string& name, int number);
    void addSetting(const std::string& name, const std::string& value, int number);
    void fail(int line, const std::string& reason);

    std::string sourcePath;
    std::string family;
    std::vector<Program> entries;
    std::vector<std::string> faults;
};
