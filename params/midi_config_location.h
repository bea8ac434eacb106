// Where "MidiConfig.txt" is read from and written to: the data folder, or the user's configuration
// folder when a system-wide install left the data folder read-only.
#pragma once

class MidiConfigLocation {
public:
    static constexpr int kPathSize = 512;

    // dataFolderPrefix ends with the separator ("<module folder>/RavenSootData/").
    explicit MidiConfigLocation(const char* dataFolderPrefix);
    MidiConfigLocation(const char* dataFolderPrefix, bool dataFolderReadOnly);

    // An existing folder this process cannot write to (a missing folder is not read-only: then
    // nothing was installed and nothing is redirected).
    static bool isReadOnlyFolder(const char* folder);

    const char* readPath() const { return readFrom; }
    const char* writePath() const { return writeTo; }
    bool usesUserFolder() const { return userFolder; }

    // Creates the user's folder if the bindings go there; false if it cannot be made.
    bool prepareWriteFolder() const;

private:
    char readFrom[kPathSize];
    char writeTo[kPathSize];
    char writeFolder[kPathSize];
    bool userFolder = false;
};
