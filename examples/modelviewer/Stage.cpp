#include "Stage.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

using namespace korvath;

namespace {

constexpr float kRadians = 3.14159265f / 180;
constexpr float kOrbitSpeed = 90;  // degrees per second
constexpr float kZoomSpeed = 1;    // model sizes per second
constexpr float kFloorSides = 2;   // the floor reaches this many model sizes each way
// Where the light stands, in model sizes from the centre: above, in front and
// to the side, so the shadow falls behind the model.
constexpr VECTOR3 kLightOffset{-0.5f, 0.9f, -0.8f};

}  // namespace

Framing FrameModel(const VOLUME& volume) {
    Framing f;
    if (!volume.Enabled) return f;
    f.centre = {(volume.Min.x + volume.Max.x) / 2, (volume.Min.y + volume.Max.y) / 2,
                (volume.Min.z + volume.Max.z) / 2};
    f.size = std::max({volume.Max.x - volume.Min.x, volume.Max.y - volume.Min.y, volume.Max.z - volume.Min.z, 1.0f});
    f.floor = volume.Min.y;
    return f;
}

void OrbitCamera::Steer(Keyboard& keys, float seconds) {
    yaw_ += ((keys.Button(KEY_RIGHT) ? 1 : 0) - (keys.Button(KEY_LEFT) ? 1 : 0)) * kOrbitSpeed * seconds;
    pitch_ += ((keys.Button(KEY_UP) ? 1 : 0) - (keys.Button(KEY_DOWN) ? 1 : 0)) * kOrbitSpeed * seconds;
    distance_ += ((keys.Button(KEY_PAGEDOWN) ? 1 : 0) - (keys.Button(KEY_PAGEUP) ? 1 : 0)) * kZoomSpeed * seconds;
    yaw_ = std::fmod(yaw_ + 360, 360.0f);
    pitch_ = std::clamp(pitch_, -10.0f, 85.0f);
    distance_ = std::clamp(distance_, 0.5f, 10.0f);
}

void OrbitCamera::Apply(Camera& camera, const Framing& framing) const {
    // The engine camera looks along (sin yaw, -sin pitch, -cos yaw).
    const float yaw = yaw_ * kRadians, pitch = pitch_ * kRadians, d = distance_ * framing.size;
    const VECTOR3& c = framing.centre;
    camera.SetPosition(c.x - d * std::sin(yaw) * std::cos(pitch), c.y + d * std::sin(pitch),
                       c.z + d * std::cos(yaw) * std::cos(pitch));
    camera.SetRotation(pitch_, yaw_, 0);
}

Stage::Stage(const Framing& framing) : framing_(framing) {
    lights_.Load(0);
    lights_.SetAmbient(0, 0.35f, 0.35f, 0.35f);
    lights_.SetDiffuse(0, 1, 1, 0.95f);
    lights_.SetPosition(0, framing.centre.x + kLightOffset.x * framing.size,
                        framing.centre.y + kLightOffset.y * framing.size,
                        framing.centre.z + kLightOffset.z * framing.size);
    // The plane -y + floor = 0: the floor itself.
    lights_.SetPlane(0, 0, 1, 0);
    lights_.SetDistance(0, framing.floor);
    lights_.Enable();
}

Stage::~Stage() { lights_.UnLoad(0); }

void Stage::DrawFloor(const Camera& camera) const {
    // The view transform every engine renderer loads: the world scale, the
    // camera's rotation about x, y and z, and its position.
    const VECTOR3 r = camera.Rotation(), p = camera.Position();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(0.1f, 0.1f, 0.1f);
    glRotatef(r.x, 1, 0, 0);
    glRotatef(r.y, 0, 1, 0);
    glRotatef(r.z, 0, 0, 1);
    glTranslatef(-p.x, -p.y, -p.z);

    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    const float reach = kFloorSides * framing_.size, y = framing_.floor;
    const VECTOR3& c = framing_.centre;
    glColor4f(0.55f, 0.6f, 0.55f, 1);
    glNormal3f(0, 1, 0);
    glBegin(GL_QUADS);  // clockwise seen from above: the engine culls the other side
    glVertex3f(c.x - reach, y, c.z - reach);
    glVertex3f(c.x + reach, y, c.z - reach);
    glVertex3f(c.x + reach, y, c.z + reach);
    glVertex3f(c.x - reach, y, c.z + reach);
    glEnd();
    glColor4f(1, 1, 1, 1);
    // Shadows pass where the floor is, once per pixel.
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDisable(GL_STENCIL_TEST);
}

void Stage::PlaceLight() { lights_.Render(); }

void Stage::DrawShadow(ViewedModel& model) {
    // The shadow takes the caster's placement from the lights.
    lights_.Position(model.Placement().Position());
    lights_.Rotation(model.Placement().Rotation());
    lights_.Disable();
    lights_.BeginShadow(0);
    model.Render(false);
    lights_.EndShadow(0);
    lights_.Enable();
}
