#pragma once
// One IBSP level: loading, drawing from the engine camera, and the queries a game
// asks of it (collision traces, point visibility, entities, planes, materials).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

struct Level;

class Map {
public:
    Map();
    ~Map();  // unloads a loaded level

    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    // Loads a level (relative names resolve against the engine path); a level
    // already loaded is unloaded first. The outcome is reported in the log.
    void Load(const std::string& Filename);
    void UnLoad();
    // Draws the level from the engine camera; nothing when no level is loaded.
    void Render();

    // Sweeps a point, a sphere of radius Offset or (after Volume) a box from
    // Position to Destination through the level's solid brushes.
    COLLISION Collision(const VECTOR3& Position, const VECTOR3& Destination, float Offset = 0);
    // Makes the next Collision a box trace with the box of the first element.
    void Volume(const std::vector<VOLUME>& Volumes);
    // True when Position is potentially visible from the camera's cluster.
    bool Visible(const VECTOR3& Position) const;
    int32_t Entities() const;  // highest entity index, -1 for none
    ENTITY Entity(int32_t Index) const;
    int32_t Planes() const;    // highest plane index, -1 for none
    PLANE Plane(int32_t Index) const;
    // The last material named Name (exact match), or an empty record.
    SHADER Shader(const std::string& Name) const;
    // Replaces every material named Name by a copy of Value.
    void Shader(const std::string& Name, const SHADER& Value);

    // The brush models: the doors, platforms and other movers built into the
    // level, numbered as the entities' "model" keys name them ("*1" is 1;
    // model 0 is the world itself). BrushModels is the highest index, -1
    // without a level. BrushModel answers a model's box where it was built
    // (Min, Max) with its current offset as Position; the setter moves a model
    // (not the world) by Offset from where it was built, for drawing and collision alike.
    int32_t BrushModels() const;
    VOLUME BrushModel(int32_t Index) const;
    void BrushModel(int32_t Index, const VECTOR3& Offset);

    // The light the level's light grid holds at Position, for lighting what
    // moves through the level: ambient and directed colour (0 to 1 per channel,
    // brightened as the lightmaps are) and the unit direction towards the
    // light. False, leaving them unchanged, without a grid or inside walls.
    bool Light(const VECTOR3& Position, VECTOR3& Ambient, VECTOR3& Directed, VECTOR3& Direction) const;

    bool Loaded() const;

private:
    std::unique_ptr<Level> level_;       // null while no level is loaded
    std::vector<VOLUME> nextCollision_;  // consumed by the next Collision
};

}  // namespace korvath
