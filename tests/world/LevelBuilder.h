#pragma once
// Small level tables built in memory (engine Y-up axes) for the trace tests:
// brushes bounded by planes and a tree that cuts space at the brushes' faces.
#include <cstdint>
#include <string>
#include <vector>

#include "world/Level.h"

namespace korvath::test {

class LevelBuilder {
public:
    // A texture record and its material; returns the index brushes use.
    int32_t AddMaterial(int32_t contents, int32_t surfaceFlags = 0, const std::string& name = "");
    // sides carry outward normals; mins and maxs enclose the brush.
    void AddBrush(const std::vector<BspPlane>& sides, const VECTOR3& mins, const VECTOR3& maxs, int32_t texture);
    void AddBox(const VECTOR3& mins, const VECTOR3& maxs, int32_t texture);
    // Six walls of the given thickness around the inside box.
    void AddRoom(const VECTOR3& insideMin, const VECTOR3& insideMax, float thickness, int32_t texture);

    // split: a tree cut at axis planes through brush bounds, each brush listed in
    // every leaf its bounds touch. Otherwise one far-away plane whose back leaf
    // holds every brush, so every trace tests every brush.
    Level Build(bool split = true) const;

private:
    struct Brush {
        std::vector<BspPlane> Sides;
        VECTOR3 Mins, Maxs;
        int32_t Texture;
    };
    std::vector<BspTexture> textures_;
    std::vector<SHADER> materials_;
    std::vector<Brush> brushes_;
};

}  // namespace korvath::test
