// Bounded text copies between our fixed fields and buffers that belong to the host.
#pragma once

#include <cstddef>

struct HostText {
    // Copies at most capacity - 1 bytes of src and always terminates dst (when capacity > 0).
    static void copy(char* dst, std::size_t capacity, const char* src);
    // Reads a host string: stops at its terminator or after maxBytes bytes, whichever comes first.
    static void readFromHost(char* dst, std::size_t capacity, const char* src, std::size_t maxBytes);
};
