#pragma once
// Which parts of the sky box the level's sky faces show from the eye: the sky
// is drawn only there, so the rest of the screen (hidden by the level anyway)
// costs the rasteriser nothing.
#include <array>

#include "korvath/Types.h"
#include "world/Level.h"

namespace korvath {

// The sides in the order of SHADER::SkyBox (rt bk lf ft up dn), as axes of the
// level file's Z-up frame: component j of the direction to side point (s, t) is
// (s, t, 1)[k - 1], negated for negative k, with k = kSkySideAxes[side][j]. t runs
// up the picture on the four walls.
constexpr int kSkySideAxes[6][3] = {{3, -1, 2}, {-3, 1, 2}, {1, 3, 2}, {-1, -3, 2}, {-2, -1, 3}, {2, -1, -3}};

// The rectangle of side coordinates (s, t in -1..1) a side shows; Seen false
// when it shows none.
struct SkySideRange {
    bool Seen = false;
    float Min[2] = {1, 1}, Max[2] = {-1, -1};
};
using SkyRanges = std::array<SkySideRange, 6>;

// The ranges of every side the sky faces among the frame's collected faces
// cover from the eye (engine axes), widened a little so the sky meets the
// faces' edges without a gap.
SkyRanges SkyFaceRanges(const Level& level, const VECTOR3& eye);

}  // namespace korvath
