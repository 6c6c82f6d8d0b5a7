#include "host/EffectListing.h"

#include <vector>

#include "host/EffectSettings.h"
#include "host/Formatted.h"

namespace orvrender {

std::string listPrograms(Effect& effect) {
    const std::vector<std::string> names = programNames(effect);
    const int32_t current = currentProgram(effect);
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += formatted("%c%3zu  %s\n", static_cast<int32_t>(i) == current ? '*' : ' ', i, names[i].c_str());
    return text;
}

std::string listParameters(Effect& effect) {
    std::string text;
    for (int32_t i = 0; i < effect.parameterCount(); ++i) {
        std::string display = effect.parameterDisplay(i);
        const std::string label = effect.parameterLabel(i);
        if (!label.empty()) display += " " + label;
        text += formatted("%3d  %-16s %.6f  %s\n", i, effect.parameterName(i).c_str(),
                          static_cast<double>(effect.parameter(i)), display.c_str());
    }
    return text;
}

}  // namespace orvrender
