// The other side of the comparative player benchmark: the same player parts,
// copies, animations, view and frame count drawn by Irrlicht 1.8's animated
// mesh scene nodes, each child part a child node placed every frame at its
// parent's MD3 tag of the parent's current frame.
//   irrlicht_players PLAYER_FOLDER WEAPON FRAMES [screenshot.png]
#include <irrlicht/irrlicht.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "IrrlichtBench.h"
#include "BenchArguments.h"
#include "IrrlichtGridCamera.h"
#include "PlayerGrid.h"
#include "Viewpoints.h"

using namespace irr;

namespace {

struct Player {
    scene::IAnimatedMeshSceneNode *lower, *upper, *head, *weapon;
};

// Puts child (a child node of parent) at the parent's tag.
void Hang(scene::IAnimatedMeshSceneNode* parent, const char* tag, scene::ISceneNode* child) {
    auto* mesh = static_cast<scene::IAnimatedMeshMD3*>(parent->getMesh());
    scene::SMD3QuaternionTagList* tags =
        mesh->getTagList(static_cast<s32>(parent->getFrameNr()), 255, parent->getStartFrame(), parent->getEndFrame());
    const scene::SMD3QuaternionTag* t = tags ? tags->get(tag) : nullptr;
    if (!t) return;
    core::vector3df euler;
    t->rotation.toEuler(euler);
    child->setPosition(t->position);
    child->setRotation(euler * core::RADTODEG);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace playerbench;
    modelbench::BenchArguments args;
    if (!modelbench::ParseBenchArguments(argc, argv, "irrlicht_players PLAYER_FOLDER WEAPON FRAMES [screenshot.png]",
                                         args))
        return 2;

    IrrlichtDevice* device = levelbench::CreateBenchDevice(kWidth, kHeight);
    if (!device) return 1;
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* scene = device->getSceneManager();

    // The mesh cache hands every later request the same meshes, so one load of
    // the four parts is the cost of a player.
    const auto loadStart = levelbench::BenchClock::now();
    scene::IAnimatedMesh* lower = scene->getMesh((args.model + "/lower.md3").c_str());
    scene::IAnimatedMesh* upper = scene->getMesh((args.model + "/upper.md3").c_str());
    scene::IAnimatedMesh* head = scene->getMesh((args.model + "/head.md3").c_str());
    scene::IAnimatedMesh* weapon = scene->getMesh(args.skin.c_str());
    const double loadMilliseconds = 1000 * levelbench::Seconds(loadStart, levelbench::BenchClock::now());
    if (!lower || !upper || !head || !weapon) {
        std::fprintf(stderr, "irrlicht_players: %s did not load\n", args.model.c_str());
        return 1;
    }
    video::ITexture* suit = driver->getTexture((args.model + "/suit.tga").c_str());
    video::ITexture* face = driver->getTexture((args.model + "/head.tga").c_str());
    video::ITexture* gun = driver->getTexture((args.skin.substr(0, args.skin.find_last_of('/')) + "/skin.tga").c_str());
    // Irrlicht counts MD3 args.frames in steps finer than the file's.
    const float legsSteps = static_cast<float>(lower->getFrameCount()) / 261;
    const float torsoSteps = static_cast<float>(upper->getFrameCount()) / 191;

    const auto node = [&](scene::IAnimatedMesh* mesh, video::ITexture* texture, scene::ISceneNode* parent = nullptr) {
        scene::IAnimatedMeshSceneNode* n = scene->addAnimatedMeshSceneNode(mesh, parent);
        n->setMaterialFlag(video::EMF_LIGHTING, false);
        n->setMaterialFlag(video::EMF_TRILINEAR_FILTER, true);
        n->setMaterialTexture(0, texture);
        return n;
    };
    std::vector<Player> players;
    for (int i = 0; i < kCopies; ++i) {
        Player p;
        p.lower = node(lower, suit);
        p.upper = node(upper, suit, p.lower);
        p.head = node(head, face, p.upper);
        p.weapon = node(weapon, gun, p.upper);
        const float ahead = StartMilliseconds(i) / 1000.0f;
        p.lower->setFrameLoop(static_cast<s32>(kLegsFirst * legsSteps),
                              static_cast<s32>((kLegsFirst + kLegsFrames - 1) * legsSteps));
        p.lower->setAnimationSpeed(kLegsRate * legsSteps);
        p.lower->setCurrentFrame((kLegsFirst + std::fmod(ahead * kLegsRate, kLegsFrames - 1.0f)) * legsSteps);
        p.upper->setFrameLoop(static_cast<s32>(kTorsoFirst * torsoSteps),
                              static_cast<s32>((kTorsoFirst + kTorsoFrames - 1) * torsoSteps));
        p.upper->setAnimationSpeed(kTorsoRate * torsoSteps);
        p.upper->setCurrentFrame((kTorsoFirst + std::fmod(ahead * kTorsoRate, kTorsoFrames - 1.0f)) * torsoSteps);
        p.lower->setPosition(core::vector3df(CopyX(i), CopyY(i), 0));
        p.lower->setRotation(core::vector3df(0, 90, 0));  // facing the camera
        players.push_back(p);
    }

    modelbench::FaceGrid(scene);

    const auto draw = levelbench::IrrlichtFrame(device);
    const levelbench::Side side = {"irrlicht", [](const levelbench::Viewpoint&) {},
                                   [&](const std::function<void()>& beforeSwap) {
                                       for (const Player& p : players) {
                                           Hang(p.lower, "tag_torso", p.upper);
                                           Hang(p.upper, "tag_head", p.head);
                                           Hang(p.upper, "tag_weapon", p.weapon);
                                       }
                                       return draw(beforeSwap);
                                   }};
    levelbench::MeasureViews(side, "md3x50", loadMilliseconds, {levelbench::Viewpoint{}}, args.frames,
                             args.screenshot);
    device->drop();
    return 0;
}
