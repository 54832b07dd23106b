#include "world/SkyBounds.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "materials/SurfaceBits.h"
#include "world/LevelDraw.h"

namespace korvath {

namespace {

// Side coordinates past an edge by this much still count: a face's edge and
// the sky's edge are different triangles and must overlap, not just meet.
constexpr float kMargin = 1.0f / 32;
// A clipped polygon of a triangle against four planes has at most seven corners.
constexpr int kMaxCorners = 8;

struct Direction {
    double b[3];  // (s, t, 1) scaled: the direction in a side's own axes
};

// The direction d (file axes) in side's axes: b[|k| - 1] = d[j] * sign(k).
Direction InSide(int side, const double d[3]) {
    Direction out{};
    for (int j = 0; j < 3; ++j) {
        const int k = kSkySideAxes[side][j];
        out.b[(k < 0 ? -k : k) - 1] = k < 0 ? -d[j] : d[j];
    }
    return out;
}

// Keeps the part of the polygon where b[2] + sign * b[axis] >= 0: one of the
// four planes through the eye that bound a side's pyramid.
int ClipAgainst(const Direction* in, int count, int axis, double sign, Direction* out) {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const Direction& a = in[i];
        const Direction& b = in[(i + 1) % count];
        const double da = a.b[2] + sign * a.b[axis], db = b.b[2] + sign * b.b[axis];
        if (da >= 0 && kept < kMaxCorners) out[kept++] = a;
        if ((da >= 0) != (db >= 0) && kept < kMaxCorners) {
            const double f = da / (da - db);
            Direction cut{};
            for (int c = 0; c < 3; ++c) cut.b[c] = a.b[c] + f * (b.b[c] - a.b[c]);
            out[kept++] = cut;
        }
    }
    return kept;
}

void AddTriangle(SkyRanges& ranges, const VECTOR3& eye, const VECTOR3 (&corners)[3]) {
    double d[3][3];
    for (int i = 0; i < 3; ++i) {
        const VECTOR3 p = ToZUp({corners[i].x - eye.x, corners[i].y - eye.y, corners[i].z - eye.z});
        d[i][0] = p.x, d[i][1] = p.y, d[i][2] = p.z;
    }
    for (int side = 0; side < 6; ++side) {
        Direction a[kMaxCorners], b[kMaxCorners];
        for (int i = 0; i < 3; ++i) a[i] = InSide(side, d[i]);
        int count = 3;
        count = ClipAgainst(a, count, 0, 1, b);
        count = ClipAgainst(b, count, 0, -1, a);
        count = ClipAgainst(a, count, 1, 1, b);
        count = ClipAgainst(b, count, 1, -1, a);
        SkySideRange& range = ranges[static_cast<size_t>(side)];
        for (int i = 0; i < count; ++i) {
            if (a[i].b[2] <= 1e-9) continue;  // the eye itself
            for (int c = 0; c < 2; ++c) {
                const float v = static_cast<float>(a[i].b[c] / a[i].b[2]);
                range.Min[c] = std::min(range.Min[c], v);
                range.Max[c] = std::max(range.Max[c], v);
            }
            range.Seen = true;
        }
    }
}

}  // namespace

SkyRanges SkyFaceRanges(const Level& level, const VECTOR3& eye) {
    SkyRanges ranges;
    for (int32_t i = 0; i < level.FirstCount; ++i) {
        const BspFace& face = level.Faces[static_cast<size_t>(level.FirstList[static_cast<size_t>(i)])];
        if (!(level.Materials[static_cast<size_t>(face.Texture)].SurfaceFlags & kSurfaceSky)) continue;
        if (face.Type == kFacePolygon || face.Type == kFaceMesh) {
            const BspVertex* vertices = &level.Vertices[static_cast<size_t>(face.FirstVertex)];
            const int32_t* indexes = &level.MeshVertices[static_cast<size_t>(face.FirstMeshVertex)];
            for (int32_t k = 0; k + 2 < face.MeshVertexCount; k += 3)
                AddTriangle(ranges, eye, {vertices[indexes[k]].Position, vertices[indexes[k + 1]].Position,
                                          vertices[indexes[k + 2]].Position});
        } else if (face.Type == kFacePatch) {
            for (const BspSubPatch& piece : PiecesOf(level, face))
                for (size_t r = 0; r < piece.RowCounts.size(); ++r) {
                    const uint32_t* strip = &piece.Indices[static_cast<size_t>(piece.RowStarts[r])];
                    for (int32_t k = 2; k < piece.RowCounts[r]; ++k)
                        AddTriangle(ranges, eye, {piece.Vertices[strip[k - 2]].Position, piece.Vertices[strip[k - 1]].Position,
                                                  piece.Vertices[strip[k]].Position});
                }
        }
    }
    for (SkySideRange& range : ranges)
        for (int c = 0; c < 2; ++c) {
            range.Min[c] = std::max(-1.0f, range.Min[c] - kMargin);
            range.Max[c] = std::min(1.0f, range.Max[c] + kMargin);
        }
    return ranges;
}

}  // namespace korvath
