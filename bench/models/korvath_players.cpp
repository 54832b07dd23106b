// One side of the comparative player benchmark: 50 Korvath MD3 characters,
// each loaded from its files (table, three parts, weapon), legs and torso on
// different animations, drawn in one view; prints one RESULT line (load
// milliseconds per player).
//   korvath_players PLAYER_FOLDER WEAPON FRAMES [screenshot.png]
#include <korvath/Korvath.h>

#include <cstdio>
#include <memory>
#include <string>

#include "KorvathBench.h"
#include "BenchArguments.h"
#include "KorvathGridCamera.h"
#include "PlayerGrid.h"
#include "Viewpoints.h"

int main(int argc, char** argv) {
    using namespace korvath;
    using namespace playerbench;
    modelbench::BenchArguments args;
    if (!modelbench::ParseBenchArguments(argc, argv, "korvath_players PLAYER_FOLDER WEAPON FRAMES [screenshot.png]",
                                         args))
        return 2;

    levelbench::KorvathBench bench;
    if (!bench.Start(kWidth, kHeight)) return 1;
    Engine& engine = bench.engine();
    modelbench::FaceGrid();

    std::vector<std::unique_ptr<MD3>> players;
    const auto loadStart = levelbench::BenchClock::now();
    for (int i = 0; i < kCopies; ++i) {
        players.push_back(std::make_unique<MD3>());
        MD3& p = *players.back();
        p.LoadAnimationTable(args.model + "/animation.cfg");
        p.Load(args.model);
        p.Load("", args.skin);
        if (p.Parts() != 4) {
            std::fprintf(stderr, "korvath_players: %s did not load\n", args.model.c_str());
            return 1;
        }
    }
    const double loadMilliseconds = 1000 * levelbench::Seconds(loadStart, levelbench::BenchClock::now()) / kCopies;
    // The pictures are shared, as the other engine's texture cache shares them.
    const SHADER suit = Shaders().Load(args.model + "/suit.tga"), head = Shaders().Load(args.model + "/head.tga");
    const SHADER gun = Shaders().Load(args.skin.substr(0, args.skin.find_last_of('/')) + "/skin.tga");
    for (int i = 0; i < kCopies; ++i) {
        MD3& p = *players[static_cast<size_t>(i)];
        p.SetShader(MD3_LOWER, suit);
        p.SetShader(MD3_UPPER, suit);
        p.SetShader(MD3_HEAD, head);
        p.SetShader(MD3_WEAPON, gun);
        p.SetLegsAnimation(LEGS_WALK);
        p.SetTorsoAnimation(TORSO_GESTURE);
        const int ahead = StartMilliseconds(i);
        p.SetFrame(kLegsFirst + 1 + ahead * kLegsRate / 1000 % kLegsFrames, MD3_LOWER);
        p.SetFrame(kTorsoFirst + 1 + ahead * kTorsoRate / 1000 % kTorsoFrames, MD3_UPPER);
        p.SetPosition(CopyX(i), CopyY(i), 0);
        p.SetRotation(270, 0, 270);  // standing, facing the camera
    }

    const levelbench::Side side = {"korvath", [](const levelbench::Viewpoint&) {},
                                   [&](const std::function<void()>& beforeSwap) {
                                       engine.BeginScene();
                                       for (auto& p : players) p->Render();
                                       beforeSwap();
                                       engine.EndScene();
                                       return true;
                                   }};
    levelbench::MeasureViews(side, "md3x50", loadMilliseconds, {levelbench::Viewpoint{}}, args.frames,
                             args.screenshot);
    // The copies share the pictures: only the first frees them, while the context lives.
    for (size_t i = 1; i < players.size(); ++i)
        for (int32_t part = 0; part < 4; ++part) players[i]->SetShader(part, {});
    players.clear();
    return 0;
}
