// Copying into the fixed-size text fields the records, the map and the host buffers use.
#pragma once

#include <cstring>

// Copies at most size - 1 characters and always terminates; a null source gives an empty text.
inline void copyFixedText(char* destination, int size, const char* source)
{
    if (destination == nullptr || size <= 0)
        return;
    int n = 0;
    if (source != nullptr)
        while (n < size - 1 && source[n] != '\0')
            ++n;
    std::memcpy(destination, source ? source : "", static_cast<size_t>(n));
    destination[n] = '\0';
}
