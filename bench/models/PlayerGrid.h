#pragma once
// The scene both sides of the player benchmark draw: copies of the corpus
// player (legs, torso, head, weapon) in a grid facing the camera, legs
// walking and torso gesturing, each copy started at another moment.
#include "ModelGrid.h"

namespace playerbench {

using modelbench::kCameraDistance, modelbench::kFieldOfView, modelbench::kWidth, modelbench::kHeight;

constexpr int kColumns = 10, kRows = 5, kCopies = kColumns * kRows;
// Grid spacing in model units (the player stands about 90 high with its torso tag's scale).
constexpr float kSpacingX = 40, kSpacingY = 100;
// Walking legs and a gesturing torso at the table's rates (frames are 0-based
// file frames after the table's legs moved down by one).
constexpr int kLegsFirst = 124, kLegsFrames = 8, kLegsRate = 15;
constexpr int kTorsoFirst = 95, kTorsoFrames = 37, kTorsoRate = 13;

inline float CopyX(int i) { return (static_cast<float>(i % kColumns) - (kColumns - 1) / 2.0f) * kSpacingX; }
inline float CopyY(int i) { return (static_cast<float>(i / kColumns) - (kRows - 1) / 2.0f) * kSpacingY; }
// How many milliseconds copy i is ahead in its animations.
inline int StartMilliseconds(int i) { return (i * 137) % 2800; }

}  // namespace playerbench
