// Which MIDI controller drives which parameter record, and the "MidiConfig.txt" text form of it.
#pragma once

class MidiControllerMap {
public:
    static constexpr int kCapacity = 512;
    static constexpr int kNameSize = 64;

    // Copies count entries (at most the capacity); every other controller number is -1.
    MidiControllerMap(int count, const char* const* names, const int* controllers);

    // Reads "MidiConfig.txt"; false when the file cannot be opened (map unchanged) or holds
    // 512 entries or more.
    bool load(const char* path);
    // Writes the whole map through a temporary file renamed over path, so the old file survives
    // any failure; false for an empty map or a failed write.
    bool save(const char* path) const;

    int count() const { return entryCount; }
    int controller(int entry) const;
    const char* name(int entry) const;

    // Smallest entry below both the entry count and limit bound to controllerNumber, or -1.
    int find(int controllerNumber, int limit) const;
    // Unbinds every counted entry bound to controllerNumber.
    void unbind(int controllerNumber);
    // Binds an entry below the capacity (counted or not).
    void bind(int entry, int controllerNumber);
    // Adds an unbound entry at the end; false when full.
    bool append(const char* entryName);

    // Whether a binding or the entry list changed since construction or the last load.
    bool changed() const { return dirty; }

private:
    char names[kCapacity][kNameSize];
    int controllers[kCapacity];
    int entryCount = 0;
    bool dirty = false;
};
