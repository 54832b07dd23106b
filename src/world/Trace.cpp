#include "world/Trace.h"

#include <algorithm>
#include <cmath>

#include "core/Math.h"
#include "world/BrushModels.h"

namespace korvath {

namespace {

VECTOR3 Along(const VECTOR3& from, const VECTOR3& to, float fraction) {
    return {from.x + (to.x - from.x) * fraction, from.y + (to.y - from.y) * fraction,
            from.z + (to.z - from.z) * fraction};
}

// Box and sphere traces are separate instances of the sweep, so the test for
// the mode stays out of the per-node and per-side work.

// How far the moving volume reaches towards a plane of normal n.
template <bool kBox>
float ReachTowards(const TraceState& state, const VECTOR3& n) {
    if constexpr (!kBox) return state.Radius;
    return std::fabs(state.Extents.x * n.x) + std::fabs(state.Extents.y * n.y) + std::fabs(state.Extents.z * n.z);
}

template <bool kBox>
void CheckBrush(const Level& level, TraceState& state, const BspBrush& brush) {
    float enter = -1, leave = 1;
    bool startsOut = false;
    VECTOR3 normal;
    for (int32_t k = brush.FirstSide; k < brush.FirstSide + brush.SideCount; ++k) {
        const BspPlane& plane = level.Planes[static_cast<size_t>(level.BrushSides[static_cast<size_t>(k)].Plane)];
        const VECTOR3& n = plane.Normal;
        float ds, de;
        if constexpr (kBox) {
            // The box corner that lies deepest behind the plane meets it first.
            const VECTOR3 corner{n.x < 0 ? state.Maxs.x : state.Mins.x, n.y < 0 ? state.Maxs.y : state.Mins.y,
                                 n.z < 0 ? state.Maxs.z : state.Mins.z};
            const float cornerDistance = VectorDot(n, corner) - plane.Distance;
            ds = VectorDot(n, state.Start) + cornerDistance;
            de = VectorDot(n, state.End) + cornerDistance;
        } else {
            ds = VectorDot(n, state.Start) - (plane.Distance + state.Radius);
            de = VectorDot(n, state.End) - (plane.Distance + state.Radius);
        }
        if (ds > 0) startsOut = true;
        // Wholly in front of one side: the brush is missed. A movement lying in
        // the side's plane is on its boundary, which belongs to the brush: a ray
        // down the seam of two floor brushes must land on them.
        if (ds >= 0 && de >= 0 && (ds > 0 || de > 0)) return;
        if (ds <= 0 && de <= 0) continue;
        if (ds > de) {
            const float f = (ds - kTraceEpsilon) / (ds - de);
            if (f > enter) {
                enter = f;
                normal = n;
            }
        } else {
            leave = std::min(leave, (ds + kTraceEpsilon) / (ds - de));
        }
    }
    // A trace that starts inside a brush must be able to leave it.
    if (!startsOut) return;
    if (enter < leave && enter > -1 && enter < state.Fraction) {
        const int32_t flags = level.Materials[static_cast<size_t>(brush.Texture)].SurfaceFlags;
        // A nonsolid brush is reported but never moves the stop point, neither
        // closer nor back past a solid brush already hit.
        if (!(flags & kSurfaceNonSolid)) state.Fraction = std::max(enter, 0.0f);
        state.Normal = normal;
        state.Collided = true;
        state.Flags = flags;
    }
}

template <bool kBox>
void CheckLeaf(const Level& level, TraceState& state, const BspLeaf& leaf) {
    for (int32_t k = leaf.FirstLeafBrush; k < leaf.FirstLeafBrush + leaf.LeafBrushCount; ++k) {
        const BspBrush& brush = level.Brushes[static_cast<size_t>(level.LeafBrushes[static_cast<size_t>(k)])];
        if (brush.SideCount > 0 && (level.Textures[static_cast<size_t>(brush.Texture)].Contents & kContentsSolid))
            CheckBrush<kBox>(level, state, brush);
    }
}

template <bool kBox>
void CheckNode(const Level& level, TraceState& state, int32_t index, float f0, float f1, VECTOR3 p0, VECTOR3 p1) {
    // The far piece of a straddled plane continues in this loop; only the near
    // piece recurses.
    for (;;) {
        // A stop already found before this piece of the movement cannot be
        // bettered here: a brush met earlier also lies in the earlier pieces' leaves.
        if (state.Fraction <= f0) return;
        if (index < 0) {
            CheckLeaf<kBox>(level, state, level.Leafs[static_cast<size_t>(-(index + 1))]);
            return;
        }
        const BspNode& node = level.Nodes[static_cast<size_t>(index)];
        const BspPlane& plane = level.Planes[static_cast<size_t>(node.Plane)];
        const float offset = ReachTowards<kBox>(state, plane.Normal);
        const float d0 = PlaneDistance(plane, p0);
        const float d1 = PlaneDistance(plane, p1);
        // A movement whose reach lies exactly in the plane touches both sides:
        // a brush behind it may have a side in that very plane.
        if (d0 > offset && d1 > offset) {
            index = node.Front;
            continue;
        }
        if (d0 < -offset && d1 < -offset) {
            index = node.Back;
            continue;
        }
        // The swept volume straddles the plane: the near part goes down the start
        // side, the far part down the other, overlapping by the volume's reach.
        int32_t nearSide = node.Front, farSide = node.Back;
        float fa = 1, fb = 0;
        if (d0 < d1) {
            std::swap(nearSide, farSide);
            const float inv = 1 / (d0 - d1);
            fa = (d0 - kTraceEpsilon - offset) * inv;
            fb = (d0 + kTraceEpsilon + offset) * inv;
        } else if (d0 > d1) {
            const float inv = 1 / (d0 - d1);
            fa = (d0 + kTraceEpsilon + offset) * inv;
            fb = (d0 - kTraceEpsilon - offset) * inv;
        }
        fa = std::clamp(fa, 0.0f, 1.0f);
        fb = std::clamp(fb, 0.0f, 1.0f);
        CheckNode<kBox>(level, state, nearSide, f0, f0 + (f1 - f0) * fa, p0, Along(p0, p1, fa));
        index = farSide;
        f0 = f0 + (f1 - f0) * fb;
        p0 = Along(p0, p1, fb);
    }
}

// The brush models, each at its offset: the movement is shifted back by the
// offset instead, which leaves its fractions as they are.
template <bool kBox>
void CheckBrushModels(const Level& level, TraceState& state) {
    const VECTOR3 start = state.Start, end = state.End;
    const float reach = kBox ? std::max({state.Extents.x, state.Extents.y, state.Extents.z}) * 1.7321f : state.Radius;
    for (size_t m = 1; m < level.Models.size(); ++m) {
        const BspModel& model = level.Models[m];
        if (model.BrushCount == 0) continue;
        const VECTOR3& offset = level.ModelOffsets[m];
        state.Start = {start.x - offset.x, start.y - offset.y, start.z - offset.z};
        state.End = {end.x - offset.x, end.y - offset.y, end.z - offset.z};
        // A movement that keeps clear of the model's box by more than its
        // reach meets none of its brushes.
        VECTOR3 lowPoint, highPoint;
        BrushModelBox(level, m, lowPoint, highPoint);
        const float low[3] = {lowPoint.x, lowPoint.y, lowPoint.z}, high[3] = {highPoint.x, highPoint.y, highPoint.z};
        const float from[3] = {state.Start.x, state.Start.y, state.Start.z}, to[3] = {state.End.x, state.End.y, state.End.z};
        bool clear = false;
        for (int i = 0; i < 3; ++i)
            clear = clear || std::max(from[i], to[i]) < low[i] - reach - 1 || std::min(from[i], to[i]) > high[i] + reach + 1;
        if (clear) continue;
        for (int32_t b = model.FirstBrush; b < model.FirstBrush + model.BrushCount; ++b) {
            const BspBrush& brush = level.Brushes[static_cast<size_t>(b)];
            if (brush.SideCount > 0 && (level.Textures[static_cast<size_t>(brush.Texture)].Contents & kContentsSolid))
                CheckBrush<kBox>(level, state, brush);
        }
    }
    state.Start = start, state.End = end;
}

}  // namespace

void SetTraceBox(TraceState& state, const VOLUME& volume) {
    state.Box = true;
    state.Mins = {volume.Min.x - volume.Position.x, volume.Min.y - volume.Position.y, volume.Min.z - volume.Position.z};
    state.Maxs = {volume.Max.x - volume.Position.x, volume.Max.y - volume.Position.y, volume.Max.z - volume.Position.z};
    state.Extents = {std::max(-state.Mins.x, state.Maxs.x), std::max(-state.Mins.y, state.Maxs.y),
                     std::max(-state.Mins.z, state.Maxs.z)};
}

VECTOR3 Trace(const Level& level, TraceState& state, const VECTOR3& start, const VECTOR3& end, float radius) {
    if (level.Leafs.size() <= 1 || level.Nodes.empty()) return end;
    state.Fraction = 1;
    state.Start = start;
    state.End = end;
    state.Radius = radius;
    if (state.Box) {
        CheckNode<true>(level, state, 0, 0, 1, start, end);
        CheckBrushModels<true>(level, state);
    } else {
        CheckNode<false>(level, state, 0, 0, 1, start, end);
        CheckBrushModels<false>(level, state);
    }
    return state.Fraction == 1 ? end : Along(start, end, state.Fraction);
}

COLLISION Collide(const Level* level, TraceState& state, const VECTOR3& position, const VECTOR3& destination,
                  float offset) {
    state.Collided = false;
    state.Flags = 0;
    state.Normal = {};
    auto trace = [&](const VECTOR3& start, const VECTOR3& end, float radius) {
        return level ? Trace(*level, state, start, end, radius) : end;
    };
    COLLISION result;
    result.AxisLimits.x = trace(destination, {position.x, destination.y, destination.z}, offset).x;
    result.AxisLimits.y = trace(destination, {destination.x, position.y, destination.z}, offset).y;
    result.AxisLimits.z = trace(destination, {destination.x, destination.y, position.z}, offset).z;
    result.Ground = std::nearbyint(trace(destination, {destination.x, -offset, destination.z}, 0).y + offset);
    result.Position = trace(position, destination, offset);
    result.Collided = state.Collided;
    result.Flags = state.Flags;
    result.Normal = state.Normal;
    return result;
}

}  // namespace korvath
