#pragma once
// Volume records as an owner leaves them after its first Render.
#include "korvath/Types.h"

namespace korvath::test {

inline VOLUME ComputedVolume(const VECTOR3& min, const VECTOR3& max, bool relative = false) {
    VOLUME v;
    v.Enabled = true;
    v.Relative = relative;
    v.Min = min;
    v.Max = max;
    return v;
}

}  // namespace korvath::test
