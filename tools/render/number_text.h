// Reading a number from a command-line text: the whole text, a finite value, a point as decimal mark.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>

// The tool never sets a locale, so strtod reads the point whatever the user's environment says.
inline bool parseNumber(const std::string& text, double& value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    double parsed = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
