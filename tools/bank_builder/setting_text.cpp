// A parameter value as the bank source writes it: a host value, a list entry, or the value a host shows
// with its unit ("304 Hz", "-6 dB", "40 %", "1/4" for a synced LFO rate).
#include "tools/bank_builder/setting_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "params/parameter_table.h"
#include "tools/render/parameter_text.h"

namespace {

// The volume curve: gain = position ^ 2.737.
constexpr double kVolumeExponent = 2.737;
constexpr double kCutoffLowHz = 80.0;
constexpr double kCutoffSpanHz = 15920.0;

std::string trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// "1200 Hz" -> 1200 and "Hz"; false when the text does not start with a number. The tool never sets a
// locale, so strtod reads the point as the decimal mark.
bool splitQuantity(const std::string& text, double& value, std::string& unit)
{
    const char* start = text.c_str();
    char* end = nullptr;
    value = std::strtod(start, &end);
    if (end == start || std::isnan(value))
        return false;
    unit = trimmed(std::string(end));
    return true;
}

bool isListParameter(int index)
{
    return index == kMmFilterType || index == kLfo1Shape || index == kLfo2Shape || index == kLfo1Target
           || index == kLfo2Target || index == kMorphXParam || index == kMorphYParam;
}

bool isSwitch(int index)
{
    const ParameterRow& row = kParameterTable[index];
    return row.kind == 0 && row.maximum == 1.0f;
}

// Compared as the plug-in's 32-bit floats, so "0.2 s" is inside a range that starts at 0.2f.
bool inRange(double value, double low, double high, const std::string& unit, std::string& reason)
{
    float v = static_cast<float>(value);
    if (v >= static_cast<float>(low) && v <= static_cast<float>(high))
        return true;
    reason = "is outside " + numberText(low) + " to " + numberText(high) + (unit.empty() ? "" : " " + unit);
    return false;
}

// The position in the middle of the scale step nearest to hz, so int(position × 284) lands on it.
float bandEdgePosition(double hz)
{
    int best = 0;
    for (int i = 1; i < kFrequencyScaleCount; ++i) {
        if (std::fabs(std::log(hz / kFrequencyScale[i])) < std::fabs(std::log(hz / kFrequencyScale[best])))
            best = i;
    }
    int last = kFrequencyScaleCount - 1;
    return best == last ? 1.0f : (static_cast<float>(best) + 0.5f) / static_cast<float>(last);
}

bool rateValue(int index, const std::string& text, const SettingText::Context& context, float& normalized,
               std::string& reason)
{
    const char* name = kParameterTable[index].name;
    bool synced = index == kLfo1Rate ? context.lfo1Synced : context.lfo2Synced;
    const char* syncName = index == kLfo1Rate ? "Lfo1Sync" : "Lfo2Sync";
    double value = 0.0;
    std::string unit;
    bool quantity = splitQuantity(text, value, unit);
    bool division = !(quantity && unit.empty()) && ParameterText::hostValue(name, text, normalized);
    if (synced) {
        if (division)
            return true;
        reason = std::string("is no division, and ") + syncName + " is on; the divisions are "
                 + ParameterText::entries(name);
        return false;
    }
    if (division) {
        reason = std::string("is a division, but ") + syncName + " is off; give the rate in Hz";
        return false;
    }
    if (quantity && unit.empty() && inRange(value, 0.0, 1.0, "", reason)) {
        normalized = static_cast<float>(value);
        return true;
    }
    if (quantity && unit == "Hz" && inRange(value, kLfoMinimumRateHz, kLfoMaximumRateHz, "Hz", reason)) {
        normalized = static_cast<float>((value - kLfoMinimumRateHz) / (kLfoMaximumRateHz - kLfoMinimumRateHz));
        return true;
    }
    if (reason.empty())
        reason = "is no rate: give Hz (0.02 to 8) or a host value 0 to 1";
    return false;
}

// A value with its unit, as a host shows it, turned back into the host value.
bool displayedValue(int index, double value, const std::string& unit, float& normalized, std::string& reason)
{
    const ParameterRow& row = kParameterTable[index];
    double position = 0.0;
    switch (row.kind) {
    case 1:
        if (unit != "%" || !inRange(value, 0.0, 100.0, "%", reason))
            break;
        position = value / 100.0;
        normalized = static_cast<float>(position);
        return true;
    case 4:
        if (unit != row.unit || !inRange(value, row.minimum, row.maximum, row.unit, reason))
            break;
        normalized = static_cast<float>((value - row.minimum) / (row.maximum - row.minimum));
        return true;
    case 5:
        if (unit != "Hz" || !inRange(value, 20.0, 20000.0, "Hz", reason))
            break;
        normalized = bandEdgePosition(value);
        return true;
    case 6:
        if (unit != "Hz" || !inRange(value, kCutoffLowHz, kCutoffLowHz + kCutoffSpanHz, "Hz", reason))
            break;
        // The inverse of the cutoff curve f = 80 + 15920 × (-0.25 × log10(1 - c)), aimed half a hertz
        // high because a host shows the whole hertz below.
        if (value >= kCutoffLowHz + kCutoffSpanHz)
            normalized = 1.0f;
        else
            normalized = static_cast<float>(1.0 - std::pow(10.0, -4.0 * (value + 0.5 - kCutoffLowHz) / kCutoffSpanHz));
        return true;
    case 7:
        // Shown as 20 × log10(1 - amount): 0 dB for none, -40 dB at the most.
        if (unit != "dB" || !inRange(value, 20.0 * std::log10(1.0 - row.maximum), 0.0, "dB", reason))
            break;
        normalized = static_cast<float>((1.0 - std::pow(10.0, value / 20.0)) / row.maximum);
        return true;
    case 8:
        if (unit != "dB")
            break;
        if (value > 0.0) {
            reason = "is above 0 dB, the most the volume gives";
            return false;
        }
        normalized = std::isinf(value) ? 0.0f : static_cast<float>(std::pow(10.0, value / (20.0 * kVolumeExponent)));
        return true;
    default:
        break;
    }
    if (reason.empty()) {
        std::string wanted = row.kind == 1 ? "%" : row.unit;
        reason = "has the unit \"" + unit + "\"; " + row.name + " takes "
                 + (wanted.empty() ? std::string("no unit") : "\"" + wanted + "\"");
    }
    return false;
}

} // namespace

