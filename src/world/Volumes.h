#pragma once
// The pieces every owner of a VOLUME and the Volume class share: the empty box,
// growing a box by a point, the object's model matrix and the small tests of
// ranges, slabs and lines.
#include <vector>

#include "core/Math.h"
#include "korvath/Types.h"

namespace korvath {

struct Box {
    VECTOR3 Min;
    VECTOR3 Max;
};

// Min above Max on every axis, so the first GrowBox makes it a point box.
Box EmptyBox();
Box GrowBox(const Box& box, const VECTOR3& point);

// T(Position) x Rx x Ry x Rz x S(Scale) in GL column order, with the angles looked
// up in the whole-degree tables: the same matrix the owners' GL transform builds.
Matrix4 ModelMatrix(const VECTOR3& Position, const VECTOR3& Rotation, const VECTOR3& Scale);

// True when either range has an end inside the other (ends included).
bool RangesOverlap(float a0, float a1, float b0, float b1);

// One axis of the ray-box test: narrows [tnear, tfar] to the part of the ray
// between the two planes low and high; false once the interval is empty.
bool SlabEntry(float start, float direction, float low, float high, float& tnear, float& tfar);

// The offset from Start to the point of the infinite line through Start and
// Finish nearest the centre of the box; zero when Start equals Finish.
VECTOR3 NearestOnLine(const VECTOR3& Start, const VECTOR3& Finish, const VECTOR3& Min, const VECTOR3& Max);

template <typename T>
bool HasElements(const std::vector<T>& array) {
    return !array.empty();
}

}  // namespace korvath
