// What the program and link controls ask of their editor: file dialogs, opening an address, and a short
// message for the user in the value display.
#pragma once

#include <string>

class EditorServices {
public:
    // Asks the user for a file with extension ("fxb", "fxp") to load, or a name to save under; true with the
    // path. A dialog that cannot be shown says why through showMessage and answers false.
    virtual bool chooseFile(bool save, const char* extension, std::string& path) = 0;
    // Opens address in the user's browser; a failure is shown through showMessage.
    virtual void openAddress(const char* address) = 0;
    // A few words for the user; the program name comes back a few seconds later.
    virtual void showMessage(const char* text) = 0;

protected:
    ~EditorServices() = default;
};
