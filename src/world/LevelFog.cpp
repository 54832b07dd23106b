#include "world/LevelFog.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "core/ViewState.h"
#include "materials/Materials.h"
#include "platform/GL.h"
#include "world/BspFile.h"
#include "world/LevelDraw.h"

namespace korvath {

namespace {

const FogVolume* FogOf(const Level& level, const BspFace& face) {
    if (face.Effect < 0 || static_cast<size_t>(face.Effect) >= level.Fogs.size()) return nullptr;
    const FogVolume& fog = level.Fogs[static_cast<size_t>(face.Effect)];
    return fog.Distance > 0 ? &fog : nullptr;
}

// Fog colour with the amount as alpha, one RGBA per vertex of the array.
void FillColours(Level& level, const FogVolume& fog, const BspVertex* vertices, size_t count) {
    if (level.FogColours.size() < count * 4) level.FogColours.resize(count * 4);
    const VECTOR3& eye = View().CameraPosition;
    for (size_t v = 0; v < count; ++v) {
        uint8_t* c = &level.FogColours[v * 4];
        for (int i = 0; i < 3; ++i) c[i] = static_cast<uint8_t>(std::lround(fog.Colour[i] * 255));
        c[3] = static_cast<uint8_t>(std::lround(FogAmount(fog, eye, vertices[v].Position) * 255));
    }
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, level.FogColours.data());
}

}  // namespace

void BuildFogVolumes(Level& level) {
    const size_t count = level.Effects.size() / kEffectBytes;
    level.Fogs.assign(count, FogVolume{});
    for (size_t e = 0; e < count; ++e) {
        const uint8_t* record = &level.Effects[e * kEffectBytes];
        const std::string name(reinterpret_cast<const char*>(record), strnlen(reinterpret_cast<const char*>(record), 64));
        const int32_t brush = LongAt(record + 64);
        if (brush < 0 || static_cast<size_t>(brush) >= level.Brushes.size() || name.empty()) continue;
        SHADER material = FindMaterial("scripts/", name);
        FogVolume& fog = level.Fogs[e];
        std::copy(material.FogColour, material.FogColour + 3, fog.Colour);
        fog.Distance = material.FogDistance;
        FreeMaterial(material);
        // The loader has checked every brush's side range and side planes.
        const BspBrush& b = level.Brushes[static_cast<size_t>(brush)];
        for (int32_t s = b.FirstSide; s < b.FirstSide + b.SideCount; ++s)
            fog.Planes.push_back(level.Planes[static_cast<size_t>(level.BrushSides[static_cast<size_t>(s)].Plane)]);
        if (fog.Planes.empty()) fog.Distance = 0;
    }
}

// The segment clipped by each plane in turn (a convex volume's inside is the
// back of all its planes).
float FogAmount(const FogVolume& fog, const VECTOR3& eye, const VECTOR3& p) {
    double enter = 0, leave = 1;
    for (const BspPlane& plane : fog.Planes) {
        const double from = PlaneDistance(plane, eye), to = PlaneDistance(plane, p);
        if (from > 0 && to > 0) return 0;
        if (from > 0) enter = std::max(enter, from / (from - to));
        else if (to > 0) leave = std::min(leave, from / (from - to));
    }
    if (leave <= enter) return 0;
    const double dx = p.x - eye.x, dy = p.y - eye.y, dz = p.z - eye.z;
    const double inside = (leave - enter) * std::sqrt(dx * dx + dy * dy + dz * dz);
    return static_cast<float>(std::min(1.0, inside / fog.Distance));
}

void DrawFog(Level& level) {
    bool begun = false;
    const auto fogFace = [&level, &begun](int32_t f) {
        const BspFace& face = level.Faces[static_cast<size_t>(f)];
        const FogVolume* fog = FogOf(level, face);
        const SHADER& material = level.Materials[static_cast<size_t>(face.Texture)];
        if (!fog || (material.SurfaceFlags & kSurfaceHidden)) return;
        if (!begun) {
            begun = true;
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDepthMask(GL_FALSE);
            glDepthFunc(GL_LEQUAL);
            glEnableClientState(GL_COLOR_ARRAY);
        }
        if (material.Cull == kCullNone) glDisable(GL_CULL_FACE);
        if (face.Type == kFacePatch) {
            for (const BspSubPatch& piece : PiecesOf(level, face)) {
                glVertexPointer(3, GL_FLOAT, kVertexStride, &piece.Vertices[0].Position);
                FillColours(level, *fog, piece.Vertices.data(), piece.Vertices.size());
                DrawStrips(piece);
            }
        } else if (face.Type == kFacePolygon || face.Type == kFaceMesh) {
            const BspVertex* first = &level.Vertices[static_cast<size_t>(face.FirstVertex)];
            glVertexPointer(3, GL_FLOAT, kVertexStride, &first->Position);
            FillColours(level, *fog, first, static_cast<size_t>(face.VertexCount));
            DrawTriangles(level, face);
        }
        glEnable(GL_CULL_FACE);
    };
    for (int32_t i = 0; i < level.FirstCount; ++i) fogFace(level.FirstList[static_cast<size_t>(i)]);
    for (int32_t i = 0; i < level.SecondCount; ++i) fogFace(level.SecondList[static_cast<size_t>(i)]);
    if (!begun) return;
    glDisableClientState(GL_COLOR_ARRAY);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

}  // namespace korvath
