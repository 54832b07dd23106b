#include "core/Lighting.h"
#include "core/Math.h"
#include "core/Matrix.h"
#include "effects/ShadowMatrix.h"
#include "korvath/Lights.h"
#include "platform/GL.h"

namespace korvath {

void Lights::BeginShadow(int32_t Index) {
    // An open list cannot be nested, and an unknown light has no position.
    if (shadowList_ != 0 || !Has(Index)) return;
    Lighting().ShadowPass = true;
    const VECTOR3& light = lights_[static_cast<size_t>(Index)].LightPosition;
    for (size_t i = 0; i < planes_.size(); ++i) {
        const Plane& p = planes_[i];
        matrices_[i] = PlanarShadowMatrix(light, p.a, p.b, p.c, p.d);
    }
    shadowList_ = glGenLists(1);
    glNewList(shadowList_, GL_COMPILE);
}

void Lights::EndShadow(int32_t Index) {
    if (shadowList_ == 0) return;
    glEndList();
    if (Has(Index)) {
        glEnable(GL_STENCIL_TEST);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glEnable(GL_BLEND);
        glPolygonOffset(-1, -1);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        // The farther the caster stands from the light, the darker its shadow.
        glColor4f(0, 0, 0, VectorDistance(lights_[static_cast<size_t>(Index)].LightPosition, position_) / 100);
        for (const auto& matrix : matrices_) {
            // Each pixel passes the stencil test once, so overlapping triangles of
            // the flattened caster do not darken twice.
            glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
            ApplyViewTransform(relative_);
            ApplyMatrix(matrix.data());
            ApplyTranslation(position_);
            ApplyRotation(rotation_);
            glScalef(1, 1, -1);
            glCallList(shadowList_);
        }
    }
    glDeleteLists(shadowList_, 1);
    shadowList_ = 0;
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_STENCIL_TEST);
    Lighting().ShadowPass = false;
}

}  // namespace korvath
