#include "models/LevelLighting.h"

#include "core/Lighting.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// Every light a host can switch on through Lights.
constexpr GLenum kHostLights = 8;

void Colour(GLenum light, GLenum parameter, const VECTOR3& value) {
    const GLfloat rgba[4] = {value.x, value.y, value.z, 1};
    glLightfv(light, parameter, rgba);
}

}  // namespace

bool BeginLevelLighting(const ModelPlacement& placement, const Map& level) {
    if (Lighting().ShadowPass) return false;
    const VECTOR3 at = placement.Relative ? View().CameraPosition : placement.Position;
    VECTOR3 ambient, directed, direction;
    if (!level.Light(at, ambient, directed, direction)) return false;

    glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT);
    for (GLenum i = 0; i < kHostLights; ++i) glDisable(GL_LIGHT0 + i);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    // Scaled models keep unit normals; the stage's colour tints the light.
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    const GLfloat none[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    const GLfloat world[4] = {ambient.x, ambient.y, ambient.z, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, world);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    Colour(GL_LIGHT0, GL_DIFFUSE, directed);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180);
    // A direction given under the view transform stays fixed in the world,
    // whatever frame the model is then drawn in.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    ApplyViewTransform(false);
    const GLfloat towards[4] = {direction.x, direction.y, direction.z, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, towards);
    glPopMatrix();
    return true;
}

void EndLevelLighting() { glPopAttrib(); }

}  // namespace korvath
