// The other side of the comparative model benchmark: the same model, copies,
// animation, view and frame count drawn by Irrlicht 1.8's animated mesh scene
// nodes (which interpolate MD2 frames the same way).
//   irrlicht_models MODEL SKIN FRAMES [screenshot.png]
#include <irrlicht/irrlicht.h>

#include <cstdio>
#include <string>

#include "BenchArguments.h"
#include "IrrlichtGridCamera.h"
#include "ModelGrid.h"
#include "IrrlichtBench.h"
#include "Viewpoints.h"

using namespace irr;

int main(int argc, char** argv) {
    using namespace modelbench;
    BenchArguments args;
    if (!ParseBenchArguments(argc, argv, "irrlicht_models MODEL SKIN FRAMES [screenshot.png]", args))
        return 2;

    IrrlichtDevice* device = levelbench::CreateBenchDevice(kWidth, kHeight);
    if (!device) return 1;
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* scene = device->getSceneManager();

    // The mesh cache hands every later request the same mesh, so one load is
    // the cost of a model.
    const auto loadStart = levelbench::BenchClock::now();
    auto* mesh = static_cast<scene::IAnimatedMeshMD2*>(scene->getMesh(args.model.c_str()));
    // The RESULT line's load field carries milliseconds per model here.
    const double loadMilliseconds = 1000 * levelbench::Seconds(loadStart, levelbench::BenchClock::now());
    if (!mesh) {
        std::fprintf(stderr, "irrlicht_models: %s did not load\n", args.model.c_str());
        return 1;
    }
    video::ITexture* skin = driver->getTexture(args.skin.c_str());
    s32 begin = 0, end = 0, fps = 0;
    mesh->getFrameLoop(scene::EMAT_STAND, begin, end, fps);
    for (int i = 0; i < kCopies; ++i) {
        scene::IAnimatedMeshSceneNode* node = scene->addAnimatedMeshSceneNode(mesh);
        node->setMaterialFlag(video::EMF_LIGHTING, false);
        // Korvath filters its mipmapped textures trilinearly; the same work here.
        node->setMaterialFlag(video::EMF_TRILINEAR_FILTER, true);
        node->setMaterialTexture(0, skin);
        node->setMD2Animation(scene::EMAT_STAND);
        node->setAnimationSpeed(9 * static_cast<f32>(end - begin) / 39);  // 9 model args.frames a second
        node->setCurrentFrame(static_cast<f32>(begin + (end - begin) * StartFrame(i) / 39));
        node->setPosition(core::vector3df(CopyX(i), CopyY(i), 0));
        node->setRotation(core::vector3df(0, 90, 0));  // facing the camera
    }

    modelbench::FaceGrid(scene);

    const levelbench::Side side = {"irrlicht", [](const levelbench::Viewpoint&) {},
                                   levelbench::IrrlichtFrame(device)};
    levelbench::MeasureViews(side, "md2x100", loadMilliseconds, {levelbench::Viewpoint{}}, args.frames,
                             args.screenshot);
    device->drop();
    return 0;
}
