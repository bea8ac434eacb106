// Reading texts that belong to the host, which may lack their terminator.
#pragma once

#include <cstddef>

struct HostText {
    // Reads a host string: stops at its terminator or after maxBytes bytes, whichever comes first.
    static void readFromHost(char* dst, std::size_t capacity, const char* src, std::size_t maxBytes);
};
