#pragma once
// The md5mesh reader: the joints in object space and the meshes, whose
// vertices are weighted sums of positions in the joints' frames. Every index
// the file gives is checked against its table, so posing and drawing need no
// checks of their own.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "korvath/MD5.h"
#include "models/ModelArrays.h"

namespace korvath {

struct Md5Vertex {
    int32_t Index = 0;
    VECTOR2 TexCoord;  // v negated, as drawn
    int32_t FirstWeight = 0;
    int32_t WeightCount = 0;
};

struct Md5Weight {
    int32_t Index = 0;
    int32_t Joint = 0;
    float Bias = 0;
    VECTOR3 Position;  // in the joint's frame
};

struct Md5Mesh {
    std::string MaterialName;
    std::vector<Md5Vertex> Vertices;
    std::vector<Md5Weight> Weights;
    // The skinned base mesh (the pose computed last) and the arrays it is
    // drawn from; the indexes are the triangles as the file lists them.
    std::vector<ModelVertex> Pose;
    ModelArrays Arrays;
    size_t TriangleCount() const { return Arrays.Indices.size() / 3; }
};

struct Md5MeshFile {
    std::vector<JOINT> Joints;
    std::vector<Md5Mesh> Meshes;
};

enum class Md5MeshResult { Loaded, NotMd5, Malformed };

// Reads the text, reporting the joint and mesh counts as it meets them. On
// anything but Loaded the model is incomplete and is to be dropped.
Md5MeshResult ReadMd5Mesh(std::string_view text, Md5MeshFile& model);

}  // namespace korvath
