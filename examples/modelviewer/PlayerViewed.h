#pragma once
// A Quake 3 player in the viewer: a folder of three parts with its animation
// table and skins, or a single MD3 file, with a weapon in the hand. T and G
// step the torso through its animations, L and K the legs, independently.
#include <korvath/Korvath.h>

#include <string>
#include <vector>

#include "ModelKinds.h"

class PlayerViewed : public ViewedModel {
public:
    bool Load(const std::string& file, const std::string& weapon) override;
    void UseSkin(const std::string& skin) override;
    void Render(bool Animate) override { player_.Render(Animate); }
    // The player picks its animations with its own keys.
    std::vector<std::string> Animations() const override { return {}; }
    void SetAnimation(const std::string&) override {}
    // One box around every part, so the stage frames the whole character.
    std::vector<korvath::VOLUME> Volume() const override;
    korvath::Model& Placement() override { return player_; }
    void Steer(korvath::Keyboard& keys) override;

private:
    void StepTorso(int by);
    void StepLegs(int by);

    korvath::MD3 player_;
    std::string folder_;  // empty for a single file
    int torso_ = 0, legs_ = 0;  // positions in the lists of names below
};
