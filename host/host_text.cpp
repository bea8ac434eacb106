// Bounded text copies between our fixed fields and buffers that belong to the host.
#include "host/host_text.h"

void HostText::copy(char* dst, std::size_t capacity, const char* src)
{
    if (!dst || capacity == 0)
        return;
    std::size_t n = 0;
    if (src) {
        while (n + 1 < capacity && src[n] != '\0') {
            dst[n] = src[n];
            ++n;
        }
    }
    dst[n] = '\0';
}

void HostText::readFromHost(char* dst, std::size_t capacity, const char* src, std::size_t maxBytes)
{
    if (!dst || capacity == 0)
        return;
    std::size_t n = 0;
    if (src) {
        while (n + 1 < capacity && n < maxBytes && src[n] != '\0') {
            dst[n] = src[n];
            ++n;
        }
    }
    dst[n] = '\0';
}
