#pragma once
// Engine-wide lighting switches: whether lights are on, and whether the objects
// being drawn are recorded as shadow casters rather than drawn in place.
namespace korvath {

struct LightingState {
    bool Enabled = false;
    bool ShadowPass = false;
};

LightingState& Lighting();

}  // namespace korvath
