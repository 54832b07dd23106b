#include "world/LevelBuilder.h"

namespace korvath::test {

namespace {

float& Axis(VECTOR3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
float Axis(const VECTOR3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

VECTOR3 Unit(int axis, float sign) {
    VECTOR3 v;
    Axis(v, axis) = sign;
    return v;
}

struct TreeBuilder {
    static constexpr int kMaxDepth = 24;
    Level& level;
    const std::vector<VECTOR3>& mins;
    const std::vector<VECTOR3>& maxs;

    int32_t AddLeaf(const std::vector<int32_t>& brushes) {
        BspLeaf leaf;
        leaf.FirstLeafBrush = static_cast<int32_t>(level.LeafBrushes.size());
        leaf.LeafBrushCount = static_cast<int32_t>(brushes.size());
        level.LeafBrushes.insert(level.LeafBrushes.end(), brushes.begin(), brushes.end());
        level.Leafs.push_back(leaf);
        return -static_cast<int32_t>(level.Leafs.size());
    }

    // Returns the child index of the subtree for the region lo..hi.
    int32_t Build(VECTOR3 lo, VECTOR3 hi, const std::vector<int32_t>& brushes, int depth) {
        for (int32_t b : brushes) {
            for (int axis = 0; axis < 3 && depth < kMaxDepth; ++axis) {
                for (float cut : {Axis(mins[static_cast<size_t>(b)], axis), Axis(maxs[static_cast<size_t>(b)], axis)}) {
                    if (cut <= Axis(lo, axis) || cut >= Axis(hi, axis)) continue;
                    std::vector<int32_t> front, back;
                    for (int32_t other : brushes) {
                        if (Axis(maxs[static_cast<size_t>(other)], axis) >= cut) front.push_back(other);
                        if (Axis(mins[static_cast<size_t>(other)], axis) <= cut) back.push_back(other);
                    }
                    const int32_t index = static_cast<int32_t>(level.Nodes.size());
                    level.Nodes.emplace_back();
                    level.Nodes.back().Plane = static_cast<int32_t>(level.Planes.size());
                    level.Planes.push_back({Unit(axis, 1), cut});
                    VECTOR3 frontLo = lo, backHi = hi;
                    Axis(frontLo, axis) = cut;
                    Axis(backHi, axis) = cut;
                    const int32_t frontChild = Build(frontLo, hi, front, depth + 1);
                    const int32_t backChild = Build(lo, backHi, back, depth + 1);
                    level.Nodes[static_cast<size_t>(index)].Front = frontChild;
                    level.Nodes[static_cast<size_t>(index)].Back = backChild;
                    return index;
                }
            }
        }
        return AddLeaf(brushes);
    }
};

}  // namespace

int32_t LevelBuilder::AddMaterial(int32_t contents, int32_t surfaceFlags, const std::string& name) {
    BspTexture texture;
    texture.Name = name;
    texture.Contents = contents;
    textures_.push_back(texture);
    SHADER material;
    material.Found = !name.empty();
    material.Name = name;
    material.SurfaceFlags = surfaceFlags;
    materials_.push_back(material);
    return static_cast<int32_t>(textures_.size()) - 1;
}

void LevelBuilder::AddBrush(const std::vector<BspPlane>& sides, const VECTOR3& mins, const VECTOR3& maxs,
                            int32_t texture) {
    brushes_.push_back({sides, mins, maxs, texture});
}

void LevelBuilder::AddBox(const VECTOR3& mins, const VECTOR3& maxs, int32_t texture) {
    std::vector<BspPlane> sides;
    for (int axis = 0; axis < 3; ++axis) {
        sides.push_back({Unit(axis, 1), Axis(maxs, axis)});
        sides.push_back({Unit(axis, -1), -Axis(mins, axis)});
    }
    AddBrush(sides, mins, maxs, texture);
}

void LevelBuilder::AddRoom(const VECTOR3& insideMin, const VECTOR3& insideMax, float thickness, int32_t texture) {
    const VECTOR3 outMin{insideMin.x - thickness, insideMin.y - thickness, insideMin.z - thickness};
    const VECTOR3 outMax{insideMax.x + thickness, insideMax.y + thickness, insideMax.z + thickness};
    for (int axis = 0; axis < 3; ++axis) {
        VECTOR3 lowWallMax = outMax, highWallMin = outMin;
        Axis(lowWallMax, axis) = Axis(insideMin, axis);
        Axis(highWallMin, axis) = Axis(insideMax, axis);
        AddBox(outMin, lowWallMax, texture);
        AddBox(highWallMin, outMax, texture);
    }
}

Level LevelBuilder::Build(bool split) const {
    Level level;
    level.Textures = textures_;
    level.Materials = materials_;
    std::vector<VECTOR3> mins, maxs;
    std::vector<int32_t> all;
    for (const Brush& brush : brushes_) {
        BspBrush record;
        record.FirstSide = static_cast<int32_t>(level.BrushSides.size());
        record.SideCount = static_cast<int32_t>(brush.Sides.size());
        record.Texture = brush.Texture;
        for (const BspPlane& side : brush.Sides) {
            level.BrushSides.push_back({static_cast<int32_t>(level.Planes.size()), brush.Texture});
            level.Planes.push_back(side);
        }
        all.push_back(static_cast<int32_t>(level.Brushes.size()));
        level.Brushes.push_back(record);
        mins.push_back(brush.Mins);
        maxs.push_back(brush.Maxs);
    }
    TreeBuilder tree{level, mins, maxs};
    const float far = 1e6f;
    if (split && tree.Build({-far, -far, -far}, {far, far, far}, all, 0) >= 0) return level;
    // No cut (or none wanted): a root far above everything, the world behind it.
    level.Leafs.clear();
    level.LeafBrushes.clear();
    level.Nodes.push_back({});
    level.Nodes.back().Plane = static_cast<int32_t>(level.Planes.size());
    level.Planes.push_back({Unit(1, 1), far});
    level.Nodes.back().Back = tree.AddLeaf(all);
    level.Nodes.back().Front = tree.AddLeaf({});
    return level;
}

}  // namespace korvath::test
