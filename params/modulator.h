// A source of modulation as a parameter record sees it: one offset, read whenever the record is read.
#pragma once

class Modulator {
public:
    // Offset in host units (a fraction of the record's range), written by the source's owner.
    float output = 0.0f;
};
