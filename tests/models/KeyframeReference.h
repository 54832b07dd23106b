#pragma once
// The pose of a keyframe model (MD2, MDL) drawn the slow, plain way the
// pictures are checked against: one triangle at a time from the decoded frames.
#include "core/Matrix.h"
#include "korvath/Model.h"
#include "materials/Materials.h"
#include "models/KeyframeMesh.h"
#include "platform/GL.h"

namespace korvath::test {

// The pose between frames c and n (weight w of n), placed as the model's
// Render places it and drawn with one stage.
inline void DrawKeyframeReference(const KeyframeMesh& m, const Model& model, SHADER_STAGE& stage, int c, int n,
                                  float w) {
    ApplyViewTransform(false);
    ApplyPlacement(model.Position(), model.Rotation());
    ApplyScale(model.Scale());
    glEnable(GL_TEXTURE_2D);
    ApplyStage(stage);
    for (const KeyframeTriangle& t : m.Triangles) {
        glBegin(GL_TRIANGLES);
        for (int k = 0; k < 3; ++k) {
            const VECTOR3 p = FramePosition(m, c, t.Vertex[k]), q = FramePosition(m, n, t.Vertex[k]);
            const VECTOR3& normal = FrameNormal(m, c, t.Vertex[k]);
            const VECTOR2& st = m.TexCoords[static_cast<size_t>(t.TexCoord[k])];
            glNormal3f(normal.x, normal.y, normal.z);
            glTexCoord2f(st.x, st.y);
            glVertex3f(p.x + w * (q.x - p.x), p.y + w * (q.y - p.y), p.z + w * (q.z - p.z));
        }
        glEnd();
    }
    ResetStage(stage);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace korvath::test
