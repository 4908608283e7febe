#pragma once

// Rules that keep the player window's controls in step with the engine.
namespace MonitorRules {

inline constexpr int kSliderMin = 1;
inline constexpr int kSliderMax = 20;
inline constexpr int kActivityMax = 10;

// Engine volume for a slider position: 5 × s − 1 (4 to 99).
int volumeForSlider(int position);

// Slider position for an engine volume: Int(v / 5 + 1), kept within 1..20
// (an engine volume above 99 shows as 20).
int sliderForVolume(int volume);

// The activity bar's next value while playing: 10 wraps to 1 before the
// step, so after the first pass the bar runs 2..10.
int nextActivityValue(int current);

} // namespace MonitorRules
