// Irrlicht 1.8's side of the particle benchmark: its particle system scene node
// with a point-sized box emitter firing in all directions, 5,000 particles a second that
// live two seconds each, additive, the same picture and view as Korvath's side.
//   irrlicht_particles [screenshot.png]
#include <irrlicht/irrlicht.h>

#include "IrrlichtBench.h"
#include "ParticleBench.h"
#include "Viewpoints.h"

using namespace irr;
using namespace particlebench;

int main(int argc, char** argv) {
    IrrlichtDevice* device = levelbench::CreateBenchDevice(kWidth, kHeight);
    if (!device) return 1;
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* scene = device->getSceneManager();

    // Korvath's engine keeps an aspect ratio of 1 whatever the window.
    scene::ICameraSceneNode* camera = scene->addCameraSceneNode(0, {0, 0, 0}, {0, 0, -1});
    camera->setFOV(70.0f * core::DEGTORAD);
    camera->setAspectRatio(1.0f);
    camera->setNearValue(0.1f);
    camera->setFarValue(10000.0f);

    scene::IParticleSystemSceneNode* system = scene->addParticleSystemSceneNode(false);
    system->setPosition({0, 0, -kDistance});
    const u32 perSecond = static_cast<u32>(kParticles / kLife);
    // The point emitter gives at most one particle a frame; the box emitter,
    // here a point-sized box, keeps up with any frame rate.
    scene::IParticleEmitter* emitter = system->createBoxEmitter(
        core::aabbox3df(0, 0, 0, 0, 0, 0), {0, kSpeed / 1000, 0}, perSecond, perSecond, video::SColor(255, 255, 255, 255),
        video::SColor(255, 255, 255, 255), static_cast<u32>(kLife * 1000), static_cast<u32>(kLife * 1000), 180,
        {kSize, kSize}, {kSize, kSize});
    system->setEmitter(emitter);
    emitter->drop();
    system->setMaterialFlag(video::EMF_LIGHTING, false);
    system->setMaterialFlag(video::EMF_ZWRITE_ENABLE, false);
    // Korvath filters its textures trilinearly; the same here, so that both
    // sides shade a fragment alike.
    system->setMaterialFlag(video::EMF_TRILINEAR_FILTER, true);
    system->setMaterialTexture(0, driver->getTexture(FlarePicture().c_str()));
    system->setMaterialType(video::EMT_TRANSPARENT_ADD_COLOR);

    const auto frame = levelbench::IrrlichtFrame(device);
    u32 triangles = 0;
    const auto countTriangles = [&] { triangles = driver->getPrimitiveCountDrawn(); };
    const Figures figures = Measure([&] {
        frame(countTriangles);
        return -1.0;
    });
    if (argc > 1)  // a look at the last frame
        frame([&] { levelbench::WriteBackBuffer(argv[1], kWidth, kHeight); });
    PrintResult("irrlicht", static_cast<int32_t>(triangles / 2), figures);
    device->drop();
    return 0;
}
