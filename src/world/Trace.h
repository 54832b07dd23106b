#pragma once
// The swept trace through a level's solid brushes: a point, a sphere or an
// axis-aligned box moving from a start to an end point stops just off the first
// brush surface it meets. Nothing here allocates; one query runs on the stack.
#include <cstdint>

#include "korvath/Types.h"
#include "materials/SurfaceBits.h"
#include "world/Level.h"

namespace korvath {

// The end point stays this far off a surface, so the next trace from there does
// not start on (or rounding-wise behind) the plane it stopped at.
constexpr float kTraceEpsilon = 0.031415f;

struct TraceState {
    // Box mode: the box's bounds relative to the moving point and its half sizes.
    bool Box = false;
    VECTOR3 Mins, Maxs, Extents;

    // The trace under way.
    float Fraction = 1;
    VECTOR3 Start, End;
    float Radius = 0;

    // Outputs; they carry over from trace to trace until cleared.
    bool Collided = false;
    int32_t Flags = 0;
    VECTOR3 Normal;
};

// Makes the traces of state box traces with the box of volume around its position.
void SetTraceBox(TraceState& state, const VOLUME& volume);

// Sweeps from start to end and returns where the movement stops. A level with a
// single leaf (or no tree) has nothing to hit.
VECTOR3 Trace(const Level& level, TraceState& state, const VECTOR3& start, const VECTOR3& end, float radius);

// One collision query: the three per-axis traces, the ground probe and the main
// trace, in that order, sharing the outputs of state. Without a level every
// trace ends unhit at its end point.
COLLISION Collide(const Level* level, TraceState& state, const VECTOR3& position, const VECTOR3& destination,
                  float offset);

}  // namespace korvath
