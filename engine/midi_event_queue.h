// The short MIDI messages of one host event list, waiting for the block that applies them.
#pragma once

#include <cstdint>

struct MidiEvent {
    int delta;
    std::uint8_t status;
    std::uint8_t data1;
    std::uint8_t data2;
};

class MidiEventQueue {
public:
    static constexpr int kCapacity = 1024;

    // False (message dropped) when full.
    bool push(const MidiEvent& event)
    {
        if (count >= kCapacity)
            return false;
        deltas[count] = event.delta;
        statuses[count] = event.status;
        firstData[count] = event.data1;
        secondData[count] = event.data2;
        ++count;
        return true;
    }

    bool hasNext() const { return readIndex < count; }
    MidiEvent peek() const
    {
        return {deltas[readIndex], statuses[readIndex], firstData[readIndex], secondData[readIndex]};
    }
    MidiEvent take()
    {
        MidiEvent event = peek();
        ++readIndex;
        return event;
    }
    void clear()
    {
        count = 0;
        readIndex = 0;
    }
    int size() const { return count; }
    int taken() const { return readIndex; }

private:
    int deltas[kCapacity] = {};
    std::uint8_t statuses[kCapacity] = {};
    std::uint8_t firstData[kCapacity] = {};
    std::uint8_t secondData[kCapacity] = {};
    int count = 0;
    int readIndex = 0;
};
