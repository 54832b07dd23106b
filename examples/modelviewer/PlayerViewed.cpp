#include "PlayerViewed.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace korvath;

namespace {

struct Named {
    int32_t value;
    const char* name;
};

const Named kTorso[] = {{TORSO_STAND, "TORSO_STAND"},     {TORSO_STAND2, "TORSO_STAND2"},
                        {TORSO_GESTURE, "TORSO_GESTURE"}, {TORSO_ATTACK, "TORSO_ATTACK"},
                        {TORSO_ATTACK2, "TORSO_ATTACK2"}, {TORSO_DROP, "TORSO_DROP"},
                        {TORSO_RAISE, "TORSO_RAISE"}};
const Named kLegs[] = {{LEGS_IDLE, "LEGS_IDLE"},     {LEGS_WALK, "LEGS_WALK"},   {LEGS_RUN, "LEGS_RUN"},
                       {LEGS_BACK, "LEGS_BACK"},     {LEGS_WALKCR, "LEGS_WALKCR"}, {LEGS_IDLECR, "LEGS_IDLECR"},
                       {LEGS_JUMP, "LEGS_JUMP"},     {LEGS_LAND, "LEGS_LAND"},   {LEGS_JUMPB, "LEGS_JUMPB"},
                       {LEGS_LANDB, "LEGS_LANDB"},   {LEGS_SWIM, "LEGS_SWIM"},   {LEGS_TURN, "LEGS_TURN"}};
constexpr int kTorsoCount = static_cast<int>(std::size(kTorso));
constexpr int kLegsCount = static_cast<int>(std::size(kLegs));

}  // namespace

bool PlayerViewed::Load(const std::string& file, const std::string& weapon) {
    if (std::filesystem::is_directory(file)) {
        folder_ = file;
        player_.LoadAnimationTable(folder_ + "/animation.cfg");
        player_.Load(folder_);
    } else {
        player_.Load("", file);
    }
    if (!weapon.empty() && player_.Loaded()) {
        player_.Load("", weapon);
        // A weapon's picture sits beside it, named as its first surface's
        // material usually is.
        const std::filesystem::path picture = std::filesystem::path(weapon).parent_path() / "skin.tga";
        if (std::filesystem::exists(picture)) player_.SetShader(player_.Parts() - 1, Shaders().Load(picture.string()));
    }
    StepTorso(0);
    StepLegs(0);
    return player_.Loaded();
}

void PlayerViewed::UseSkin(const std::string& skin) {
    if (folder_.empty()) {
        player_.SetShader(0, Shaders().Load(skin));
        return;
    }
    const char* const parts[] = {"lower", "upper", "head"};
    for (int32_t part = 0; part < 3; ++part) {
        const std::string file = folder_ + "/" + parts[part] + "_" + skin + ".skin";
        if (!player_.LoadSkin(part, file)) std::fprintf(stderr, "modelviewer: no skin %s\n", file.c_str());
    }
}

std::vector<VOLUME> PlayerViewed::Volume() const {
    std::vector<VOLUME> parts = player_.Volume();
    if (parts.empty()) return {VOLUME{}};
    VOLUME all = parts[0];
    for (const VOLUME& v : parts) {
        if (!v.Enabled || v.Min.x > v.Max.x) continue;
        all.Min = {std::min(all.Min.x, v.Min.x), std::min(all.Min.y, v.Min.y), std::min(all.Min.z, v.Min.z)};
        all.Max = {std::max(all.Max.x, v.Max.x), std::max(all.Max.y, v.Max.y), std::max(all.Max.z, v.Max.z)};
    }
    return {all};
}

void PlayerViewed::Steer(Keyboard& keys) {
    if (keys.Check(KEY_T)) StepTorso(1);
    if (keys.Check(KEY_G)) StepTorso(-1);
    if (keys.Check(KEY_L)) StepLegs(1);
    if (keys.Check(KEY_K)) StepLegs(-1);
}

void PlayerViewed::StepTorso(int by) {
    torso_ = (torso_ + by + kTorsoCount) % kTorsoCount;
    player_.SetTorsoAnimation(static_cast<MD3_Torso_Animations>(kTorso[torso_].value));
    std::printf("torso: %s\n", kTorso[torso_].name);
}

void PlayerViewed::StepLegs(int by) {
    legs_ = (legs_ + by + kLegsCount) % kLegsCount;
    player_.SetLegsAnimation(static_cast<MD3_Legs_Animations>(kLegs[legs_].value));
    std::printf("legs: %s\n", kLegs[legs_].name);
}
