#pragma once
// Writes IBSP level files for tests. Records are given in the file's own Z-up
// axes and layout (the loader converts them); lumps can be corrupted afterwards
// to test hostile input.
#include <cstdint>
#include <string>
#include <vector>

#include "world/Level.h"

namespace korvath::test {

struct BspFileTexture {
    std::string Name;  // written NUL-padded to 64 bytes (a 64-character name has no NUL)
    int32_t Flags = 0;
    int32_t Contents = 1;
};

struct BspBuilder {
    char Magic[4] = {'I', 'B', 'S', 'P'};
    int32_t Version = 46;
    std::string Entities;
    std::vector<BspFileTexture> Textures;
    std::vector<BspPlane> Planes;
    std::vector<BspNode> Nodes;
    std::vector<BspLeaf> Leafs;
    std::vector<int32_t> LeafFaces;
    std::vector<int32_t> LeafBrushes;
    std::vector<BspModel> Models;
    std::vector<BspBrush> Brushes;
    std::vector<BspBrushSide> BrushSides;
    std::vector<BspVertex> Vertices;
    std::vector<int32_t> MeshVertices;
    std::vector<uint8_t> Effects;   // 72 bytes a record
    std::vector<BspFace> Faces;
    std::vector<uint8_t> Lightmaps;  // 49152 bytes a lightmap (128 x 128 RGB)
    std::vector<uint8_t> LightVolumes;
    // The PVS lump is written only when ClusterCount > 0.
    int32_t ClusterCount = 0, BytesPerCluster = 0;
    std::vector<uint8_t> PvsBits;

    std::vector<uint8_t> Bytes() const;
    bool Write(const std::string& path) const;
};

// Offset and length of lump i as written in the directory of bytes.
int32_t LumpOffset(const std::vector<uint8_t>& bytes, int lump);
int32_t LumpLength(const std::vector<uint8_t>& bytes, int lump);
void SetLump(std::vector<uint8_t>& bytes, int lump, int32_t offset, int32_t length);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace korvath::test
