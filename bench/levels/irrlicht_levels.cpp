// The other side of the comparative level benchmark: the same level, viewpoints
// and frame count drawn by Irrlicht 1.8 with its Quake 3 shader scene nodes.
//   irrlicht_levels DATA_DIR MAP FRAMES [screenshot.png]
#include <irrlicht/irrlicht.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "IrrlichtBench.h"
#include "Viewpoints.h"

using namespace irr;

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: irrlicht_levels DATA_DIR MAP FRAMES [screenshot.png]\n");
        return 2;
    }
    const std::string data = std::string(argv[1]) + "/", map = argv[2];
    const int frames = std::atoi(argv[3]);
    const std::string screenshot = argc > 4 ? argv[4] : "";

    IrrlichtDevice* device = levelbench::CreateBenchDevice(640, 480);
    if (!device) return 1;
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* scene = device->getSceneManager();
    device->getFileSystem()->addFileArchive(data.c_str(), true, false, io::EFAT_FOLDER);

    const auto loadStart = levelbench::BenchClock::now();
    auto* mesh = static_cast<scene::IQ3LevelMesh*>(scene->getMesh(("maps/" + map + ".bsp").c_str()));
    if (!mesh) {
        std::fprintf(stderr, "irrlicht_levels: %s did not load\n", map.c_str());
        return 1;
    }
    scene->addOctreeSceneNode(mesh->getMesh(scene::quake3::E_Q3_MESH_GEOMETRY), 0, -1, 4096);
    const scene::IMesh* items = mesh->getMesh(scene::quake3::E_Q3_MESH_ITEMS);
    for (u32 i = 0; i != items->getMeshBufferCount(); ++i) {
        const scene::IMeshBuffer* buffer = items->getMeshBuffer(i);
        const scene::quake3::IShader* shader =
            mesh->getShader(static_cast<s32>(buffer->getMaterial().MaterialTypeParam2));
        if (shader) scene->addQuake3SceneNode(buffer, shader);
    }
    const double loadSeconds = levelbench::Seconds(loadStart, levelbench::BenchClock::now());

    scene::ICameraSceneNode* camera = scene->addCameraSceneNode();
    camera->setFOV(70.0f * core::DEGTORAD);
    camera->setAspectRatio(1.0f);
    camera->setNearValue(1.0f);
    camera->setFarValue(100000.0f);

    const levelbench::Side side = {
        "irrlicht",
        [&](const levelbench::Viewpoint& view) {
            // The level loader swaps y and z of the file.
            const core::vector3df eye(view.x, view.z, view.y);
            const float yaw = view.yaw * core::DEGTORAD;
            camera->setPosition(eye);
            camera->setTarget(eye + core::vector3df(std::cos(yaw), 0, std::sin(yaw)));
        },
        levelbench::IrrlichtFrame(device)};
    levelbench::MeasureViews(side, map, loadSeconds, levelbench::SpawnViewpoints(data + "maps/" + map + ".bsp"),
                             frames, screenshot);
    device->drop();
    return 0;
}
