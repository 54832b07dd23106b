#pragma once
// What both sides of the MD5 benchmark share: the command line, how loads are
// timed and weighed, and the grid of 50 copies the frame case draws.
//   PROGRAM MESH ANIM SKIN FRAMES [screenshot.png]
// The load cases time LOADS loads of MESH with ANIM, and weigh one of them.
#include <korvath/Korvath.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "Viewpoints.h"

namespace md5bench {

struct Arguments {
    std::string mesh, anim, skin;
    int frames = 0;
    std::string screenshot;
};

inline bool ParseArguments(int argc, char** argv, const char* program, Arguments& out) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s MESH ANIM SKIN FRAMES [screenshot.png]\n", program);
        return false;
    }
    out = {argv[1], argv[2], argv[3], std::atoi(argv[4]), argc > 5 ? argv[5] : ""};
    return true;
}

constexpr int kLoads = 20;
constexpr int kColumns = 10, kRows = 5, kCopies = kColumns * kRows;
constexpr float kSpacingX = 80, kSpacingY = 130;  // the corpus flag is about 64 wide, 116 high
constexpr float kCameraDistance = 700;
constexpr int kWidth = 640, kHeight = 480;
// Every copy switches animation this often, each at another frame, so
// cross-fades are always running somewhere.
constexpr int kSwitchFrames = 30;

inline float CopyX(int i) { return (static_cast<float>(i % kColumns) - (kColumns - 1) / 2.0f) * kSpacingX; }
inline float CopyY(int i) { return (static_cast<float>(i / kColumns) - (kRows - 1) / 2.0f) * kSpacingY - 58; }

// Small blocks in the heap and large ones mapped on their own.
inline double HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// Mean milliseconds of a load over kLoads loads (each object dropped after),
// and the heap one loaded object holds.
inline void MeasureLoad(const char* engine, const std::string& label, const std::function<void*()>& load,
                        const std::function<void(void*)>& drop) {
    const auto start = levelbench::BenchClock::now();
    for (int i = 0; i < kLoads; ++i) drop(load());
    const double ms = 1000 * levelbench::Seconds(start, levelbench::BenchClock::now()) / kLoads;
    const double before = HeapBytes();
    void* held = load();
    const double heap = HeapBytes() - before;
    drop(held);
    std::printf("LOAD %s %s %.2f %.2f\n", engine, label.c_str(), ms, heap / (1024 * 1024));
}

// The frame case: the camera on the grid's axis, then frames drawing every
// copy by drawCopy(copy, switching), switching true when the copy is to
// change animation in this frame; prints the RESULT line.
inline void MeasureCopies(const char* engineName, korvath::Engine& engine, double loadSeconds, const Arguments& args,
                          const std::function<void(int, bool)>& drawCopy) {
    korvath::Camera camera;
    camera.Set3DFieldOfView(60);
    camera.SetPosition(0, 0, kCameraDistance);
    camera.SetRotation(0, 0, 0);
    int frame = 0;
    const levelbench::Side side = {engineName, [](const levelbench::Viewpoint&) {},
                                   [&](const std::function<void()>& beforeSwap) {
                                       engine.BeginScene();
                                       for (int i = 0; i < kCopies; ++i) drawCopy(i, (frame + i) % kSwitchFrames == 0);
                                       ++frame;
                                       beforeSwap();
                                       engine.EndScene();
                                       return true;
                                   }};
    levelbench::MeasureViews(side, "md5x50", 1000 * loadSeconds, {levelbench::Viewpoint{}}, args.frames,
                             args.screenshot);
}

}  // namespace md5bench
