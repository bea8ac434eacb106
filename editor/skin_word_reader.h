// The skin definition file as a stream of words, numbers and raw characters, with every read bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class SkinWordReader {
public:
    // Longer words are read whole but kept cut to this many characters (their length still tells).
    static constexpr size_t kWordCapacity = 256;
    // A skin definition is a few kilobytes; anything past this is no skin file.
    static constexpr long kMaxFileBytes = 4L << 20;

    // Reads the whole file; CR LF and a lone CR become one LF, as a text-mode read on other systems does.
    bool open(const char* path);
    // Takes text as the file's contents (line ends normalised the same way).
    void setText(const std::string& text);

    // Skips white space, then reads up to the next white space. Empty at the end of the file.
    // Answers the word's full length, which may exceed what text keeps.
    size_t readWord(char (&text)[kWordCapacity]);
    // "%d": white space, an optional sign, decimal digits. False (nothing but white space consumed) when no
    // number stands there; numbers beyond 32 bits saturate.
    bool readInt(int32_t& value);
    // The next character as it stands, white space included; false at the end of the file.
    bool readChar(unsigned char& c);
    bool atEnd() const { return position >= text.size(); }

private:
    void skipSpace();

    std::string text;
    size_t position = 0;
};
