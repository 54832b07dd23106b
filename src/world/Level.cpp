#include "world/Level.h"

namespace korvath {

int32_t FindLeaf(const Level& level, const VECTOR3& p) {
    if (level.Nodes.empty()) return 0;
    int32_t index = 0;
    while (index >= 0) {
        const BspNode& node = level.Nodes[static_cast<size_t>(index)];
        const BspPlane& plane = level.Planes[static_cast<size_t>(node.Plane)];
        const double d = static_cast<double>(plane.Normal.x) * p.x + static_cast<double>(plane.Normal.y) * p.y +
                         static_cast<double>(plane.Normal.z) * p.z - plane.Distance;
        index = d >= 0 ? node.Front : node.Back;
    }
    return -(index + 1);
}

int32_t ClusterVisible(const Level& level, int32_t from, int32_t to) {
    if (level.ClusterCount == 0 || from < 0) return 1;
    // A negative target tests bit 7 of the row's first byte, as integer division
    // toward zero gives byte 0 and To And 7 gives 7 for -1.
    const int64_t byte = static_cast<int64_t>(from) * level.BytesPerCluster + to / 8;
    if (byte < 0 || byte >= static_cast<int64_t>(level.PvsBits.size())) return 1;
    return (1 << (to & 7)) & level.PvsBits[static_cast<size_t>(byte)];
}

}  // namespace korvath
