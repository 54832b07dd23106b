#pragma once
// What the level tests share: the logged offscreen engine and a small two-leaf
// level written by the test BSP writer.
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "core/ConsoleState.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "support/BspWriter.h"
#include "support/LoggedEngineTest.h"
#include "support/TestSupport.h"
#include "world/Level.h"
#include "world/LevelLoad.h"

namespace korvath::test {

using LevelTest = LoggedEngineTest;

// Two leaves split by the plane x = 0 (file axes): leaf 0 (cluster 0, x > 0)
// holds face 0, leaf 1 (cluster 1, x < 0) holds face 1. Each face is a square
// wall facing +x at x = 64 and x = -64 (vertices 0-3 and 4-7), 128 units wide,
// with lightmap 0. The PVS lets cluster 0 see both clusters and cluster 1 see
// only itself.
inline BspBuilder SmallLevel() {
    BspBuilder file;
    file.Entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    file.Textures = {{"textures/test/wall", 0, 1}, {"textures/test/floor", 0, 1}};
    file.Planes = {{{1, 0, 0}, 0}};
    BspNode node;
    node.Plane = 0, node.Front = -1, node.Back = -2;
    file.Nodes = {node};
    BspLeaf right, left;
    right.Cluster = 0;
    right.Mins[0] = 0, right.Mins[1] = -128, right.Mins[2] = -128;
    right.Maxs[0] = 128, right.Maxs[1] = 128, right.Maxs[2] = 128;
    right.FirstLeafFace = 0, right.LeafFaceCount = 1;
    right.FirstLeafBrush = 0, right.LeafBrushCount = 1;
    left = right;
    left.Cluster = 1;
    left.Mins[0] = -128, left.Maxs[0] = 0;
    left.FirstLeafFace = 1;
    file.Leafs = {right, left};
    file.LeafFaces = {0, 1};
    file.LeafBrushes = {0};
    file.Brushes = {{0, 1, 0}};
    file.BrushSides = {{0, 0}};
    file.Models.resize(1);
    for (float x : {64.0f, -64.0f}) {
        // Clockwise seen from the front, as level compilers wind faces.
        const float corners[4][2] = {{-64, -64}, {-64, 64}, {64, 64}, {64, -64}};
        for (const auto& c : corners) {
            BspVertex v;
            v.Position = {x, c[0], c[1]};
            v.TexCoord = {(c[0] + 64) / 128, (c[1] + 64) / 128};
            v.LightmapCoord = {0.5f, 0.5f};
            v.Normal = {1, 0, 0};
            v.Color[0] = v.Color[1] = v.Color[2] = v.Color[3] = 255;
            file.Vertices.push_back(v);
        }
    }
    file.MeshVertices = {0, 1, 2, 0, 2, 3};
    for (int f = 0; f < 2; ++f) {
        BspFace face;
        face.Texture = f;
        face.Type = kFacePolygon;
        face.FirstVertex = 4 * f, face.VertexCount = 4;
        face.FirstMeshVertex = 0, face.MeshVertexCount = 6;
        face.LightmapIndex = 0;
        file.Faces.push_back(face);
    }
    file.Lightmaps.assign(49152, 40);
    file.ClusterCount = 2, file.BytesPerCluster = 1;
    file.PvsBits = {0x3, 0x2};
    return file;
}

// A flat 3 x 3 patch 128 units wide facing +x at x = 0, in a level of one leaf.
inline BspBuilder PatchLevel() {
    BspBuilder file = SmallLevel();
    file.Nodes.clear();
    file.Leafs.resize(1);
    file.Leafs[0].Mins[0] = -128;
    file.Leafs[0].LeafFaceCount = 1;
    file.ClusterCount = 0;
    file.Faces.resize(1);
    file.LeafFaces = {0};
    BspFace& face = file.Faces[0];
    face.Type = kFacePatch;
    face.FirstVertex = 0, face.VertexCount = 9;
    face.MeshVertexCount = 0;
    face.PatchSize[0] = face.PatchSize[1] = 3;
    file.Vertices.resize(9);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            BspVertex& v = file.Vertices[static_cast<size_t>(row * 3 + col)];
            v.Position = {0, 64.0f * (1 - col), 64.0f * (row - 1)};
            v.LightmapCoord = {0.5f, 0.5f};
        }
    return file;
}

// Engine camera rotation about y that looks along the file-axes yaw (degrees
// from +x toward +y).
inline float LookYaw(float yaw) { return std::fmod(90 - yaw + 360, 360.0f); }

inline std::string WriteLevel(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = ProcessDirectory() + "/" + name;
    WriteBytes(path, bytes);
    return path;
}

inline std::string WriteLevel(const std::string& name, const BspBuilder& file) { return WriteLevel(name, file.Bytes()); }

// A loaded level that lets go of its textures and lists when it goes.
struct LevelRelease {
    void operator()(Level* level) const {
        ReleaseLevelResources(*level);
        delete level;
    }
};
using LoadedLevel = std::unique_ptr<Level, LevelRelease>;
inline LoadedLevel LoadWritten(const std::string& name, const BspBuilder& file) {
    return LoadedLevel(LoadLevel(WriteLevel(name, file)).release());
}

}  // namespace korvath::test
