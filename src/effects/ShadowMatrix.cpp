#include "effects/ShadowMatrix.h"

namespace korvath {

Matrix4 PlanarShadowMatrix(const VECTOR3& light, float a, float b, float c, float d) {
    const float L[4] = {light.x, light.y, light.z, 1};
    const float P[4] = {a, b, c, d};
    const float dot = a * light.x + b * light.y + c * light.z + d;
    Matrix4 m{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) m[4 * column + row] = P[column] * L[row] - (row == column ? dot : 0);
    return m;
}

}  // namespace korvath
