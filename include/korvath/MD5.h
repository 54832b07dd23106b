#pragma once
// A skeletal model (md5mesh) with any number of skeletal animations (md5anim)
// and camera tracks (md5camera). Each animation is posed and skinned for every
// frame when it is loaded; drawing interpolates between two of those frames
// and cross-fades toward a frame of the target animation while Update runs the
// clock.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Model.h"
#include "korvath/Types.h"

namespace korvath {

// One joint of the skeleton, in object space.
struct JOINT {
    std::string Name;
    int32_t Index = 0;
    int32_t Parent = 0;  // -1 for a root
    std::vector<int32_t> Children;  // in joint order
    VECTOR3 Position;
    VECTOR4 Orientation;  // unit quaternion, w last
};

struct MD5_CAMERA_FRAME {
    float FieldOfView = 0;  // degrees, as written
    VECTOR3 Position;
    VECTOR4 Orientation;  // w is left 0: the host completes it if it needs to
};

struct MD5_CAMERA {
    std::string Name;  // the file name, padded with blanks or cut to 64 characters
    int32_t FrameRate = 0;
    int32_t NumFrames = 0;
    std::vector<MD5_CAMERA_FRAME> Frames;
};

struct Md5Data;

class MD5 : public Model {
public:
    MD5();
    ~MD5();  // unloads a loaded model

    // Reads the mesh over any model already loaded; the outcome is reported in
    // the log. A malformed file leaves the object unloaded.
    void Load(const std::string& Filename);
    // Adds an animation named after the file and makes it current and target
    // at frame 0. Needs a loaded mesh.
    void LoadAnimation(const std::string& Filename);
    // Appends a camera track; needs no mesh.
    void LoadCamera(const std::string& Filename);
    void UnLoad();

    // Advances the frame clock by the frame time and runs a cross-fade.
    void Update();
    // Places the model and draws every mesh between the current frame and the
    // next, blended toward the target animation. With Animate false the
    // skeleton is posed at the current frame first, so Joint follows it.
    void Render(bool Animate = true);
    // Starts a cross-fade to the animation named Animation (exact case) at
    // Blend per second; "" names the bind pose. Unknown names change nothing.
    void SetAnimation(const std::string& Animation, float Blend = 1.0f);
    // Clamped into the current animation's frames.
    void SetFrame(int32_t Frame);
    int32_t Frame() const;  // rounded half to even

    // A copy of joint Index as last posed; an empty record outside the skeleton.
    JOINT Joint(int32_t Index) const;
    // Replaces joint Index whole (its children included).
    void Joint(int32_t Index, const JOINT& Value);
    int32_t Joints() const;  // the joint count

    // The last material named Name, or an empty record.
    SHADER Shader(const std::string& Name) const;
    // Given to every mesh whose material is named Name.
    void Shader(const std::string& Name, const SHADER& Value);

    // Index -1: every mesh's volume; Index >= 0: that one; below -1: none.
    std::vector<VOLUME> Volume(int32_t Index = -1) const;

    int32_t Cameras() const;
    // A copy of track Index; an empty record outside the tracks.
    MD5_CAMERA Camera(int32_t Index) const;

    // The material names of the meshes, in mesh order.
    std::vector<std::string> MaterialNames() const;
    // The names of the animations, the bind pose ("") first, and the number of
    // the current one.
    std::vector<std::string> Animations() const;
    int32_t Animation() const;

private:
    std::unique_ptr<Md5Data> data_;
};

}  // namespace korvath
