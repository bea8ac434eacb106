// The entry texts the editor puts into each selector, so the tool can make sure every one of them fits.
#pragma once

#include <string>
#include <vector>

namespace menu_texts {

inline const std::vector<std::string>& filterTypes() {
  static const std::vector<std::string> texts = {"LowPass",      "BandPass",     "HighPass", "LowPass Fat", "BandPass Fat",
                                                 "HighPass Fat", "Peaking",      "Notch",    "Comb",        "Ring Mod"};
  return texts;
}

inline const std::vector<std::string>& lfoShapes() {
  static const std::vector<std::string> texts = {"Sine",   "Triangle",      "Ramp Up",        "Ramp Down",
                                                 "Square", "Random Square", "Random Triangle"};
  return texts;
}

inline const std::vector<std::string>& modulationTargets() {
  static const std::vector<std::string> texts = {
      "BpFilterLow",    "BpFilterHigh",  "BpFilterQLow", "BpFilterQHigh",  "BpFilterBRMix", "DistBitCrusher",
      "DistMech",       "DistTube",      "DistXcita",    "MmFilterMix",    "MmFilterAttack", "MmFilterDecay",
      "MmFilterEnv",    "MmFilterCutoff", "MmFilterRes", "FlangerAmnt",    "FlangerRate",   "MagicEQAmnt",
      "MagicEQTune",    "CompressAmnt",  "CompressRel",  "MasterMix",      "MasterVol"};
  return texts;
}

// Entries shown by the selector bound to `parameter`; empty for parameters the editor does not fill.
inline const std::vector<std::string>& forParameter(const std::string& parameter) {
  static const std::vector<std::string> none;
  if (parameter == "MmFilterType") return filterTypes();
  if (parameter == "Lfo1Shape" || parameter == "Lfo2Shape") return lfoShapes();
  if (parameter == "Lfo1Target" || parameter == "Lfo2Target" || parameter == "MorphXParam" ||
      parameter == "MorphYParam") {
    return modulationTargets();
  }
  return none;
}

}  // namespace menu_texts
