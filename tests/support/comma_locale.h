// Puts a locale with a decimal comma in force for LC_NUMERIC, as hosts that call setlocale do.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

// An installed locale, or one compiled into the build tree; false when neither is possible.
inline bool selectCommaLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) != nullptr)
            return true;
    const std::string folder = std::string(RAVENSOOT_BINARY_DIR) + "/test-locales";
    const std::string command = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" + folder +
                                "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}
