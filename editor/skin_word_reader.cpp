// The skin definition file as bounded words, numbers and raw characters.
#include "editor/skin_word_reader.h"

#include <cstdio>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool SkinWordReader::open(const char* path)
{
    text.clear();
    position = 0;
    std::FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr)
        return false;
    std::string raw;
    char block[4096];
    size_t got;
    bool tooLong = false;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        raw.append(block, got);
        if (long(raw.size()) > kMaxFileBytes) {
            tooLong = true;
            break;
        }
    }
    std::fclose(file);
    if (tooLong)
        return false;
    setText(raw);
    return true;
}

void SkinWordReader::setText(const std::string& raw)
{
    text.clear();
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r') {
            text.push_back('\n');
            if (i + 1 < raw.size() && raw[i + 1] == '\n')
                ++i;
        } else {
            text.push_back(raw[i]);
        }
    }
    position = 0;
}

void SkinWordReader::skipSpace()
{
    while (position < text.size() && isSpace(text[position]))
        ++position;
}

size_t SkinWordReader::readWord(char (&word)[kWordCapacity])
{
    skipSpace();
    size_t length = 0;
    while (position < text.size() && !isSpace(text[position])) {
        if (length < kWordCapacity - 1)
            word[length] = text[position];
        ++length;
        ++position;
    }
    word[length < kWordCapacity - 1 ? length : kWordCapacity - 1] = '\0';
    return length;
}

bool SkinWordReader::readInt(int32_t& value)
{
    skipSpace();
    size_t p = position;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || text[p] < '0' || text[p] > '9')
        return false;
    int64_t magnitude = 0;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
        if (magnitude <= int64_t(INT32_MAX) + 1)
            magnitude = magnitude * 10 + (text[p] - '0');
        ++p;
    }
    position = p;
    int64_t signedValue = negative ? -magnitude : magnitude;
    value = signedValue > INT32_MAX ? INT32_MAX : (signedValue < INT32_MIN ? INT32_MIN : int32_t(signedValue));
    return true;
}

bool SkinWordReader::readChar(unsigned char& c)
{
    if (position >= text.size())
        return false;
    c = static_cast<unsigned char>(text[position++]);
    return true;
}
