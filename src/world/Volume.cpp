#include "korvath/Volume.h"

#include "core/Lighting.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "platform/GL.h"
#include "world/Volumes.h"

namespace korvath {

namespace {

bool BoxesOverlap(const VOLUME& a, const VECTOR3& low, const VECTOR3& high) {
    return RangesOverlap(a.Min.x, a.Max.x, low.x, high.x) && RangesOverlap(a.Min.y, a.Max.y, low.y, high.y) &&
           RangesOverlap(a.Min.z, a.Max.z, low.z, high.z);
}

bool StrictlyInside(const VOLUME& box, const VECTOR3& p) {
    return box.Min.x < p.x && p.x < box.Max.x && box.Min.y < p.y && p.y < box.Max.y && box.Min.z < p.z &&
           p.z < box.Max.z;
}

void DrawEdges(const VOLUME& box) {
    const VECTOR3 &a = box.Min, &b = box.Max;
    const float corners[4][2] = {{a.x, a.y}, {a.x, b.y}, {b.x, b.y}, {b.x, a.y}};
    for (float z : {a.z, b.z}) {
        glBegin(GL_LINE_LOOP);
        for (const float* c : corners) glVertex3f(c[0], c[1], z);
        glEnd();
    }
    glBegin(GL_LINES);
    for (const float* c : corners) {
        glVertex3f(c[0], c[1], a.z);
        glVertex3f(c[0], c[1], b.z);
    }
    glEnd();
}

}  // namespace

bool Volume::Collision(const std::vector<VOLUME>& Volume1, const std::vector<VOLUME>& Volume2) const {
    for (const VOLUME& a : Volume1)
        for (const VOLUME& b : Volume2)
            if (BoxesOverlap(a, b.Min, b.Max)) return true;
    return false;
}

bool Volume::Cross(const VECTOR3& Position, const VECTOR3& Destination, const std::vector<VOLUME>& Volume) const {
    for (const VOLUME& box : Volume)
        if (StrictlyInside(box, VectorAdd(Position, NearestOnLine(Position, Destination, box.Min, box.Max))))
            return true;
    return false;
}

VECTOR3 Volume::Distance(const VECTOR3& Position, const VECTOR3& Direction, const std::vector<VOLUME>& Volume) const {
    for (const VOLUME& box : Volume) {
        float tnear = 0, tfar = View().FarPlane;
        if (SlabEntry(Position.x, Direction.x, box.Min.x, box.Max.x, tnear, tfar) &&
            SlabEntry(Position.y, Direction.y, box.Min.y, box.Max.y, tnear, tfar) &&
            SlabEntry(Position.z, Direction.z, box.Min.z, box.Max.z, tnear, tfar))
            return {Position.x + Direction.x * tnear, Position.y + Direction.y * tnear,
                    Position.z + Direction.z * tnear};
    }
    return {};
}

bool Volume::Intersect(const VECTOR3& Position, float Offset, const std::vector<VOLUME>& Volume) const {
    const VECTOR3 low{Position.x - Offset, Position.y - Offset, Position.z - Offset};
    const VECTOR3 high{Position.x + Offset, Position.y + Offset, Position.z + Offset};
    for (const VOLUME& box : Volume)
        if (BoxesOverlap(box, low, high)) return true;
    return false;
}

void Volume::Render(std::vector<VOLUME>& Volume, float Red, float Green, float Blue) const {
    if (!HasElements(Volume)) return;
    for (const VOLUME& box : Volume) {
        ApplyViewTransform(box.Relative);
        glDisable(GL_LIGHTING);
        glColor4f(Red, Green, Blue, 1);
        DrawEdges(box);
        glColor4f(1, 1, 1, 1);
        // Lighting comes back only for a scene that uses it; switching it on in an
        // unlit scene would draw everything after the boxes black.
        if (Lighting().Enabled) glEnable(GL_LIGHTING);
    }
    Volume.clear();
}

}  // namespace korvath
