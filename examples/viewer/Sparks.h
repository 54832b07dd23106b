#pragma once
// Sparks thrown where the view meets a wall, each shot leaving a glowing mark.
#include <korvath/Camera.h>
#include <korvath/Map.h>
#include <korvath/Particles.h>

class Sparks {
public:
    // Pools and their materials: the level's additive flare.
    void Load();
    // Traces the view ray through the level; false when it hits nothing.
    bool Fire(korvath::Map& map, const korvath::Camera& camera);
    void Render();

private:
    korvath::Particles sparks_;
    korvath::Particles marks_;
    int32_t nextMark_ = 0;
    bool burst_ = false;  // the sparks respawn on the next Update only
};
