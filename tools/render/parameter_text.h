// Parameter values as a user writes them on the command line: host values 0..1, or the text of a list
// entry ("MmFilterType=LowPass Fat", "Lfo1Target=MmFilterCutoff", "Lfo1Rate=1/4" for a synced LFO).
#pragma once

#include <string>
#include <vector>

class ParameterText {
public:
    // Position of name among the host's parameter names, ignoring case; -1 when none matches.
    static int find(const std::vector<std::string>& hostNames, const std::string& name);
    // False when the text is neither a number 0..1 nor an entry of the parameter's list.
    static bool hostValue(const std::string& parameterName, const std::string& valueText, float& normalized);
    // The list entry a host value selects, empty for a parameter without a list of entries.
    static std::string entryText(const std::string& parameterName, float normalized);
    // The entries a parameter takes by text, comma-separated; empty when it takes numbers only.
    static std::string entries(const std::string& parameterName);
};