bool SettingText::hostValue(int index, const std::string& text, const Context& context, float& normalized,
                            std::string& reason)
{
    reason.clear();
    std::string value = trimmed(text);
    const char* name = kParameterTable[index].name;
    if (value.empty()) {
        reason = "has no value";
        return false;
    }
    if (isListParameter(index)) {
        double ignored = 0.0;
        std::string unit;
        if (!splitQuantity(value, ignored, unit) && ParameterText::hostValue(name, value, normalized))
            return true;
        reason = std::string("is none of ") + ParameterText::entries(name);
        return false;
    }
    if (index == kLfo1Rate || index == kLfo2Rate)
        return rateValue(index, value, context, normalized, reason);
    if (isSwitch(index)) {
        if (value == "on" || value == "1") {
            normalized = 1.0f;
            return true;
        }
        if (value == "off" || value == "0") {
            normalized = 0.0f;
            return true;
        }
        reason = "is a switch: on or off";
        return false;
    }
    double number = 0.0;
    std::string unit;
    if (!splitQuantity(value, number, unit)) {
        reason = "is not a number";
        return false;
    }
    if (unit.empty()) {
        if (!inRange(number, 0.0, 1.0, "", reason))
            return false;
        normalized = static_cast<float>(number);
        return true;
    }
    return displayedValue(index, number, unit, normalized, reason);
}
