#pragma once
// The scene both sides of the model benchmark draw: copies of one model in a
// grid facing the camera, each starting at another frame of its animation.
namespace modelbench {

constexpr int kColumns = 10, kRows = 10, kCopies = kColumns * kRows;
// Grid spacing in model units (the corpus MD2 stands about 55 high, 25 wide).
constexpr float kSpacingX = 32, kSpacingY = 58;
// The camera's distance from the grid: the whole grid fills a 60-degree view.
constexpr float kCameraDistance = 560;
constexpr float kFieldOfView = 60;
constexpr int kWidth = 640, kHeight = 480;

inline float CopyX(int i) { return (static_cast<float>(i % kColumns) - (kColumns - 1) / 2.0f) * kSpacingX; }
inline float CopyY(int i) { return (static_cast<float>(i / kColumns) - (kRows - 1) / 2.0f) * kSpacingY; }
// Where copy i starts in its 40-frame stand animation.
inline int StartFrame(int i) { return (i * 7) % 40; }

}  // namespace modelbench
