#pragma once
// The level's doors open as the camera comes near and close again behind it:
// each "func_door" entity's brush model slides along its "angle" (-1 up, -2
// down, otherwise a compass direction in the floor's plane) by its own size
// less a lip of 8 units, at its "speed" (400 units a second unless given).
// Doors of one "team" move together.
#include <korvath/Camera.h>
#include <korvath/Map.h>

#include <cstdint>
#include <string>
#include <vector>

class Doors {
public:
    void Start(const korvath::Map& map);
    void Frame(korvath::Map& map, const korvath::Camera& camera, float seconds);
    size_t Count() const { return doors_.size(); }

private:
    struct Door {
        int32_t model = 0;
        std::string team;
        korvath::VECTOR3 travel;  // the whole way from shut to open
        korvath::VECTOR3 low, high;
        float seconds = 0;        // to open fully
        float opened = 0;         // 0 shut to 1 open
    };
    std::vector<Door> doors_;
};
