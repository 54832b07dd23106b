#include "effects/DecalAxes.h"

#include <cmath>

#include "core/Math.h"

namespace korvath {

DecalAxes DecalAxesOf(const VECTOR3& n) {
    DecalAxes axes;
    const VECTOR3 a = VectorNormalize({std::fabs(n.x), std::fabs(n.y), std::fabs(n.z)});
    axes.Normal = a;
    int k = 0;
    if (a.y > a.x) k = 1;
    if (a.z > a.y) k = 2;
    static const VECTOR3 kAxes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    VECTOR3 right;
    if (a.x != 1 && a.y != 1 && a.z != 1) {
        right = VectorCross(kAxes[k], n);
    } else if ((k == 0 && n.x > 0) || k == 1) {
        right = {0, 0, -1};
    } else if (k == 0) {
        right = {0, 0, 1};
    } else {
        right = {n.z, 0, 0};
    }
    axes.Up = VectorNormalize(VectorCross(n, right));
    axes.Right = VectorNormalize(right);
    return axes;
}

}  // namespace korvath
