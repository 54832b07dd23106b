#pragma once
// The plane a decal particle lies in: the normal it keeps and the two unit axes
// its quad is spanned by.
#include "korvath/Types.h"

namespace korvath {

struct DecalAxes {
    VECTOR3 Normal;  // the absolute values of the given normal, normalised
    VECTOR3 Right;
    VECTOR3 Up;
};

// Right is the given normal crossed with the unit axis of its largest absolute
// component (a fixed axis when the normal lies along one), Up the normal crossed
// with Right.
DecalAxes DecalAxesOf(const VECTOR3& normal);

}  // namespace korvath
