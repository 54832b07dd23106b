// A model is drawn every frame: what its Render does on the CPU (the clock,
// the pose, the volume) must not touch the heap. Counting every allocation of
// this test program shows it; the GL driver's own allocations are left out by
// leaving out the draw.
#include <gtest/gtest.h>

#include "models/KeyframeAnimations.h"
#include "models/Md2File.h"
#include "models/Md2Writer.h"
#include "models/ModelTransform.h"
#include "support/AllocationCount.h"

namespace korvath::test {
namespace {

TEST(KeyframeFrame, PoseClockAndVolumeDoNotAllocate) {
    Md2Model model;
    ASSERT_EQ(ReadMd2(QuadModel(QuadFrames("a_name_longer_than_a_short_string", 4)).Bytes(), model),
              Md2Result::Loaded);
    float frame = 0;
    int32_t next = 0;
    VOLUME volume;
    const long before = AllocationCount();
    for (int i = 0; i < 50; ++i) {
        StepFrameClock(frame, next, 0.05f, 30, ClockRange(model.Animations, model.AnimationIndex, 4));
        const Matrix4 matrix = StartVolume(volume, {false, {1, 2, 3}, {0, 90, 0}, {1, 1, 1}});
        InterpolateFrames(model.Mesh, static_cast<int32_t>(frame), next, frame - static_cast<int32_t>(frame));
        GrowByThirdCorners(model.Mesh, static_cast<int32_t>(frame), volume, matrix);
    }
    EXPECT_EQ(AllocationCount() - before, 0);
}

}  // namespace
}  // namespace korvath::test
