#pragma once
// Tests between the bounding volumes objects report (their Volume property):
// object against object, against a segment, a ray and a point, plus a debug
// drawing of the boxes.
#include <vector>

#include "korvath/Types.h"

namespace korvath {

class Volume {
public:
    // True when some box of Volume1 overlaps some box of Volume2 (touching counts).
    bool Collision(const std::vector<VOLUME>& Volume1, const std::vector<VOLUME>& Volume2) const;
    // True when the line through Position and Destination passes through a box:
    // the point of the line nearest the box centre lies strictly inside the box.
    // The line is not cut at its ends.
    bool Cross(const VECTOR3& Position, const VECTOR3& Destination, const std::vector<VOLUME>& Volume) const;
    // Where the ray from Position along Direction enters the first box it hits in
    // array order (Position itself when it starts inside); (0, 0, 0) when none.
    VECTOR3 Distance(const VECTOR3& Position, const VECTOR3& Direction, const std::vector<VOLUME>& Volume) const;
    // True when the cube of half-width Offset around Position overlaps a box.
    bool Intersect(const VECTOR3& Position, float Offset, const std::vector<VOLUME>& Volume) const;
    // Draws the twelve edges of every box in the given colour, then empties the
    // array, so volumes must be fetched again before the next drawing.
    void Render(std::vector<VOLUME>& Volume, float Red = 1, float Green = 1, float Blue = 1) const;
};

}  // namespace korvath
