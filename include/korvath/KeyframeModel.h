#pragma once
// What the keyframe model classes (MD2, MDL) share: frames grouped into named
// animations, a frame clock running at Velocity frames per second, one
// material, one bounding volume, and drawing interpolated between two frames.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Model.h"
#include "korvath/Types.h"

namespace korvath {

// A named run of frames, both ends included.
struct MD2_ANIMATION {
    std::string Name;
    int32_t FirstFrame = 0;
    int32_t LastFrame = 0;
};

struct KeyframeData;
struct KeyframeFile;

class KeyframeModel : public Model {
public:
    // Places the model, advances the frame clock when Animate is true, grows the
    // volume and draws one pass per material stage. Nothing while unloaded.
    void Render(bool Animate = true);
    // Selects the animation named Animation (case-insensitive); the first
    // animation when none matches.
    void SetAnimation(const std::string& Animation);
    void SetVelocity(float Value);  // frames per second
    void SetFrame(int32_t Index);
    int32_t Frame() const;  // the current frame, rounded half to even

    void SetShader(const SHADER& Value);
    void Shader(const SHADER& Value);
    SHADER Shader() const;
    // One element: a copy of the model's volume as the last Render left it.
    std::vector<VOLUME> Volume() const;

    // The animations of the loaded file and the index of the current one (-1
    // for none).
    std::vector<MD2_ANIMATION> Animations() const;
    int32_t Animation() const;

protected:
    // format prefixes the status lines ("MD2", "MDL").
    explicit KeyframeModel(const char* format);
    ~KeyframeModel();

    // The common part of a successful Load: takes the file's mesh and
    // animations, gives the material one zeroed stage, sets the scale to one
    // and marks the model loaded. The orientation turn is the class's own.
    void AdoptKeyframes(KeyframeFile&& file);
    // The common part of UnLoad: releases the material and empties the model.
    void ReleaseKeyframes();

    std::unique_ptr<KeyframeData> data_;
    // MDL compares animation names without the blanks around them.
    bool trimAnimationNames_ = false;

private:
    const char* format_;
};

}  // namespace korvath
