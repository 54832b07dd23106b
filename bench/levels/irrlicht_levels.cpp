// The other side of the comparative level benchmark: the same level, viewpoints
// and frame count drawn by Irrlicht 1.8 with its Quake 3 shader scene nodes.
//   irrlicht_levels DATA_DIR MAP FRAMES [screenshot.png]
#include <irrlicht/irrlicht.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "Viewpoints.h"

using namespace irr;

namespace {
using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: irrlicht_levels DATA_DIR MAP FRAMES [screenshot.png]\n");
        return 2;
    }
    const std::string data = std::string(argv[1]) + "/", map = argv[2];
    const int frames = std::atoi(argv[3]);
    const std::string screenshot = argc > 4 ? argv[4] : "";

    SIrrlichtCreationParameters params;
    params.DriverType = video::EDT_OPENGL;
    params.WindowSize = core::dimension2d<u32>(640, 480);
    params.Bits = 32;
    params.Vsync = false;
    params.Stencilbuffer = true;
    params.LoggingLevel = getenv("IRR_VERBOSE") ? ELL_INFORMATION : ELL_ERROR;
    IrrlichtDevice* device = createDeviceEx(params);
    if (!device) return 1;
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* scene = device->getSceneManager();
    device->getFileSystem()->addFileArchive(data.c_str(), true, false, io::EFAT_FOLDER);

    const auto loadStart = Clock::now();
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
    const double loadSeconds = Seconds(loadStart, Clock::now());

    scene::ICameraSceneNode* camera = scene->addCameraSceneNode();
    camera->setFOV(70.0f * core::DEGTORAD);
    camera->setAspectRatio(1.0f);
    camera->setNearValue(1.0f);
    camera->setFarValue(100000.0f);

    const std::vector<levelbench::Viewpoint> views = levelbench::SpawnViewpoints(data + "maps/" + map + ".bsp");
    std::vector<double> frameMs;
    for (size_t v = 0; v < views.size(); ++v) {
        const levelbench::Viewpoint& view = views[v];
        // The level loader swaps y and z of the file.
        const core::vector3df eye(view.x, view.z, view.y);
        const float yaw = view.yaw * core::DEGTORAD;
        camera->setPosition(eye);
        camera->setTarget(eye + core::vector3df(std::cos(yaw), 0, std::sin(yaw)));
        if (getenv("IRR_VERBOSE")) {
            const core::aabbox3df box = mesh->getMesh(scene::quake3::E_Q3_MESH_GEOMETRY)->getBoundingBox();
            std::fprintf(stderr, "view %.0f %.0f %.0f yaw %.0f; level %.0f %.0f %.0f .. %.0f %.0f %.0f\n", eye.X, eye.Y,
                         eye.Z, view.yaw, box.MinEdge.X, box.MinEdge.Y, box.MinEdge.Z, box.MaxEdge.X, box.MaxEdge.Y,
                         box.MaxEdge.Z);
        }
        const int count = frames / static_cast<int>(views.size());
        auto previous = Clock::now();
        for (int f = -3; f < count && device->run(); ++f) {
            driver->beginScene(true, true, video::SColor(255, 0, 0, 0));
            scene->drawAll();
            if (v == 0 && f == count - 1 && !screenshot.empty())
                levelbench::WriteBackBuffer(screenshot, 640, 480);
            driver->endScene();
            const auto now = Clock::now();
            if (f >= 0) frameMs.push_back(1000 * Seconds(previous, now));
            previous = now;
        }
    }
    const levelbench::FrameStats stats = levelbench::Summarise(frameMs);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("RESULT irrlicht %s %.3f %.2f %.2f %.1f\n", map.c_str(), loadSeconds, stats.mean, stats.p95,
                usage.ru_maxrss / 1024.0);
    device->drop();
    return 0;
}
