#pragma once
// What every model class (MD2, MD3, MD5, MDL, Mesh) shares: where the model
// stands, how it moves and turns, and whether it holds a loaded model.
#include "korvath/Types.h"

namespace korvath {

class Map;

// The placement of one model object; a new object has every field zero.
struct ModelPlacement {
    bool Relative = false;  // drawn in the camera's frame (held in view)
    VECTOR3 Position;       // world units
    VECTOR3 Rotation;       // degrees about x, y and z
    VECTOR3 Scale;          // (1, 1, 1) after every successful load
};

class Model {
public:
    // Moves along the model's heading (its y rotation) in units per second of
    // frame time: x sideways, y down, z forward.
    void Move(float x, float y, float z);
    // Adds degrees with one wrap into 0..360 (not scaled by frame time).
    void Rotate(float x, float y, float z);

    void SetPosition(float x, float y, float z);
    void Position(const VECTOR3& Value);
    VECTOR3 Position() const;
    // Stored as given; no wrap.
    void SetRotation(float x, float y, float z);
    void Rotation(const VECTOR3& Value);
    VECTOR3 Rotation() const;
    void SetScale(float x, float y, float z);
    VECTOR3 Scale() const;
    void SetRelative(bool Enabled);
    void Relative(bool Enabled);
    bool Relative() const;

    // Lights the model, while it is drawn, as the level's light grid lights
    // the point it stands on (the eye, for a model held in view): the grid's
    // ambient colour and one light from the grid's direction, in place of the
    // host's lights. Off (null) by default; a level with no grid there leaves
    // the model drawn as without. The Map must outlive this use of it.
    void SetLevelLighting(const Map* Level);
    const Map* LevelLighting() const;

    bool Loaded() const;

protected:
    Model() = default;
    ~Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    ModelPlacement placement_;
    bool loaded_ = false;
    const Map* levelLighting_ = nullptr;
};

}  // namespace korvath
