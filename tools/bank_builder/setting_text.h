// A parameter value as the bank source writes it: a host value, a list entry, or the value a host shows
// with its unit ("304 Hz", "-6 dB", "40 %", "1/4" for a synced LFO rate).
#pragma once

#include <string>

class SettingText {
public:
    // What the program around the setting says about the LFO rates, which read differently when synced.
    struct Context {
        bool lfo1Synced = true;
        bool lfo2Synced = true;
    };

    // The host value 0..1 of record `index` (one of the automatable records) for `text`; false with a
    // reason when the text is no value of that parameter.
    static bool hostValue(int index, const std::string& text, const Context& context, float& normalized,
                          std::string& reason);
};
