#include "core/Matrix.h"

#include "core/Display.h"
#include "core/ViewState.h"
#include "platform/GL.h"

namespace korvath {

void ApplyViewTransform(bool Relative) {
    glLoadIdentity();
    glScalef(0.1f, 0.1f, 0.1f);
    if (Relative) return;
    ApplyRotation(View().CameraRotation);
    glTranslatef(-View().CameraPosition.x, -View().CameraPosition.y, -View().CameraPosition.z);
}

void ApplyPlacement(const VECTOR3& Position, const VECTOR3& Rotation) {
    ApplyTranslation(Position);
    ApplyRotation(Rotation);
}

void ApplyRotation(const VECTOR3& Rotation) {
    glRotatef(Rotation.x, 1, 0, 0);
    glRotatef(Rotation.y, 0, 1, 0);
    glRotatef(Rotation.z, 0, 0, 1);
}

void ApplyTranslation(const VECTOR3& V) { glTranslatef(V.x, V.y, V.z); }
void ApplyScale(const VECTOR3& V) { glScalef(V.x, V.y, V.z); }
void ApplyMatrix(const float* M) { glMultMatrixf(M); }

namespace {

// Loads the projection of kind on the current screen size; the modelview
// matrix is left as it is.
void LoadProjection(ProjectionKind kind) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (kind == ProjectionKind::Flat)
        gluOrtho2D(0, Display().ScreenWidth, 0, Display().ScreenHeight);
    else
        gluPerspective(View().FieldOfView, View().AspectRatio, View().NearPlane, View().FarPlane);
    glMatrixMode(GL_MODELVIEW);
    View().Projection = kind;
}

}  // namespace

void Set2DProjection() {
    LoadProjection(ProjectionKind::Flat);
    glLoadIdentity();
}

void Set3DProjection() {
    LoadProjection(ProjectionKind::Perspective);
    glLoadIdentity();
}

void ReloadProjection() {
    if (View().Projection != ProjectionKind::None) LoadProjection(View().Projection);
}

}  // namespace korvath
