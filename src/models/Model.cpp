#include "korvath/Model.h"

#include "core/Math.h"

namespace korvath {

void Model::Move(float x, float y, float z) {
    placement_.Position = MoveAlongRotation(placement_.Position, placement_.Rotation, x, y, z);
}

void Model::Rotate(float x, float y, float z) { placement_.Rotation = AddRotation(placement_.Rotation, x, y, z); }

void Model::SetPosition(float x, float y, float z) { placement_.Position = {x, y, z}; }
void Model::Position(const VECTOR3& Value) { placement_.Position = Value; }
VECTOR3 Model::Position() const { return placement_.Position; }
void Model::SetRotation(float x, float y, float z) { placement_.Rotation = {x, y, z}; }
void Model::Rotation(const VECTOR3& Value) { placement_.Rotation = Value; }
VECTOR3 Model::Rotation() const { return placement_.Rotation; }
void Model::SetScale(float x, float y, float z) { placement_.Scale = {x, y, z}; }
VECTOR3 Model::Scale() const { return placement_.Scale; }
void Model::SetRelative(bool Enabled) { placement_.Relative = Enabled; }
void Model::Relative(bool Enabled) { placement_.Relative = Enabled; }
bool Model::Relative() const { return placement_.Relative; }
void Model::SetLevelLighting(const Map* Level) { levelLighting_ = Level; }
const Map* Model::LevelLighting() const { return levelLighting_; }
bool Model::Loaded() const { return loaded_; }

}  // namespace korvath
