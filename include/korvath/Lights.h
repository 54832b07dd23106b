#pragma once
// Fixed-function lights, each with colours, a position, a spot direction and a
// material, and planar shadows: the caster drawn between BeginShadow and
// EndShadow is flattened onto each shadow plane as seen from a light and
// blended in translucent black through the stencil buffer.
#include <array>
#include <cstdint>
#include <vector>

#include "korvath/Types.h"

namespace korvath {

class Lights {
public:
    Lights();
    ~Lights();
    Lights(const Lights&) = delete;
    Lights& operator=(const Lights&) = delete;

    // Resizes the tables to indexes 0..Index, keeping existing entries, and turns
    // lighting and light Index on.
    void Load(int32_t Index);
    // Turns light Index and lighting as a whole off; the tables are kept.
    void UnLoad(int32_t Index);
    // Places every light at its position in world coordinates (call once per
    // frame after the camera is set).
    void Render();
    void Enable();
    void Disable();

    // Opens the shadow caster: what is drawn until EndShadow is recorded, not
    // shown, and models skip their own placement meanwhile.
    void BeginShadow(int32_t Index = 0);
    // Draws the recorded caster flattened onto every shadow plane, placed by
    // Position, Rotation and Relative, where the stencil test lets it.
    void EndShadow(int32_t Index = 0);

    void Move(int32_t Index, float x, float y, float z);
    void SetPosition(int32_t Index, float x, float y, float z);
    void SetDirection(int32_t Index, float x, float y, float z);
    // The shadow plane of Index: normal (-x, -y, -z) and distance term Distance.
    void SetDistance(int32_t Index, float Distance);
    void SetPlane(int32_t Index, float x, float y, float z);
    void SetAmbient(int32_t Index, float Red, float Green, float Blue);
    void SetDiffuse(int32_t Index, float Red, float Green, float Blue);
    void SetSpecular(int32_t Index, float Red, float Green, float Blue);
    // Material colours are applied with the next colour setter or Render of the index.
    void SetMaterialAmbience(int32_t Index, float Red, float Green, float Blue, float Alpha);
    void SetMaterialDiffuse(int32_t Index, float Red, float Green, float Blue, float Alpha);
    void SetMaterialSpecular(int32_t Index, float Red, float Green, float Blue, float Alpha);
    void SetMaterialEmission(int32_t Index, float Red, float Green, float Blue, float Alpha);
    void SetMaterialShine(int32_t Index, float Shine);

    // Placement of the shadow caster.
    VECTOR3 Position() const;
    void Position(const VECTOR3& Value);
    VECTOR3 Rotation() const;
    void Rotation(const VECTOR3& Value);
    bool Relative() const;
    void Relative(bool Value);

private:
    struct Light {
        float Ambient[3] = {}, Diffuse[3] = {}, Specular[3] = {};
        VECTOR3 LightPosition, SpotDirection;
    };
    struct Surface {
        float Shine = 0;
        float Ambient[4] = {}, Diffuse[4] = {}, Specular[4] = {}, Emission[4] = {};
    };
    struct Plane {
        float a = 0, b = 0, c = 0, d = 0;
    };

    // Whether Index names an entry of the tables (and so a GL light).
    bool Has(int32_t Index) const;
    void SetLight(int32_t Index, uint32_t Parameter, float v0, float v1, float v2, float v3);

    std::vector<Light> lights_;
    std::vector<Surface> materials_;
    std::vector<Plane> planes_;
    std::vector<std::array<float, 16>> matrices_;  // per plane, set by BeginShadow
    VECTOR3 position_, rotation_;
    bool relative_ = false;
    uint32_t shadowList_ = 0;
};

}  // namespace korvath
