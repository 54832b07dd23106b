#include "korvath/Lights.h"
#include "core/Lighting.h"
#include "core/Display.h"

#include "core/Matrix.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// GL_LIGHT0 + index must name a light every driver has.
constexpr int32_t kLightLimit = 8;

GLenum LightName(int32_t index) { return static_cast<GLenum>(GL_LIGHT0 + index); }

}  // namespace

Lights::Lights() = default;

// A caster left open is closed unseen, so later drawing shows again.
Lights::~Lights() {
    if (shadowList_ == 0) return;
    if (Display().RenderContext) {
        glEndList();
        glDeleteLists(shadowList_, 1);
    }
    Lighting().ShadowPass = false;
}

bool Lights::Has(int32_t Index) const { return Index >= 0 && static_cast<size_t>(Index) < lights_.size(); }

void Lights::Load(int32_t Index) {
    if (Index < 0 || Index >= kLightLimit) return;
    const size_t size = static_cast<size_t>(Index) + 1;
    lights_.resize(size);
    materials_.resize(size);
    planes_.resize(size);
    matrices_.resize(size);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(LightName(Index));
}

void Lights::UnLoad(int32_t Index) {
    if (Index < 0 || Index >= kLightLimit) return;
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_NORMALIZE);
    glDisable(GL_LIGHTING);
    glDisable(LightName(Index));
}

void Lights::Render() {
    ApplyViewTransform(false);
    for (size_t i = 0; i < lights_.size(); ++i) {
        const VECTOR3& p = lights_[i].LightPosition;
        SetLight(static_cast<int32_t>(i), GL_POSITION, p.x, p.y, p.z, 1);
    }
}

void Lights::Enable() {
    glEnable(GL_LIGHTING);
    Lighting().Enabled = true;
}

void Lights::Disable() {
    glDisable(GL_LIGHTING);
    Lighting().Enabled = false;
}

void Lights::SetLight(int32_t Index, uint32_t Parameter, float v0, float v1, float v2, float v3) {
    const GLfloat values[4] = {v0, v1, v2, v3};
    glLightfv(LightName(Index), Parameter, values);
    const Surface& m = materials_[static_cast<size_t>(Index)];
    glMaterialfv(GL_FRONT, GL_AMBIENT, m.Ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m.Diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m.Specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, m.Emission);
    glMaterialf(GL_FRONT, GL_SHININESS, m.Shine);
}

void Lights::Move(int32_t Index, float x, float y, float z) {
    if (!Has(Index)) return;
    VECTOR3& p = lights_[static_cast<size_t>(Index)].LightPosition;
    p = {p.x + x, p.y + y, p.z + z};
}

void Lights::SetPosition(int32_t Index, float x, float y, float z) {
    if (Has(Index)) lights_[static_cast<size_t>(Index)].LightPosition = {x, y, z};
}

void Lights::SetDirection(int32_t Index, float x, float y, float z) {
    if (!Has(Index)) return;
    lights_[static_cast<size_t>(Index)].SpotDirection = {x, y, z};
    SetLight(Index, GL_SPOT_DIRECTION, x, y, z, 1);
}

void Lights::SetDistance(int32_t Index, float Distance) {
    if (Has(Index)) planes_[static_cast<size_t>(Index)].d = Distance;
}

void Lights::SetPlane(int32_t Index, float x, float y, float z) {
    if (!Has(Index)) return;
    Plane& p = planes_[static_cast<size_t>(Index)];
    p.a = -x;
    p.b = -y;
    p.c = -z;
}

namespace {

void StoreColour(float (&target)[3], float red, float green, float blue) {
    target[0] = red;
    target[1] = green;
    target[2] = blue;
}

void StoreColour(float (&target)[4], float red, float green, float blue, float alpha) {
    target[0] = red;
    target[1] = green;
    target[2] = blue;
    target[3] = alpha;
}

}  // namespace

void Lights::SetAmbient(int32_t Index, float Red, float Green, float Blue) {
    if (!Has(Index)) return;
    StoreColour(lights_[static_cast<size_t>(Index)].Ambient, Red, Green, Blue);
    SetLight(Index, GL_AMBIENT, Red, Green, Blue, 1);
}

void Lights::SetDiffuse(int32_t Index, float Red, float Green, float Blue) {
    if (!Has(Index)) return;
    StoreColour(lights_[static_cast<size_t>(Index)].Diffuse, Red, Green, Blue);
    SetLight(Index, GL_DIFFUSE, Red, Green, Blue, 1);
}

void Lights::SetSpecular(int32_t Index, float Red, float Green, float Blue) {
    if (!Has(Index)) return;
    StoreColour(lights_[static_cast<size_t>(Index)].Specular, Red, Green, Blue);
    SetLight(Index, GL_SPECULAR, Red, Green, Blue, 1);
}

void Lights::SetMaterialAmbience(int32_t Index, float Red, float Green, float Blue, float Alpha) {
    if (Has(Index)) StoreColour(materials_[static_cast<size_t>(Index)].Ambient, Red, Green, Blue, Alpha);
}

void Lights::SetMaterialDiffuse(int32_t Index, float Red, float Green, float Blue, float Alpha) {
    if (Has(Index)) StoreColour(materials_[static_cast<size_t>(Index)].Diffuse, Red, Green, Blue, Alpha);
}

void Lights::SetMaterialSpecular(int32_t Index, float Red, float Green, float Blue, float Alpha) {
    if (Has(Index)) StoreColour(materials_[static_cast<size_t>(Index)].Specular, Red, Green, Blue, Alpha);
}

void Lights::SetMaterialEmission(int32_t Index, float Red, float Green, float Blue, float Alpha) {
    if (Has(Index)) StoreColour(materials_[static_cast<size_t>(Index)].Emission, Red, Green, Blue, Alpha);
}

void Lights::SetMaterialShine(int32_t Index, float Shine) {
    if (Has(Index)) materials_[static_cast<size_t>(Index)].Shine = Shine;
}

VECTOR3 Lights::Position() const { return position_; }
void Lights::Position(const VECTOR3& Value) { position_ = Value; }
VECTOR3 Lights::Rotation() const { return rotation_; }
void Lights::Rotation(const VECTOR3& Value) { rotation_ = Value; }
bool Lights::Relative() const { return relative_; }
void Lights::Relative(bool Value) { relative_ = Value; }

}  // namespace korvath
