// Parameter values as a user writes them on the command line: host values 0..1, or the text of a list
// entry ("MmFilterType=LowPass Fat", "Lfo1Target=MmFilterCutoff", "Lfo1Rate=1/4" for a synced LFO).
#include "tools/render/parameter_text.h"

#include <strings.h>

#include "params/parameter_table.h"
#include "tools/render/number_text.h"

namespace {

enum class ListKind { None, FilterType, Shape, Target, Division };

ListKind listOf(const std::string& parameterName)
{
    int index = -1;
    for (int i = 0; i < kParameterCount; ++i) {
        if (strcasecmp(kParameterTable[i].name, parameterName.c_str()) == 0)
            index = i;
    }
    switch (index) {
    case kMmFilterType:
        return ListKind::FilterType;
    case kLfo1Shape:
    case kLfo2Shape:
        return ListKind::Shape;
    case kLfo1Target:
    case kLfo2Target:
    case kMorphXParam:
    case kMorphYParam:
        return ListKind::Target;
    case kLfo1Rate:
    case kLfo2Rate:
        return ListKind::Division;
    default:
        return ListKind::None;
    }
}

int entryCount(ListKind kind)
{
    switch (kind) {
    case ListKind::FilterType:
        return kFilterTypeCount;
    case ListKind::Shape:
        return kLfoShapeCount;
    case ListKind::Target:
        return kTargetCount;
    case ListKind::Division:
        return kSyncDivisionCount;
    default:
        return 0;
    }
}

const char* entryName(ListKind kind, int i)
{
    switch (kind) {
    case ListKind::FilterType:
        return kFilterTypeNames[i];
    case ListKind::Shape:
        return kLfoShapeNames[i];
    case ListKind::Target:
        return kTargetList[i].shortName;
    case ListKind::Division:
        return kSyncDivisionLabels[i];
    default:
        return "";
    }
}

std::string trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

bool matches(ListKind kind, int i, const std::string& text)
{
    if (strcasecmp(entryName(kind, i), text.c_str()) == 0)
        return true;
    // A target may also be named by its parameter's full name ("FlangerAmount" for "FlangerAmnt").
    return kind == ListKind::Target && strcasecmp(kParameterTable[kTargetList[i].parameter].name, text.c_str()) == 0;
}

} // namespace

int ParameterText::find(const std::vector<std::string>& hostNames, const std::string& name)
{
    std::string wanted = trimmed(name);
    for (std::size_t i = 0; i < hostNames.size(); ++i) {
        if (!wanted.empty() && strcasecmp(hostNames[i].c_str(), wanted.c_str()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool ParameterText::hostValue(const std::string& parameterName, const std::string& valueText, float& normalized)
{
    std::string text = trimmed(valueText);
    double number = 0.0;
    if (parseNumber(text, number)) {
        if (number < 0.0 || number > 1.0)
            return false;
        normalized = static_cast<float>(number);
        return true;
    }
    ListKind kind = listOf(parameterName);
    for (int i = 0; i < entryCount(kind); ++i) {
        if (!matches(kind, i, text))
            continue;
        // A division sits in the middle of its stretch of the rate range, so the plug-in's
        // int((1 - v) × 33) lands on it without doubt; list entries travel as index / 100.
        normalized = kind == ListKind::Division
                         ? 1.0f - (static_cast<float>(i) + 0.5f) / static_cast<float>(kSyncDivisionCount)
                         : static_cast<float>(i) / 100.0f;
        return true;
    }
    return false;
}

std::string ParameterText::entryText(const std::string& parameterName, float normalized)
{
    ListKind kind = listOf(parameterName);
    if (kind == ListKind::None || kind == ListKind::Division)
        return std::string();
    int reach = kind == ListKind::Target ? kTargetCount + 1 : entryCount(kind);
    int i = listIndexFromNormalized(normalized, reach);
    // Targets from 23 on name no parameter; the other lists act on their last entry from there on.
    if (kind == ListKind::Target && i >= kTargetCount)
        return "none";
    return entryName(kind, i);
}

std::string ParameterText::entries(const std::string& parameterName)
{
    ListKind kind = listOf(parameterName);
    std::string list;
    for (int i = 0; i < entryCount(kind); ++i)
        list += (i ? ", " : "") + std::string(entryName(kind, i));
    return list;
}
