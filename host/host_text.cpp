// Reading texts that belong to the host, which may lack their terminator.
#include "host/host_text.h"

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
