#pragma once
// Writes md5mesh, md5anim and md5camera text for tests, in the layout the
// common exporters write (keywords in column 1, a TAB before every line inside
// a block, single spaces), and the same text respaced as other exporters
// write it.
#include <array>
#include <string>
#include <vector>

#include "korvath/Types.h"

namespace korvath::test {

struct Md5WriterJoint {
    std::string Name;
    int Parent = -1;
    VECTOR3 Position;
    VECTOR3 Orientation;  // x, y, z; w is completed by the reader
};

struct Md5WriterVertex {
    float U = 0, V = 0;
    int FirstWeight = 0, WeightCount = 0;
};

struct Md5WriterWeight {
    int Joint = 0;
    float Bias = 1;
    VECTOR3 Position;
};

struct Md5WriterMesh {
    std::string Shader;
    std::vector<Md5WriterVertex> Vertices;
    std::vector<std::array<int, 3>> Triangles;
    std::vector<Md5WriterWeight> Weights;
};

struct Md5MeshText {
    std::vector<Md5WriterJoint> Joints;
    std::vector<Md5WriterMesh> Meshes;
    std::string Text() const;
};

struct Md5WriterChannel {
    int Parent = -1, Flags = 0, Start = 0;
};

struct Md5AnimText {
    int FrameRate = 24;
    int Components = 0;
    std::vector<Md5WriterChannel> Hierarchy;
    std::vector<std::array<VECTOR3, 2>> BaseFrame;  // position, orientation x y z
    std::vector<std::vector<float>> Frames;
    int ValuesPerLine = 6;
    // Frame lines as "TAB values blank" or, with a leading blank, as
    // "TAB blank values".
    std::string Text(bool leadingBlank = false) const;
};

struct Md5CameraText {
    int FrameRate = 24;
    std::vector<int> Cuts;
    std::vector<std::array<float, 7>> Frames;  // position, orientation x y z, field of view
    std::string Text() const;
};

// The text with CR LF line ends, every run of leading whitespace and every
// blank outside quotes replaced by blanks and TABs, keywords moved off column 1.
std::string Respaced(const std::string& text);

// A root joint at (1, 2, 3) and a child at (10, 0, 0), a square of four
// vertices on both joints (a quarter on the root at (4, 0, 0), (8, 0, 0),
// (8, 4, 0), (4, 4, 0); three quarters on the child at (0, 0, 2)) with
// material "chain".
Md5MeshText ChainMesh();
// The chain's animation: the root turned -90 degrees about z (orientation
// z 0.7071068), the child's position x animated from frame to frame.
Md5AnimText ChainAnimation(int frames = 10, int frameRate = 24);

// A strip of vertexCount vertices on jointCount joints (one weight each), and
// an animation of frameCount frames turning every joint.
Md5MeshText LongMesh(int vertexCount, int jointCount);
Md5AnimText LongAnimation(int frameCount, int jointCount);

}  // namespace korvath::test
