#pragma once
// A Quake 3 character (MD3): legs, torso and head, each a file of its own,
// hung on each other's tags, with a weapon on the torso's "tag_weapon". Each
// part plays its own animation from the player's animation table, on its own
// millisecond clock, and is drawn blended toward its next frame.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Model.h"
#include "korvath/Types.h"

namespace korvath {

enum MD3_Models : int32_t { MD3_LOWER = 0, MD3_UPPER = 1, MD3_HEAD = 2, MD3_WEAPON = 3 };

enum MD3_Death_Animations : int32_t {
    BOTH_DEATH1 = 0, BOTH_DEAD1 = 1, BOTH_DEATH2 = 2, BOTH_DEAD2 = 3, BOTH_DEATH3 = 4, BOTH_DEAD3 = 5
};

enum MD3_Torso_Animations : int32_t {
    TORSO_GESTURE = 6, TORSO_ATTACK = 7, TORSO_ATTACK2 = 8, TORSO_DROP = 9, TORSO_RAISE = 10, TORSO_STAND = 11,
    TORSO_STAND2 = 12
};

enum MD3_Legs_Animations : int32_t {
    LEGS_WALKCR = 13, LEGS_WALK = 14, LEGS_RUN = 15, LEGS_BACK = 16, LEGS_SWIM = 17, LEGS_JUMP = 18,
    LEGS_LAND = 19, LEGS_JUMPB = 20, LEGS_LANDB = 21, LEGS_IDLE = 22, LEGS_IDLECR = 23, LEGS_TURN = 24
};

// One entry of the animation table. NumFrames is stored one less than the file
// gives when the file gives more than one; FirstFrame of the legs entries is
// moved to where the legs file keeps them.
struct MD3_ANIMATION {
    int32_t FirstFrame = 0;
    int32_t NumFrames = 0;
    int32_t LoopingFrames = 0;  // not used
    int32_t FrameRate = 0;      // frames per second
};

struct Md3Data;

class MD3 : public Model {
public:
    MD3();
    ~MD3();  // unloads a loaded character

    // Reads the animation table (animation.cfg); its outcome is reported in the log.
    void LoadAnimationTable(const std::string& Filename);
    // With Filename empty: lower.md3, upper.md3 and head.md3 of the folder Path,
    // linked at "tag_torso" and "tag_head". With Filename: one more part (the
    // weapon), linked at "tag_weapon" of the torso. A part file that cannot be
    // read whole fails the load, and the parts this call added are dropped.
    void Load(const std::string& Path, const std::string& Filename = "");
    void UnLoad();
    // Places the character, advances each part's clock when Animate is true
    // and draws the parts down the tag hierarchy. Nothing while unloaded.
    void Render(bool Animate = true);

    // Restarts the death animation on legs and torso, even when it plays.
    void SetDeathAnimation(MD3_Death_Animations Name);
    // Start the animation on the torso (legs) unless it already plays there.
    void SetTorsoAnimation(MD3_Torso_Animations Name);
    void SetLegsAnimation(MD3_Legs_Animations Name);
    // The part's current frame, 1-based: frame k draws file frame k - 1, and
    // frames of 0 or less draw the first file frame.
    void SetFrame(int32_t Index, MD3_Models Model);
    int32_t Frame(MD3_Models Model) const;

    // The material of part Index, drawn on every surface the part's skin does
    // not name.
    void SetShader(int32_t Index, const SHADER& Shader);
    void Shader(int32_t Index, const SHADER& Shader);
    SHADER Shader(int32_t Index) const;
    // Applies a skin file ("surface,image" lines, e.g. lower_default.skin) to
    // part Index: each named surface gets a material of its own made from the
    // image; tag lines and surfaces it does not name are left alone. An image
    // that is not found under the engine path is looked for beside the skin.
    // False when the file cannot be read or the part does not exist.
    bool LoadSkin(int32_t Index, const std::string& Filename);

    // Index -1: every part's volume; Index >= 0: that one; below -1: none.
    std::vector<VOLUME> Volume(int32_t Index = -1) const;

    // The number of parts loaded and the animation table as read.
    int32_t Parts() const;
    std::vector<MD3_ANIMATION> Animations() const;

private:
    std::unique_ptr<Md3Data> data_;
};

}  // namespace korvath
