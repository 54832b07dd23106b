#include "world/BspPatches.h"

#include <algorithm>
#include <cmath>

namespace korvath {

namespace {

constexpr int kLevel = 5;             // segments along each side of a piece
constexpr int kGrid = kLevel + 1;     // vertices along each side
constexpr int kBlendedFloats = 7;     // position, TexCoord, LightmapCoord

struct Weights {
    float w[3];
};

Weights BernsteinAt(int k) {
    const float t = static_cast<float>(k) / kLevel;
    return {{(1 - t) * (1 - t), 2 * t * (1 - t), t * t}};
}

// The leading floats of the record and the colour are blended; the normal
// stays zero. The weights are at least 0 and sum to 1, so a blended colour
// stays inside the byte range.
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

void Tessellate(BspSubPatch& piece) {
    for (int j = 0; j < kGrid; ++j) {
        const Weights along = BernsteinAt(j);
        BspVertex rows[3];
        for (int r = 0; r < 3; ++r) {
            const BspVertex* const row[3] = {&piece.Control[r * 3], &piece.Control[r * 3 + 1], &piece.Control[r * 3 + 2]};
            Blend(row, along, rows[r]);
        }
        const BspVertex* const across[3] = {&rows[0], &rows[1], &rows[2]};
        for (int i = 0; i < kGrid; ++i) {
            BspVertex& vertex = piece.Vertices[j * kGrid + i];
            vertex = BspVertex{};
            Blend(across, BernsteinAt(i), vertex);
        }
    }
    for (int r = 0; r < kLevel; ++r) {
        for (int c = 0; c < kGrid; ++c) {
            piece.Indices[(r * kGrid + c) * 2] = static_cast<uint32_t>((r + 1) * kGrid + c);
            piece.Indices[(r * kGrid + c) * 2 + 1] = static_cast<uint32_t>(r * kGrid + c);
        }
        piece.RowCounts[r] = 2 * kGrid;
        piece.RowStarts[r] = r * 2 * kGrid;
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
