#pragma once
// An MD5 skeletal model in the viewer, with the animations given by --anim.
// N and P cross-fade to the next or previous animation (the bind pose is
// the first); J shows the skeleton as lines from each joint to its parent,
// drawn over the model.
#include <korvath/Korvath.h>

#include <string>
#include <vector>

#include "ModelKinds.h"

class Md5Viewed : public ViewedModel {
public:
    bool Load(const std::string& file, const std::string& weapon) override;
    void LoadAnimation(const std::string& file) override { model_.LoadAnimation(file); }
    // The picture or material is worn by every mesh.
    void UseSkin(const std::string& skin) override;
    // Animated: the clock runs first. With the skeleton shown, the joints are
    // posed at the current frame so the lines follow the animation.
    void Render(bool Animate) override;
    std::vector<std::string> Animations() const override { return model_.Animations(); }
    void SetAnimation(const std::string& name) override { model_.SetAnimation(name, kFadesPerSecond); }
    // One box around every mesh, so the stage frames the whole model.
    std::vector<korvath::VOLUME> Volume() const override;
    korvath::Model& Placement() override { return model_; }
    void ShowSkeleton(bool shown) override { skeleton_ = shown; }
    void Steer(korvath::Keyboard& keys) override;

private:
    static constexpr float kFadesPerSecond = 2;  // a cross-fade takes half a second
    void DrawSkeleton() const;

    korvath::MD5 model_;
    bool skeleton_ = false;
};
