#pragma once
// The particle benchmark both engines run: the same scene, frame counts and
// figures. The camera looks along -z at an emitter kDistance units ahead (eye
// units, after Korvath's 0.1 world scale); particles are kSize units across, fly
// out at up to kSpeed units per second on each axis, live kLife seconds and are
// drawn additively with the corpus flare picture at 640 x 480.
#include <cstdint>
#include <functional>
#include <string>

namespace particlebench {

constexpr int kWidth = 640, kHeight = 480;
constexpr int32_t kParticles = 10000;
constexpr float kDistance = 100, kSize = 0.2f, kSpeed = 22.5f, kLife = 2;
constexpr int kWarmUpFrames = 150, kMeasuredFrames = 500;

// Heap allocations (operator new) made by this process so far.
uint64_t Allocations();

struct Figures {
    double meanMs = 0, p95Ms = 0;
    double updateNsPerParticle = -1;  // negative where the engine gives no separate update
    double allocationsPerFrame = 0;
};

// Runs the warm-up frames (at least 1.5 x kLife seconds of them), then the measured ones, timing each whole frame and
// counting the allocations made during the measured ones. frame() returns the
// nanoseconds spent updating the particles, or a negative number.
Figures Measure(const std::function<double()>& frame);

void PrintResult(const char* engine, int32_t live, const Figures& figures);

std::string FlarePicture();  // the corpus picture both engines draw with

}  // namespace particlebench
