// The factory bank's source text read into programs: names, families and settings by parameter name.
#include "tools/bank_builder/bank_source.h"

#include <strings.h>

#include <fstream>
#include <sstream>

#include "params/parameter_table.h"

namespace {

// Every host shows a name of this length whole.
constexpr std::size_t kLongestName = 23;

std::string trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t\r");
    std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The text after a leading keyword and at least one blank, or false when the line does not start so.
bool keyword(const std::string& line, const char* word, std::string& rest)
{
    std::size_t length = std::char_traits<char>::length(word);
    if (line.compare(0, length, word) != 0 || (line.size() > length && line[length] != ' ' && line[length] != '\t'))
        return false;
    rest = trimmed(line.substr(length));
    return true;
}

int automatableIndex(const std::string& name)
{
    for (int i = 0; i < kAutomatableCount; ++i) {
        if (strcasecmp(kParameterTable[i].name, name.c_str()) == 0)
            return i;
    }
    return -1;
}

bool printable(const std::string& text)
{
    for (char c : text) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

} // namespace

bool BankSource::read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        sourcePath = path;
        faults.assign(1, path + ": cannot be read");
        entries.clear();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), path);
}

bool BankSource::parse(const std::string& text, const std::string& path)
{
    sourcePath = path;
    family.clear();
    entries.clear();
    faults.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line))
        parseLine(line, ++number);
    return faults.empty();
}

void BankSource::parseLine(const std::string& raw, int number)
{
    std::string line = trimmed(raw.substr(0, raw.find('#')));
    if (line.empty())
        return;
    std::string rest;
    if (keyword(line, "family", rest)) {
        if (rest.empty())
            fail(number, "a family needs a name");
        family = rest;
        return;
    }
    if (keyword(line, "program", rest)) {
        startProgram(rest, number);
        return;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        fail(number, "\"" + line + "\" is neither \"family NAME\", \"program NAME\" nor \"PARAMETER = VALUE\"");
        return;
    }
    addSetting(trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)), number);
}

void BankSource::startProgram(const std::string& name, int number)
{
    if (name.empty())
        fail(number, "a program needs a name");
    else if (name.size() > kLongestName)
        fail(number, "the name \"" + name + "\" has " + std::to_string(name.size()) + " characters; at most "
                         + std::to_string(kLongestName) + " fit every host");
    else if (!printable(name))
        fail(number, "the name \"" + name + "\" has characters other than plain printable ASCII");
    else if (name == "Init")
        fail(number, "\"Init\" is the name of an empty program");
    for (const Program& other : entries) {
        if (!name.empty() && strcasecmp(other.name.c_str(), name.c_str()) == 0)
            fail(number, "the name \"" + name + "\" is taken by the program on line " + std::to_string(other.line));
    }
    Program program;
    program.name = name;
    program.family = family;
    program.line = number;
    entries.push_back(program);
}

void BankSource::addSetting(const std::string& name, const std::string& value, int number)
{
    if (entries.empty()) {
        fail(number, "\"" + name + "\" is set before the first \"program NAME\" line");
        return;
    }
    int index = automatableIndex(name);
    if (index < 0) {
        fail(number, "\"" + name + "\" is no parameter a program holds");
        return;
    }
    Program& program = entries.back();
    for (const Setting& other : program.settings) {
        if (other.index == index) {
            fail(number, std::string(kParameterTable[index].name) + " is set already on line "
                             + std::to_string(other.line));
            return;
        }
    }
    program.settings.push_back(Setting{index, value, number});
}

void BankSource::fail(int line, const std::string& reason)
{
    faults.push_back(sourcePath + ":" + std::to_string(line) + ": " + reason);
}
