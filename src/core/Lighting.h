#pragma once
// Engine-wide lighting switches: whether lights are on, whether the objects
// being drawn are recorded as shadow casters rather than drawn in place, and
// how strongly level lightmaps are brightened.
namespace korvath {

struct LightingState {
    bool Enabled = false;
    bool ShadowPass = false;
    // Levels loaded while set brighten their lightmaps four times, as content
    // lit for an overbright renderer expects, instead of three times.
    bool Overbright = false;
};

LightingState& Lighting();

}  // namespace korvath
