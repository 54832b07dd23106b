#pragma once
// The MD2 file layout and its reader: bytes in memory into a keyframe mesh and
// its animations, every count and offset checked against the size first.
#include <cstdint>
#include <vector>

#include "korvath/KeyframeModel.h"
#include "models/KeyframeMesh.h"

namespace korvath {

enum class Md2Result { Loaded, WrongVersion, Failed };

using Md2Model = KeyframeFile;

// Reads the model, reporting each step ("MD2: Loading ..."). Frame positions
// change from the file's Z-up axes to the engine's Y-up ones.
Md2Result ReadMd2(const std::vector<uint8_t>& bytes, Md2Model& model);

}  // namespace korvath
