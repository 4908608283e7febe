#include "core/player/monitorrules.h"

#include <algorithm>
#include <cmath>

namespace MonitorRules {

int volumeForSlider(int position)
{
    return 5 * position - 1;
}

int sliderForVolume(int volume)
{
    const int position = static_cast<int>(std::floor(volume / 5.0 + 1.0));
    return std::clamp(position, kSliderMin, kSliderMax);
}

int nextActivityValue(int current)
{
    if (current == kActivityMax)
        current = 1;
    return current + 1;
}

} // namespace MonitorRules
