#pragma once
// The sounds of the viewer, when the game data has them: the level's first
// looping speaker as an ambient loop, and footsteps while walking.
#include <korvath/Map.h>
#include <korvath/Sound.h>
#include <string>
#include <vector>

class ViewerSounds {
public:
    // Looks for the sound files below the game data directory and starts the
    // level's ambient loop. Calling it again for a new level stops the old loop.
    void Start(const korvath::Map& map, const std::string& dataDirectory);
    void Stop();
    // A footstep every stride of distance walked.
    void Walked(float distance);

private:
    korvath::Sound sound_;
    std::string ambient_;
    std::vector<std::string> steps_;
    float sinceStep_ = 0;
    size_t nextStep_ = 0;
};
