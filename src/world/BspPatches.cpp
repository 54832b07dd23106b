#include "world/BspPatches.h"

#include <algorithm>
#include <cmath>

#include "korvath/VectorMath.h"

namespace korvath {

namespace {

// A piece is cut finely enough that no segment strays further than this from
// the curve (in level units), into at most kMaxSteps segments each way.
constexpr float kTolerance = 1;
constexpr int kMaxSteps = 16;
constexpr int kBlendedFloats = 7;  // position, TexCoord, LightmapCoord

struct Weights {
    float w[3];
};

Weights BernsteinAt(float t) { return {{(1 - t) * (1 - t), 2 * t * (1 - t), t * t}}; }
// Their derivatives: the slope of the curve at t.
Weights SlopeAt(float t) { return {{-2 * (1 - t), 2 - 4 * t, 2 * t}}; }

// The leading floats of the record and the colour are blended. The weights
// are at least 0 and sum to 1, so a blended colour stays inside the byte range.
void Blend(const BspVertex* const (&points)[3], const Weights& weights, BspVertex& out) {
    float* result = &out.Position.x;
    for (int f = 0; f < kBlendedFloats; ++f) {
        result[f] = 0;
        for (int p = 0; p < 3; ++p) result[f] += weights.w[p] * (&points[p]->Position.x)[f];
    }
    for (int c = 0; c < 4; ++c) {
        float colour = 0;
        for (int p = 0; p < 3; ++p) colour += weights.w[p] * points[p]->Color[c];
        out.Color[c] = static_cast<uint8_t>(std::clamp(std::nearbyint(colour), 0.0f, 255.0f));
    }
}

VECTOR3 Sum(const VECTOR3 (&points)[3], const Weights& weights) {
    VECTOR3 out;
    for (int p = 0; p < 3; ++p) out = VectorAdd(out, VectorScale(points[p], weights.w[p]));
    return out;
}

const VECTOR3& At(const BspSubPatch& piece, int row, int column) { return piece.Control[row * 3 + column].Position; }

// A quadratic curve strays at most |P0 - 2 P1 + P2| / 8 from its chord, and
// n even segments cut that by n squared.
int StepsFor(float bend) {
    if (!(bend > 0)) return 1;  // also nan
    const float steps = std::ceil(std::sqrt(bend / (8 * kTolerance)));
    return static_cast<int>(std::clamp(steps, 1.0f, static_cast<float>(kMaxSteps)));
}

void ChooseSteps(BspSubPatch& piece) {
    float alongRows = 0, acrossRows = 0;
    for (int k = 0; k < 3; ++k) {
        const auto bend = [](const VECTOR3& a, const VECTOR3& b, const VECTOR3& c) {
            return VectorLength(VectorAdd(VectorSubtract(a, VectorScale(b, 2)), c));
        };
        alongRows = std::max(alongRows, bend(At(piece, k, 0), At(piece, k, 1), At(piece, k, 2)));
        acrossRows = std::max(acrossRows, bend(At(piece, 0, k), At(piece, 1, k), At(piece, 2, k)));
    }
    piece.Steps[0] = StepsFor(alongRows);
    piece.Steps[1] = StepsFor(acrossRows);
}

// The surface's own normal from its two slopes, turned to the side the
// control points' normals face; where the slopes meet in a point (a
// collapsed edge) the blended control normals stand in.
VECTOR3 SurfaceNormal(const BspSubPatch& piece, float u, float v) {
    VECTOR3 rows[3], rowSlopes[3], blended;
    for (int r = 0; r < 3; ++r) {
        const VECTOR3 row[3] = {At(piece, r, 0), At(piece, r, 1), At(piece, r, 2)};
        rows[r] = Sum(row, BernsteinAt(u));
        rowSlopes[r] = Sum(row, SlopeAt(u));
        const VECTOR3 normals[3] = {piece.Control[r * 3].Normal, piece.Control[r * 3 + 1].Normal, piece.Control[r * 3 + 2].Normal};
        blended = VectorAdd(blended, VectorScale(Sum(normals, BernsteinAt(u)), BernsteinAt(v).w[r]));
    }
    const VECTOR3 normal = VectorCross(Sum(rowSlopes, BernsteinAt(v)), Sum(rows, SlopeAt(v)));
    const float length = VectorLength(normal);
    if (length < 1e-6f) return VectorLength(blended) > 0 ? VectorNormalize(blended) : VECTOR3{};
    const VECTOR3 unit = VectorScale(normal, 1 / length);
    return VectorDot(unit, blended) < 0 ? VectorScale(unit, -1) : unit;
}

void Tessellate(BspSubPatch& piece) {
    ChooseSteps(piece);
    const int columns = piece.Steps[1] + 1;  // vertices per u
    piece.Vertices.assign(static_cast<size_t>((piece.Steps[0] + 1) * columns), BspVertex{});
    for (int j = 0; j <= piece.Steps[0]; ++j) {
        const float u = static_cast<float>(j) / static_cast<float>(piece.Steps[0]);
        const Weights along = BernsteinAt(u);
        BspVertex rows[3];
        for (int r = 0; r < 3; ++r) {
            const BspVertex* const row[3] = {&piece.Control[r * 3], &piece.Control[r * 3 + 1], &piece.Control[r * 3 + 2]};
            Blend(row, along, rows[r]);
        }
        const BspVertex* const across[3] = {&rows[0], &rows[1], &rows[2]};
        for (int i = 0; i < columns; ++i) {
            const float v = static_cast<float>(i) / static_cast<float>(piece.Steps[1]);
            BspVertex& vertex = piece.Vertices[static_cast<size_t>(j * columns + i)];
            Blend(across, BernsteinAt(v), vertex);
            vertex.Normal = SurfaceNormal(piece, u, v);
        }
    }
    piece.Indices.clear();
    piece.RowCounts.assign(static_cast<size_t>(piece.Steps[0]), 2 * columns);
    piece.RowStarts.resize(static_cast<size_t>(piece.Steps[0]));
    for (int r = 0; r < piece.Steps[0]; ++r) {
        piece.RowStarts[static_cast<size_t>(r)] = static_cast<int32_t>(piece.Indices.size());
        for (int c = 0; c < columns; ++c) {
            piece.Indices.push_back(static_cast<uint32_t>((r + 1) * columns + c));
            piece.Indices.push_back(static_cast<uint32_t>(r * columns + c));
        }
    }
}

}  // namespace

void BuildPatches(Level& level) {
    size_t patchCount = 0;
    for (const BspFace& face : level.Faces) patchCount += face.Type == kFacePatch;
    level.Patches.resize(patchCount);
    size_t p = 0;
    for (BspFace& face : level.Faces) {
        if (face.Type != kFacePatch) continue;
        BspPatch& patch = level.Patches[p];
        patch.Width = face.PatchSize[0];
        patch.Height = face.PatchSize[1];
        const int32_t across = (patch.Width - 1) / 2, down = (patch.Height - 1) / 2;
        patch.SubPatchCount = across * down;
        patch.SubPatches.resize(static_cast<size_t>(patch.SubPatchCount));
        face.PatchSize[0] = static_cast<int32_t>(p++);
        for (int32_t py = 0; py < down; ++py) {
            for (int32_t px = 0; px < across; ++px) {
                BspSubPatch& piece = patch.SubPatches[static_cast<size_t>(py * across + px)];
                for (int row = 0; row < 3; ++row)
                    for (int col = 0; col < 3; ++col)
                        piece.Control[row * 3 + col] =
                            level.Vertices[static_cast<size_t>(face.FirstVertex + (2 * py + row) * patch.Width + 2 * px + col)];
                Tessellate(piece);
            }
        }
    }
}

}  // namespace korvath
